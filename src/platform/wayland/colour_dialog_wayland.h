// Other programs' colour dialogs on Wayland. The compositor tells no client
// which window is active, so every paste goes to the accessibility worker,
// which takes the window in the active state of whichever other program has
// one (the accessibility bus knows it) and types the colour into it if it is
// a colour dialog.
#pragma once

#include "ports/colour_dialog_port.h"

namespace pixolet {
class DialogPasteWorker;
}

namespace pixolet::wayland {

class WaylandColourDialog : public ColourDialogPort {
  public:
    explicit WaylandColourDialog(DialogPasteWorker* worker) : worker_(worker) {}

    // No class is known: the paste goes the toolkit way.
    std::optional<std::string> ActiveWindowClass() override { return std::string(); }
    void SetFieldText(int, const std::string&) override {}
    bool PasteIntoToolkitDialog(Colour colour) override;

  private:
    DialogPasteWorker* worker_;
};

}  // namespace pixolet::wayland

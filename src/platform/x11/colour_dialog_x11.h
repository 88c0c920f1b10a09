// Other programs' colour dialogs on X11. No dialog there is the standard
// dialog of class "#32770" with numbered fields; Qt's and GTK's colour
// dialogs are reached through the accessibility bus instead. This side only
// decides, from the window manager's properties and without asking the other
// program anything, whether the active window is a dialog box of another
// local program, and hands the paste to the accessibility worker.
#pragma once

#include <optional>

#include "platform/x11/x11_display.h"
#include "ports/colour_dialog_port.h"

namespace pixolet {
class DialogPasteWorker;
}

namespace pixolet::x11 {

class X11ColourDialog : public ColourDialogPort {
  public:
    // `worker` may be null (a build without the accessibility bus): then no
    // dialog is ever recognised.
    explicit X11ColourDialog(DialogPasteWorker* worker, const char* displayName = nullptr);

    // WM_CLASS class of the window manager's active window; nothing when no
    // window is active. An active window without a class gives "".
    std::optional<std::string> ActiveWindowClass() override;
    // No numbered fields on X11.
    void SetFieldText(int id, const std::string& text) override;
    bool PasteIntoToolkitDialog(Colour colour) override;

  private:
    XDisplay display_;
    DialogPasteWorker* worker_;
};

// The process id of the program owning `window` when it is a dialog box
// (_NET_WM_WINDOW_TYPE_DIALOG, or transient for another window and of no
// other type) of a program on this machine; nothing otherwise.
std::optional<int> DialogWindowProcess(Display* display, unsigned long window);

}  // namespace pixolet::x11

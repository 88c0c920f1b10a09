// Other programs' colour dialogs on X11. No dialog there is the standard
// dialog of class "#32770" with numbered fields, so this realisation only
// names the active window's class: the paste shortcut then never matches a
// dialog and passes the key on.
#pragma once

#include "platform/colour_dialog_port.h"
#include "platform/x11/x11_display.h"

namespace pixolet::x11 {

class X11ColourDialog : public ColourDialogPort {
  public:
    explicit X11ColourDialog(const char* displayName = nullptr);

    // WM_CLASS class of the window manager's active window; nothing when no
    // window is active. An active window without a class gives "".
    std::optional<std::string> ActiveWindowClass() override;
    // No field to write on X11.
    void SetFieldText(int id, const std::string& text) override;

  private:
    XDisplay display_;
};

}  // namespace pixolet::x11

#include "platform/x11/colour_dialog_x11.h"

#include "platform/x11/desktop_x11.h"

namespace pixolet::x11 {

X11ColourDialog::X11ColourDialog(const char* displayName) : display_(displayName) {}

std::optional<std::string> X11ColourDialog::ActiveWindowClass() {
    if (!display_) return std::nullopt;
    const unsigned long active = ActiveWindow(display_.get());
    if (active == 0) return std::nullopt;
    return WindowClass(display_.get(), active).value_or(std::string());
}

void X11ColourDialog::SetFieldText(int, const std::string&) {}

}  // namespace pixolet::x11

#include "platform/x11/x11_display.h"

#include <X11/Xlib.h>

#include <utility>

namespace pixolet::x11 {

XDisplay::XDisplay(const char* name) : display_(XOpenDisplay(name)) {}

XDisplay::~XDisplay() {
    if (display_) XCloseDisplay(display_);
}

XDisplay::XDisplay(XDisplay&& other) noexcept : display_(std::exchange(other.display_, nullptr)) {}

XDisplay& XDisplay::operator=(XDisplay&& other) noexcept {
    if (this != &other) {
        if (display_) XCloseDisplay(display_);
        display_ = std::exchange(other.display_, nullptr);
    }
    return *this;
}

}  // namespace pixolet::x11

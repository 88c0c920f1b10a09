#include "platform/x11/x11_util.h"

#include <utility>

namespace pixolet::x11 {

XGc::XGc(Display* display, Drawable drawable, unsigned long mask, XGCValues* values)
    : display_(display), gc_(display ? XCreateGC(display, drawable, mask, values) : nullptr) {}

XGc::~XGc() {
    Reset();
}

XGc::XGc(XGc&& other) noexcept
    : display_(std::exchange(other.display_, nullptr)), gc_(std::exchange(other.gc_, nullptr)) {}

XGc& XGc::operator=(XGc&& other) noexcept {
    if (this != &other) {
        Reset();
        display_ = std::exchange(other.display_, nullptr);
        gc_ = std::exchange(other.gc_, nullptr);
    }
    return *this;
}

void XGc::Reset() {
    if (display_ && gc_) XFreeGC(display_, gc_);
    gc_ = nullptr;
}

thread_local XErrorTrap* XErrorTrap::current_ = nullptr;

XErrorTrap::XErrorTrap(Display* display, bool syncOnExit)
    : display_(display),
      syncOnExit_(syncOnExit),
      outer_(current_),
      previous_(XSetErrorHandler(&XErrorTrap::Handle)) {
    current_ = this;
}

XErrorTrap::~XErrorTrap() {
    // Errors of requests sent under the trap must reach it, not whatever
    // handler comes back next (Xlib's default one exits).
    if (display_ && syncOnExit_) XSync(display_, False);
    current_ = outer_;
    XSetErrorHandler(previous_);
}

void XErrorTrap::Sync() {
    if (display_) XSync(display_, False);
}

bool XErrorTrap::Failed() const {
    return firstError_ != 0;
}

int XErrorTrap::FirstError() const {
    return firstError_;
}

int XErrorTrap::Handle(Display* display, XErrorEvent* event) {
    // Every trap on the stack swallows the error; the innermost one of the
    // failing connection records it.
    for (XErrorTrap* trap = current_; trap; trap = trap->outer_) {
        if (trap->display_ == display) {
            if (trap->firstError_ == 0)
                trap->firstError_ = event->error_code ? event->error_code : -1;
            break;
        }
    }
    return 0;
}

std::optional<XProperty> ReadProperty(Display* display, Window window, Atom name, Atom type,
                                      long maxItems) {
    XErrorTrap trap(display, false);
    XProperty p;
    unsigned long after = 0;
    unsigned char* raw = nullptr;
    const int status = XGetWindowProperty(display, window, name, 0, maxItems, False, type, &p.type,
                                          &p.format, &p.items, &after, &raw);
    p.data.reset(raw);
    if (status != Success || trap.Failed() || !p.data || p.type == None) return std::nullopt;
    return p;
}

}  // namespace pixolet::x11

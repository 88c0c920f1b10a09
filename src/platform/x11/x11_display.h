// The Xlib display connection as an owned value. This header leaves Xlib's
// macros out (they clash with Qt's names), so Qt code may include it.
#pragma once

// The same declaration as Xlib's own.
typedef struct _XDisplay Display;

namespace pixolet::x11 {

// One Xlib connection. Each object that reads its own events (the input
// source, the instance marker) has a connection of its own, so that nothing
// it does strands or steals events of another.
class XDisplay {
  public:
    XDisplay() = default;
    // Opens the display named by `name`, or $DISPLAY when null. Check with
    // operator bool: a failed open leaves an empty object.
    explicit XDisplay(const char* name);
    ~XDisplay();
    XDisplay(XDisplay&& other) noexcept;
    XDisplay& operator=(XDisplay&& other) noexcept;
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    static XDisplay Open(const char* name = nullptr) { return XDisplay(name); }

    Display* get() const { return display_; }
    explicit operator bool() const { return display_ != nullptr; }

  private:
    Display* display_ = nullptr;
};

}  // namespace pixolet::x11

// Desktop-wide facts read through the window manager's EWMH properties, and
// the single-instance marker window that a later start looks for.
#pragma once

#include <optional>
#include <string>

#include "platform/x11/x11_display.h"

namespace pixolet::x11 {

// WM_CLASS class of the marker; its title is the application title.
inline constexpr char kInstanceClass[] = "TApplication";

// The window manager's active client window (_NET_ACTIVE_WINDOW), 0 when
// there is none or no EWMH window manager runs.
unsigned long ActiveWindow(Display* display);

// The ancestor of `window` that is a child of the root (the window manager's
// frame, or the window itself when unmanaged); 0 when `window` is gone.
unsigned long TopLevelOf(Display* display, unsigned long window);

// Both windows belong to one top-level window. A toolkit's window id may be
// a child of the client window, and the client a child of the frame.
bool IsSameTopLevel(Display* display, unsigned long a, unsigned long b);

// Asks the window manager to leave the (mapped) window out of the taskbar and
// the pager.
void MarkSkipTaskbar(Display* display, unsigned long window);

// WM_CLASS class name of a window; nothing when it has none or is gone.
std::optional<std::string> WindowClass(Display* display, unsigned long window);
// _NET_WM_NAME, else WM_NAME; nothing when it has neither or is gone.
std::optional<std::string> WindowTitle(Display* display, unsigned long window);

// A top-level window (a child of the root) of class kInstanceClass titled
// exactly "Pixolet 2" exists.
bool InstanceMarkerExists(Display* display);

// The marker of a running instance: an unmapped top-level window of class
// kInstanceClass titled "Pixolet 2", on a connection of its own, destroyed
// with the object (and by the server when the process ends).
class InstanceMarker {
  public:
    explicit InstanceMarker(const char* displayName = nullptr);
    ~InstanceMarker();
    InstanceMarker(const InstanceMarker&) = delete;
    InstanceMarker& operator=(const InstanceMarker&) = delete;

    bool IsCreated() const { return window_ != 0; }
    unsigned long window() const { return window_; }

  private:
    XDisplay display_;
    unsigned long window_ = 0;
};

}  // namespace pixolet::x11

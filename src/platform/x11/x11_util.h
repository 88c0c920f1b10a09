// RAII owners for Xlib images, graphics contexts and Xlib-allocated memory,
// and a scoped trap that keeps a failing request from ending the process.
// Includes Xlib: for .cpp files, after any Qt header.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <optional>

#include "platform/x11/x11_display.h"

namespace pixolet::x11 {

struct XImageDeleter {
    void operator()(XImage* image) const {
        if (image) XDestroyImage(image);
    }
};
using XImagePtr = std::unique_ptr<XImage, XImageDeleter>;

// Memory that Xlib hands out and XFree releases (properties, window lists,
// class hint strings).
struct XFreeDeleter {
    void operator()(void* p) const {
        if (p) XFree(p);
    }
};
template <typename T>
using XFreePtr = std::unique_ptr<T, XFreeDeleter>;

// A window property's raw data as XGetWindowProperty hands it out.
// Format-32 items come as longs whatever the platform's word size.
struct XProperty {
    XFreePtr<unsigned char> data;
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
};

// Reads at most `maxItems` items of a property of `type` (or
// AnyPropertyType); nothing when the window or the property is missing.
std::optional<XProperty> ReadProperty(Display* display, Window window, Atom name, Atom type,
                                      long maxItems);

class XGc {
  public:
    XGc() = default;
    XGc(Display* display, Drawable drawable, unsigned long mask = 0, XGCValues* values = nullptr);
    ~XGc();
    XGc(XGc&& other) noexcept;
    XGc& operator=(XGc&& other) noexcept;
    XGc(const XGc&) = delete;
    XGc& operator=(const XGc&) = delete;

    GC get() const { return gc_; }
    explicit operator bool() const { return gc_ != nullptr; }

  private:
    void Reset();
    Display* display_ = nullptr;
    GC gc_ = nullptr;
};

// While alive, X protocol errors are recorded instead of ending the process
// (Xlib's default handler exits). Errors of requests that need no reply only
// arrive later: call Sync() before reading Failed() for those. Used on one
// thread at a time; the previous handler is put back on destruction.
class XErrorTrap {
  public:
    // `syncOnExit` false is for traps around requests that wait for a reply
    // (their errors have arrived by the time they return): it saves a round
    // trip.
    explicit XErrorTrap(Display* display, bool syncOnExit = true);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits until the server has handled every request sent so far.
    void Sync();
    bool Failed() const;
    // The error code of the first error caught, 0 when none.
    int FirstError() const;

  private:
    Display* display_;
    bool syncOnExit_;
    XErrorTrap* outer_;
    int (*previous_)(Display*, XErrorEvent*);
    int firstError_ = 0;

    static int Handle(Display* display, XErrorEvent* event);
    static thread_local XErrorTrap* current_;
};

}  // namespace pixolet::x11

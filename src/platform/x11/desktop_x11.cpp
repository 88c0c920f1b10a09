#include "platform/x11/desktop_x11.h"

#include <X11/Xatom.h>

#include <cstring>

#include "app/start_sequence.h"
#include "platform/x11/x11_util.h"

namespace pixolet::x11 {
namespace {

// Xlib caches interned atoms per connection: only the first look-up of a
// name costs a round trip.
Atom AtomOf(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

}  // namespace

unsigned long ActiveWindow(Display* display) {
    if (!display) return 0;
    const auto p = ReadProperty(display, DefaultRootWindow(display),
                                AtomOf(display, "_NET_ACTIVE_WINDOW"), XA_WINDOW, 1);
    if (!p || p->format != 32 || p->items < 1) return 0;
    // Format-32 data comes as longs whatever the platform's word size.
    return reinterpret_cast<const unsigned long*>(p->data.get())[0];
}

unsigned long TopLevelOf(Display* display, unsigned long window) {
    if (!display || window == 0) return 0;
    const Window root = DefaultRootWindow(display);
    if (window == root) return 0;
    XErrorTrap trap(display, false);
    Window current = window;
    // Window trees are shallow; the bound only guards against a broken server.
    for (int depth = 0; depth < 64; ++depth) {
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, current, &rootReturn, &parent, &children, &count) || trap.Failed())
            return 0;
        XFreePtr<Window> owned(children);
        if (parent == root || parent == 0) return current;
        current = parent;
    }
    return 0;
}

bool IsSameTopLevel(Display* display, unsigned long a, unsigned long b) {
    if (a == 0 || b == 0) return false;
    if (a == b) return true;
    const unsigned long topA = TopLevelOf(display, a);
    return topA != 0 && topA == TopLevelOf(display, b);
}

void MarkSkipTaskbar(Display* display, unsigned long window) {
    if (!display || window == 0) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = AtomOf(display, "_NET_WM_STATE");
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;  // _NET_WM_STATE_ADD
    event.xclient.data.l[1] = static_cast<long>(AtomOf(display, "_NET_WM_STATE_SKIP_TASKBAR"));
    event.xclient.data.l[2] = static_cast<long>(AtomOf(display, "_NET_WM_STATE_SKIP_PAGER"));
    event.xclient.data.l[3] = 1;  // source: a normal application
    XErrorTrap trap(display);
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

std::optional<std::string> WindowClass(Display* display, unsigned long window) {
    if (!display || window == 0) return std::nullopt;
    XErrorTrap trap(display, false);
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint) || trap.Failed()) return std::nullopt;
    XFreePtr<char> name(hint.res_name);
    XFreePtr<char> cls(hint.res_class);
    if (!cls) return std::nullopt;
    return std::string(cls.get());
}

std::optional<std::string> WindowTitle(Display* display, unsigned long window) {
    if (!display || window == 0) return std::nullopt;
    if (const auto p = ReadProperty(display, window, AtomOf(display, "_NET_WM_NAME"),
                                    AtomOf(display, "UTF8_STRING"), 1024);
        p && p->format == 8)
        return std::string(reinterpret_cast<const char*>(p->data.get()), p->items);
    if (const auto p = ReadProperty(display, window, XA_WM_NAME, AnyPropertyType, 1024);
        p && p->format == 8)
        return std::string(reinterpret_cast<const char*>(p->data.get()), p->items);
    return std::nullopt;
}

bool InstanceMarkerExists(Display* display) {
    if (!display) return false;
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    {
        XErrorTrap trap(display, false);
        if (!XQueryTree(display, DefaultRootWindow(display), &rootReturn, &parent, &children,
                        &count))
            return false;
    }
    XFreePtr<Window> owned(children);
    for (unsigned int i = 0; i < count; ++i) {
        // Windows may vanish while we look; the helpers treat that as absent.
        const auto cls = WindowClass(display, children[i]);
        if (!cls || *cls != kInstanceClass) continue;
        const auto title = WindowTitle(display, children[i]);
        if (title && *title == kApplicationTitle) return true;
    }
    return false;
}

InstanceMarker::InstanceMarker(const char* displayName) : display_(displayName) {
    Display* dpy = display_.get();
    if (!dpy) return;
    XErrorTrap trap(dpy);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;  // never managed, even if mapped
    const Window window = XCreateWindow(dpy, DefaultRootWindow(dpy), -10, -10, 1, 1, 0, 0,
                                        InputOnly, CopyFromParent, CWOverrideRedirect, &attributes);
    if (window == 0) return;
    char name[] = "pixolet";
    char cls[sizeof kInstanceClass];
    std::memcpy(cls, kInstanceClass, sizeof kInstanceClass);
    XClassHint hint{name, cls};
    XSetClassHint(dpy, window, &hint);
    XStoreName(dpy, window, kApplicationTitle);
    XChangeProperty(dpy, window, AtomOf(dpy, "_NET_WM_NAME"), AtomOf(dpy, "UTF8_STRING"), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(kApplicationTitle),
                    static_cast<int>(std::strlen(kApplicationTitle)));
    trap.Sync();
    if (trap.Failed()) {
        XDestroyWindow(dpy, window);
        return;
    }
    window_ = window;
}

InstanceMarker::~InstanceMarker() {
    if (display_ && window_ != 0) {
        XErrorTrap trap(display_.get());
        XDestroyWindow(display_.get(), window_);
    }
}

}  // namespace pixolet::x11

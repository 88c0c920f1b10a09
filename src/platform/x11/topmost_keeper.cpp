#include "platform/x11/topmost_keeper.h"

#include <QSocketNotifier>

// Xlib after Qt: its macros clash with Qt's names.
#include "platform/x11/x11_util.h"

namespace pixolet::x11 {

TopmostKeeper::TopmostKeeper(QObject* parent) : QObject(parent) {}

TopmostKeeper::~TopmostKeeper() {
    Unwatch();
}

void TopmostKeeper::Watch(unsigned long window) {
    if (window == 0) return;
    if (!display_) {
        display_ = XDisplay(nullptr);
        if (!display_) return;
        Display* dpy = display_.get();
        stackingAtom_ = XInternAtom(dpy, "_NET_CLIENT_LIST_STACKING", False);
        notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(dpy), QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &TopmostKeeper::Drain);
    }
    if (window_ != 0 && window_ != window) Select(NoEventMask, NoEventMask);
    window_ = window;
    Select(VisibilityChangeMask, PropertyChangeMask);
    KeepOnTop();
}

void TopmostKeeper::Unwatch() {
    if (!display_ || window_ == 0) return;
    Select(NoEventMask, NoEventMask);
    window_ = 0;
    // Whatever was still queued is of no interest now.
    Drain();
}

void TopmostKeeper::Select(long windowMask, long rootMask) {
    Display* dpy = display_.get();
    XErrorTrap trap(dpy);  // the window may be gone already
    XSelectInput(dpy, window_, windowMask);
    XSelectInput(dpy, DefaultRootWindow(dpy), rootMask);
}

void TopmostKeeper::Drain() {
    if (!display_) return;
    Display* dpy = display_.get();
    bool check = false;
    while (XPending(dpy) > 0) {
        XEvent event;
        XNextEvent(dpy, &event);
        if (window_ == 0) continue;
        if (event.type == VisibilityNotify && event.xvisibility.window == window_ &&
            event.xvisibility.state != VisibilityUnobscured)
            check = true;
        else if (event.type == PropertyNotify && event.xproperty.atom == stackingAtom_)
            check = true;
    }
    if (check) KeepOnTop();
}

void TopmostKeeper::KeepOnTop() {
    Display* dpy = display_.get();
    XErrorTrap trap(dpy);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count)) return;
    XFreePtr<Window> owned(children);
    // Bottom first: the readout's place, then the topmost window above it
    // that the window manager stacks and that shows.
    unsigned index = 0;
    while (index < count && children[index] != window_) ++index;
    if (index == count) return;
    Window sibling = None;
    for (unsigned i = count; i-- > index + 1;) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(dpy, children[i], &attributes)) continue;
        if (!attributes.override_redirect && attributes.map_state == IsViewable &&
            attributes.c_class == InputOutput) {
            sibling = children[i];
            break;
        }
    }
    if (sibling == None) return;
    XWindowChanges changes{};
    changes.sibling = sibling;
    changes.stack_mode = Above;
    XConfigureWindow(dpy, window_, CWSibling | CWStackMode, &changes);
    XFlush(dpy);
}

}  // namespace pixolet::x11

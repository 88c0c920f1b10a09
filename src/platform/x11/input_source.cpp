#include "platform/x11/input_source.h"

#include <QSocketNotifier>

// Xlib after Qt: its macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include "platform/linux/keymap.h"
#include "platform/x11/x11_util.h"

namespace pixolet::x11 {
namespace {

// The cookie's data belongs to Xlib until XFreeEventData.
class EventData {
  public:
    EventData(Display* display, XGenericEventCookie* cookie)
        : display_(display), cookie_(cookie), ok_(XGetEventData(display, cookie) != 0) {}
    ~EventData() {
        if (ok_) XFreeEventData(display_, cookie_);
    }
    EventData(const EventData&) = delete;
    EventData& operator=(const EventData&) = delete;
    bool ok() const { return ok_; }

  private:
    Display* display_;
    XGenericEventCookie* cookie_;
    bool ok_;
};

// Keeps the nesting count right when the handler leaves by an exception.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth_;
};

}  // namespace

HeldState X11SystemKeys::ReadHeld() {
    HeldState held;
    Display* dpy = display_.get();
    if (dpy == nullptr) return held;
    char keymap[32] = {};
    XQueryKeymap(dpy, keymap);
    for (unsigned code = 8; code < 256; ++code) {
        if ((static_cast<unsigned char>(keymap[code / 8]) >> (code % 8)) & 1U) {
            const KeySym sym = XkbKeycodeToKeysym(dpy, static_cast<KeyCode>(code), 0, 0);
            held.keys.push_back(HeldKey{code, linux_common::VirtualKeyFromKeysym(sym)});
        }
    }
    Window root = 0;
    Window child = 0;
    int rx = 0;
    int ry = 0;
    int wx = 0;
    int wy = 0;
    unsigned int state = 0;
    if (XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, &rx, &ry, &wx, &wy, &state)) {
        // The core pointer's mask holds logical buttons.
        held.left = (state & Button1Mask) != 0;
        held.middle = (state & Button2Mask) != 0;
        held.right = (state & Button3Mask) != 0;
    }
    return held;
}

bool X11SystemKeys::InputWaiting() {
    // The replies just read came after every event the server had sent
    // before them: any such event is now in Xlib's queue.
    Display* dpy = display_.get();
    return dpy != nullptr && XEventsQueued(dpy, QueuedAlready) > 0;
}

X11InputSource::X11InputSource(QObject* parent)
    : QObject(parent),
      router_(
          system_,
          [this](unsigned code) { return linux_common::VirtualKeyFromKeysym(KeysymOf(code)); },
          [this](int physical) { return LogicalButton(physical); }) {}

X11InputSource::~X11InputSource() {
    Close();
}

bool X11InputSource::Install(Handler handler, BeforeKeyOrButton before) {
    if (display_) return false;
    XDisplay display(nullptr);
    if (!display) return false;
    Display* dpy = display.get();
    int event = 0;
    int error = 0;
    if (!XQueryExtension(dpy, "XInputExtension", &opcode_, &event, &error)) return false;
    // Announcing 2.2 makes the server deliver raw events even while another
    // client holds a grab; anything from 2.0 on has the raw events.
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(dpy, &major, &minor) != Success || major < 2) return false;

    display_ = std::move(display);
    if (!SelectEvents()) {
        display_ = XDisplay();
        return false;
    }
    closePending_ = false;
    ReadButtonMap();
    WatchLocks();
    router_.Start(std::move(handler), std::move(before));
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(dpy), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &X11InputSource::Drain);
    // Replies read above may have brought events into Xlib's queue; the
    // socket would not signal those.
    Drain();
    return true;
}

bool X11InputSource::SelectEvents(bool sync) {
    Display* dpy = display_.get();
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    if (motionWanted_ && !motionHeld_) XISetMask(bits, XI_RawMotion);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    if (!sync) {
        // The same selection that was accepted before, less or more motion:
        // sent at once, with no round trip.
        XISelectEvents(dpy, DefaultRootWindow(dpy), &mask, 1);
        XFlush(dpy);
        return true;
    }
    {
        XErrorTrap trap(dpy);
        XISelectEvents(dpy, DefaultRootWindow(dpy), &mask, 1);
        trap.Sync();
        if (trap.Failed()) return false;
    }
    // A switch to another virtual terminal disables the devices and enables
    // them again on return; what was released meanwhile never arrives.
    // Without these events the check at each key-down remains.
    unsigned char hierarchyBits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(hierarchyBits, XI_HierarchyChanged);
    XIEventMask hierarchy{XIAllDevices, static_cast<int>(sizeof hierarchyBits), hierarchyBits};
    XErrorTrap trap(dpy);
    XISelectEvents(dpy, DefaultRootWindow(dpy), &hierarchy, 1);
    trap.Sync();
    return true;
}

void X11InputSource::SetMotionWanted(bool wanted) {
    if (wanted == motionWanted_) return;
    motionWanted_ = wanted;
    // Motion already queued from before a hide changes nothing: the core
    // ignores moves while the readout is hidden.
    if (!display_ || closePending_) return;
    SelectEvents();
    // The round trip may have read events into Xlib's queue, which the
    // socket notifier no longer signals.
    QMetaObject::invokeMethod(this, &X11InputSource::Drain, Qt::QueuedConnection);
}

void X11InputSource::SetReading(bool reading) {
    if (!notifier_ || notifier_->isEnabled() == reading) return;
    // Motion again before the queue is read: a move after the selection
    // comes as an event, one before it is where the update finds the
    // pointer.
    if (motionHeld_ != !reading) {
        motionHeld_ = !reading;
        if (motionWanted_ && display_ && !closePending_) SelectEvents(false);
    }
    notifier_->setEnabled(reading);
    if (reading) Drain();
}

void X11InputSource::Remove() {
    router_.Stop();
    if (dispatchDepth_ > 0) {
        // The drain loop below us still uses the connection.
        closePending_ = true;
        if (notifier_) notifier_->setEnabled(false);
        return;
    }
    Close();
}

void X11InputSource::Close() {
    notifier_.reset();
    display_ = XDisplay();
    router_.Stop();
    closePending_ = false;
}

void X11InputSource::ReadButtonMap() {
    // Raw events carry the physical button; the core pointer map turns it
    // into the logical one (a left-handed mouse swaps 1 and 3).
    unsigned char map[256] = {};
    const int count = XGetPointerMapping(display_.get(), map, 256);
    buttonMap_.assign(map, map + (count > 0 ? count : 0));
}

int X11InputSource::LogicalButton(int physical) const {
    if (physical >= 1 && static_cast<std::size_t>(physical) <= buttonMap_.size())
        return buttonMap_[static_cast<std::size_t>(physical) - 1];
    return physical;
}

void X11InputSource::Drain() {
    if (!display_ || closePending_) return;
    Display* dpy = display_.get();
    {
        DepthGuard depth(dispatchDepth_);
        // Every queued event, also those that replies brought in: the socket
        // notifier only fires for bytes still unread on the socket.
        while (display_ && !closePending_ && XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
            if (xkbEventBase_ >= 0 && event.type == xkbEventBase_) {
                const auto* xkb = reinterpret_cast<const XkbAnyEvent*>(&event);
                if (xkb->xkb_type == XkbStateNotify)
                    lockedMods_ = reinterpret_cast<const XkbStateNotifyEvent*>(&event)->locked_mods;
                else if (xkb->xkb_type == XkbMapNotify || xkb->xkb_type == XkbNewKeyboardNotify)
                    numLockMask_ = XkbKeysymToModifiers(dpy, XK_Num_Lock);
                continue;
            }
            if (event.type == MappingNotify) {
                XRefreshKeyboardMapping(&event.xmapping);
                if (event.xmapping.request == MappingPointer) ReadButtonMap();
                continue;
            }
            XGenericEventCookie* cookie = &event.xcookie;
            if (cookie->type != GenericEvent || cookie->extension != opcode_) continue;
            if (cookie->evtype == XI_RawMotion || cookie->evtype == XI_HierarchyChanged) {
                // Nothing of a move's data is used: the tracking update asks
                // for the pointer itself; any change of the devices counts.
                // Unclaimed data is freed by Xlib.
                Dispatch(cookie->evtype, 0);
                continue;
            }
            int evtype = 0;
            int detail = 0;
            {
                EventData data(dpy, cookie);
                if (!data.ok()) continue;
                evtype = cookie->evtype;
                detail = static_cast<const XIRawEvent*>(cookie->data)->detail;
            }
            Dispatch(evtype, detail);
        }
    }
    if (closePending_ && dispatchDepth_ == 0) Close();
}

unsigned long X11InputSource::KeysymOf(unsigned keyCode) const {
    Display* dpy = display_.get();
    const auto code = static_cast<KeyCode>(keyCode);
    // Shift level 0, so that Shift+C is C. The keypad's level 0 is its
    // navigation meaning; with Num Lock on, Windows reports the digits, which
    // are level 1 there.
    const KeySym sym = XkbKeycodeToKeysym(dpy, code, 0, 0);
    if (!IsKeypadKey(sym) || (lockedMods_ & numLockMask_) == 0 || numLockMask_ == 0) return sym;
    const KeySym digit = XkbKeycodeToKeysym(dpy, code, 0, 1);
    return IsKeypadKey(digit) ? digit : sym;
}

void X11InputSource::WatchLocks() {
    // The lock state as of each event comes from the keyboard's state
    // notifications, which arrive in order with the raw events; asking the
    // server at handling time would give the state after later keys.
    Display* dpy = display_.get();
    int opcode = 0;
    int error = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    xkbEventBase_ = -1;
    lockedMods_ = 0;
    numLockMask_ = 0;
    if (!XkbQueryExtension(dpy, &opcode, &xkbEventBase_, &error, &major, &minor)) {
        xkbEventBase_ = -1;
        return;
    }
    XkbSelectEventDetails(dpy, XkbUseCoreKbd, XkbStateNotify, XkbModifierLockMask,
                          XkbModifierLockMask);
    numLockMask_ = XkbKeysymToModifiers(dpy, XK_Num_Lock);
    XkbStateRec state{};
    if (XkbGetState(dpy, XkbUseCoreKbd, &state) == Success) lockedMods_ = state.locked_mods;
}

void X11InputSource::Dispatch(int evtype, int detail) {
    switch (evtype) {
        case XI_RawKeyPress:
            router_.KeyDown(static_cast<unsigned>(detail));
            break;
        case XI_RawKeyRelease:
            router_.KeyUp(static_cast<unsigned>(detail));
            break;
        case XI_RawButtonPress:
            router_.ButtonDown(detail);
            break;
        case XI_RawButtonRelease:
            router_.ButtonUp(detail);
            break;
        case XI_RawMotion:
            router_.Moved();
            break;
        case XI_HierarchyChanged:
            router_.DevicesChanged();
            break;
        default:
            break;
    }
}

}  // namespace pixolet::x11

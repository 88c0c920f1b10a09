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

X11InputSource::X11InputSource(QObject* parent) : QObject(parent) {}

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
    handler_ = std::move(handler);
    before_ = std::move(before);
    closePending_ = false;
    ReadButtonMap();
    WatchLocks();
    SeedKeyState();
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
    XErrorTrap trap(dpy);
    XISelectEvents(dpy, DefaultRootWindow(dpy), &mask, 1);
    trap.Sync();
    return !trap.Failed();
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
    handler_ = nullptr;
    before_ = nullptr;
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
    keys_.Clear();
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

void X11InputSource::SeedKeyState() {
    // Keys and buttons already held when observing starts; from here on the
    // event stream alone keeps the state.
    Display* dpy = display_.get();
    keys_.Clear();
    char keymap[32] = {};
    XQueryKeymap(dpy, keymap);
    for (unsigned code = 8; code < 256; ++code) {
        if ((static_cast<unsigned char>(keymap[code / 8]) >> (code % 8)) & 1U) {
            const KeySym sym = XkbKeycodeToKeysym(dpy, static_cast<KeyCode>(code), 0, 0);
            keys_.KeyPressed(code, linux_common::VirtualKeyFromKeysym(sym));
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
        if (state & Button1Mask) keys_.ButtonPressed(1);
        if (state & Button2Mask) keys_.ButtonPressed(2);
        if (state & Button3Mask) keys_.ButtonPressed(3);
    }
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
            if (cookie->evtype == XI_RawMotion) {
                // Nothing of a move's data is used: the tracking update asks
                // for the pointer itself. Unclaimed data is freed by Xlib.
                Dispatch(XI_RawMotion, 0);
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
    if (evtype != XI_RawMotion && before_) {
        // A copy, as for the handler below.
        const BeforeKeyOrButton before = before_;
        before();
    }
    InputEvent out;
    switch (evtype) {
        case XI_RawKeyPress: {
            const auto code = static_cast<unsigned>(detail);
            const int virtualKey = linux_common::VirtualKeyFromKeysym(KeysymOf(code));
            keys_.KeyPressed(code, virtualKey);
            if (virtualKey == 0) return;  // a key with no virtual-key code
            out = InputEvent{keys_.KeyDownKind(virtualKey), virtualKey};
            break;
        }
        case XI_RawKeyRelease: {
            // The code the key had when it went down; X repeats some releases.
            const auto code = static_cast<unsigned>(detail);
            const int virtualKey = keys_.DownVirtualKey(code);
            keys_.KeyReleased(code);
            if (virtualKey == 0) return;
            out = InputEvent{InputKind::KeyUp, virtualKey};
            break;
        }
        case XI_RawButtonPress: {
            const int virtualKey = keys_.ButtonPressed(LogicalButton(detail));
            out = InputEvent{virtualKey == vk::kLButton ? InputKind::LButtonDown : InputKind::Other,
                             0};
            break;
        }
        case XI_RawButtonRelease: {
            const int virtualKey = keys_.ButtonReleased(LogicalButton(detail));
            out =
                InputEvent{virtualKey == vk::kLButton ? InputKind::LButtonUp : InputKind::Other, 0};
            break;
        }
        case XI_RawMotion:
            out = InputEvent{InputKind::MouseMove, 0};
            break;
        default:
            return;
    }
    if (handler_) {
        // A copy: the handler may remove this source, and with it handler_.
        const Handler handler = handler_;
        handler(out);
    }
}

}  // namespace pixolet::x11

#include "platform/x11/event_router.h"

#include <utility>

namespace pixolet::x11 {

X11EventRouter::X11EventRouter(SystemKeyStatePort& system, KeyMap keyMap, ButtonMap buttonMap)
    : system_(system), keyMap_(std::move(keyMap)), buttonMap_(std::move(buttonMap)) {}

void X11EventRouter::Start(Handler handler, BeforeKeyOrButton before) {
    handler_ = std::move(handler);
    before_ = std::move(before);
    // Keys and buttons already held when observing starts; from here on the
    // event stream keeps the state.
    keys_.Seed(system_.ReadHeld());
}

void X11EventRouter::Stop() {
    handler_ = nullptr;
    before_ = nullptr;
    keys_.Clear();
}

bool X11EventRouter::RunBefore() {
    if (before_) {
        const BeforeKeyOrButton before = before_;  // may stop the router
        before();
    }
    return Active();
}

bool X11EventRouter::Deliver(const InputEvent& event) {
    if (!handler_) return false;
    // A copy: the handler may stop the router, and with it handler_.
    const Handler handler = handler_;
    handler(event);
    return Active();
}

bool X11EventRouter::DeliverReleases(int releasedButtons) {
    if ((releasedButtons & vk::kLButton) == 0) return Active();
    return Deliver(InputEvent{InputKind::LButtonUp, 0});
}

void X11EventRouter::CatchUp() {
    if (keys_.ResyncPending()) DeliverReleases(keys_.CatchUp(system_));
}

void X11EventRouter::KeyDown(unsigned keyCode) {
    if (!Active() || !RunBefore()) return;
    const int virtualKey = keyMap_(keyCode);
    keys_.KeyPressed(keyCode, virtualKey);
    if (virtualKey == 0) {  // a key with no virtual-key code
        CatchUp();
        return;
    }
    if (!DeliverReleases(keys_.CheckAtKeyDown(system_))) return;
    // Whether it counts as a system key-down follows from the state as
    // checked.
    if (!Deliver(InputEvent{keys_.KeyDownKind(virtualKey), virtualKey})) return;
    CatchUp();
}

void X11EventRouter::KeyUp(unsigned keyCode) {
    if (!Active() || !RunBefore()) return;
    // The code the key had when it went down; X repeats some releases.
    const int virtualKey = keys_.DownVirtualKey(keyCode);
    keys_.KeyReleased(keyCode);
    if (virtualKey != 0 && !Deliver(InputEvent{InputKind::KeyUp, virtualKey})) return;
    CatchUp();
}

void X11EventRouter::ButtonDown(int physical) {
    if (!Active() || !RunBefore()) return;
    const int virtualKey = keys_.ButtonPressed(buttonMap_(physical));
    if (!Deliver(
            InputEvent{virtualKey == vk::kLButton ? InputKind::LButtonDown : InputKind::Other, 0}))
        return;
    CatchUp();
}

void X11EventRouter::ButtonUp(int physical) {
    if (!Active() || !RunBefore()) return;
    const int virtualKey = keys_.ButtonReleased(buttonMap_(physical));
    if (!Deliver(
            InputEvent{virtualKey == vk::kLButton ? InputKind::LButtonUp : InputKind::Other, 0}))
        return;
    CatchUp();
}

void X11EventRouter::Moved() {
    if (!Active()) return;
    if (!Deliver(InputEvent{InputKind::MouseMove, 0})) return;
    CatchUp();
}

void X11EventRouter::DevicesChanged() {
    if (!Active()) return;
    keys_.SystemChanged();
    // Whatever waits for the last move sees the buttons as they were.
    if (!RunBefore()) return;
    CatchUp();
}

}  // namespace pixolet::x11

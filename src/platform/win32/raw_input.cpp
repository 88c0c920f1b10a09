#include "platform/win32/raw_input.h"

namespace pixolet::win32 {

namespace {

// Set-1 scan codes of the two Shift keys. With the E0 flag they are the
// fake Shift presses and releases a keyboard driver wraps around the
// navigation keys (Num Lock on, or Shift held); no key has those codes.
constexpr USHORT kLeftShiftScan = 0x2A;
constexpr USHORT kRightShiftScan = 0x36;

// Keys a record may carry without a scan code (injected input) get a code
// in a range that no scan code reaches: scan codes of E0 keys stay below 0x80.
constexpr unsigned kNoScanCodeBase = 0x180;

InputKind KindOf(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
            return InputKind::KeyDown;
        case WM_SYSKEYDOWN:
            return InputKind::SysKeyDown;
        default:
            return InputKind::KeyUp;
    }
}

}  // namespace

unsigned PhysicalKeyCode(const RawKey& key) {
    // An E1 key's scan code is that of another key (Pause sends Ctrl's 0x1D).
    if (key.makeCode == 0 || (key.flags & RI_KEY_E1) != 0)
        return kNoScanCodeBase + (key.vKey & 0x7FU);
    return (key.makeCode & 0xFFU) + ((key.flags & RI_KEY_E0) ? 0x100U : 0U);
}

int GenericVirtualKey(int virtualKey) {
    switch (virtualKey) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return virtualKey;
    }
}

bool TranslateKey(const RawKey& key, KeyStateTracker& keys, InputEvent& out) {
    // 0xFF marks a record that is part of another key's sequence (the
    // filler after Pause). Pause itself comes with the E1 flag and VK_PAUSE.
    if (key.vKey == 0 || key.vKey >= 0xFF) return false;
    if ((key.flags & RI_KEY_E0) != 0 &&
        (key.makeCode == kLeftShiftScan || key.makeCode == kRightShiftScan))
        return false;

    const int virtualKey = GenericVirtualKey(key.vKey);
    const unsigned code = PhysicalKeyCode(key);
    const bool release =
        (key.flags & RI_KEY_BREAK) != 0 || key.message == WM_KEYUP || key.message == WM_SYSKEYUP;
    if (release) {
        keys.KeyReleased(code);
        out = InputEvent{InputKind::KeyUp, virtualKey};
        return true;
    }
    keys.KeyPressed(code, virtualKey);
    // The system's own verdict: only WM_KEYDOWN reaches the dispatch.
    out = InputEvent{KindOf(key.message), virtualKey};
    return true;
}

bool MouseMoves(const RawMouse& mouse) {
    return (mouse.flags & MOUSE_MOVE_ABSOLUTE) != 0 || mouse.lastX != 0 || mouse.lastY != 0;
}

ButtonEvents TranslateButtons(const RawMouse& mouse, bool swapped, KeyStateTracker& keys) {
    ButtonEvents result;
    auto add = [&result](InputKind kind) {
        if (result.count < kMaxButtonEvents) result.events[result.count++] = InputEvent{kind, 0};
    };
    struct ButtonBits {
        USHORT down;
        USHORT up;
        int button;  // the tracker's numbering: 1 left, 2 middle, 3 right
    };
    const int left = swapped ? 3 : 1;
    const int right = swapped ? 1 : 3;
    const ButtonBits buttons[] = {
        {RI_MOUSE_LEFT_BUTTON_DOWN, RI_MOUSE_LEFT_BUTTON_UP, left},
        {RI_MOUSE_RIGHT_BUTTON_DOWN, RI_MOUSE_RIGHT_BUTTON_UP, right},
        {RI_MOUSE_MIDDLE_BUTTON_DOWN, RI_MOUSE_MIDDLE_BUTTON_UP, 2},
    };
    for (const ButtonBits& b : buttons) {
        if ((mouse.buttonFlags & b.down) != 0) {
            const int virtualKey = keys.ButtonPressed(b.button);
            add(virtualKey == VK_LBUTTON ? InputKind::LButtonDown : InputKind::Other);
        }
        if ((mouse.buttonFlags & b.up) != 0) {
            const int virtualKey = keys.ButtonReleased(b.button);
            add(virtualKey == VK_LBUTTON ? InputKind::LButtonUp : InputKind::Other);
        }
    }
    return result;
}

void RawInputRouter::Start(Handler handler, BeforeKeyOrButton before) {
    handler_ = std::move(handler);
    before_ = std::move(before);
    // Keys and buttons already held when observing starts; from here on the
    // record stream keeps the state.
    keys_.Seed(system_.ReadHeld());
}

void RawInputRouter::Stop() {
    handler_ = nullptr;
    before_ = nullptr;
    keys_.Clear();
}

bool RawInputRouter::RunBefore() {
    if (before_) {
        const BeforeKeyOrButton before = before_;  // may stop the router
        before();
    }
    return Active();
}

bool RawInputRouter::Deliver(const InputEvent& event) {
    if (!handler_) return false;
    // A copy: the handler may stop the router, and with it handler_.
    const Handler handler = handler_;
    handler(event);
    return Active();
}

bool RawInputRouter::DeliverReleases(int releasedButtons) {
    if ((releasedButtons & VK_LBUTTON) == 0) return Active();
    return Deliver(InputEvent{InputKind::LButtonUp, 0});
}

void RawInputRouter::Keyboard(const RawKey& key) {
    if (!Active() || !RunBefore()) return;
    InputEvent event;
    if (!TranslateKey(key, keys_, event)) {
        DeliverReleases(keys_.CatchUp(system_));
        return;
    }
    // No comparison with the system at a key-down here: under Wine the
    // asynchronous key state was seen ahead of records that neither the
    // queue status nor the batch showed as waiting, and a Ctrl+C typed with
    // no delay then lost its Ctrl. The session and desktop notifications
    // bring the state back in line.
    if (!Deliver(event)) return;
    DeliverReleases(keys_.CatchUp(system_));
}

void RawInputRouter::Mouse(const RawMouse& mouse, bool swapped) {
    if (!Active()) return;
    // One record may carry a move and button changes (remote desktops,
    // virtual machines, tablets). The move happened first: it is handed on
    // with the buttons as they were, and whatever waits for it runs before
    // the buttons change, as for two records.
    if (MouseMoves(mouse) && !Deliver(InputEvent{InputKind::MouseMove, 0})) return;
    if (mouse.buttonFlags != 0) {
        if (!RunBefore()) return;
        const ButtonEvents events = TranslateButtons(mouse, swapped, keys_);
        for (std::size_t i = 0; i < events.count; ++i)
            if (events.events[i].kind != InputKind::Other && !Deliver(events.events[i])) return;
    }
    DeliverReleases(keys_.CatchUp(system_));
}

void RawInputRouter::SystemChanged() {
    if (!Active()) return;
    keys_.SystemChanged();
    // Whatever waits for the last move sees the buttons as they were.
    if (!RunBefore()) return;
    DeliverReleases(keys_.CatchUp(system_));
}

}  // namespace pixolet::win32

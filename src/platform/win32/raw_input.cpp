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
    if (key.makeCode == 0) return kNoScanCodeBase + (key.vKey & 0x7FU);
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
    // 0xFF marks a record that is part of another key's sequence.
    if (key.vKey == 0 || key.vKey >= 0xFF) return false;
    if ((key.flags & RI_KEY_E1) != 0) return false;
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

MouseEvents TranslateMouse(const RawMouse& mouse, bool swapped, KeyStateTracker& keys) {
    MouseEvents result;
    auto add = [&result](InputKind kind) {
        if (result.count < kMaxMouseEvents) result.events[result.count++] = InputEvent{kind, 0};
    };
    // A relative record without motion carries only buttons or the wheel;
    // an absolute one (tablets, remote desktops) always places the pointer.
    if ((mouse.flags & MOUSE_MOVE_ABSOLUTE) != 0 || mouse.lastX != 0 || mouse.lastY != 0)
        add(InputKind::MouseMove);

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

}  // namespace pixolet::win32

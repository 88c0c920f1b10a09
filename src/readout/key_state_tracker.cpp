#include "readout/key_state_tracker.h"

namespace pixolet {

void KeyStateTracker::KeyPressed(unsigned keyCode, int virtualKey) {
    if (keyCode >= kKeyCodes || virtualKey <= 0 || virtualKey > 0xFF) return;
    if (downKeys_[keyCode] != 0) return;
    downKeys_[keyCode] = static_cast<std::uint8_t>(virtualKey);
    ++downCount_[static_cast<std::size_t>(virtualKey)];
}

void KeyStateTracker::KeyReleased(unsigned keyCode) {
    if (keyCode >= kKeyCodes) return;
    const std::uint8_t virtualKey = downKeys_[keyCode];
    if (virtualKey == 0) return;
    downKeys_[keyCode] = 0;
    --downCount_[virtualKey];
}

int KeyStateTracker::ButtonVirtualKey(int button) {
    switch (button) {
        case 1:
            return vk::kLButton;
        case 2:
            return vk::kMButton;
        case 3:
            return vk::kRButton;
        default:
            return 0;
    }
}

int KeyStateTracker::ButtonPressed(int button) {
    const int virtualKey = ButtonVirtualKey(button);
    buttons_ = static_cast<std::uint8_t>(buttons_ | virtualKey);
    return virtualKey;
}

int KeyStateTracker::ButtonReleased(int button) {
    const int virtualKey = ButtonVirtualKey(button);
    buttons_ = static_cast<std::uint8_t>(buttons_ & ~virtualKey);
    return virtualKey;
}

void KeyStateTracker::Clear() {
    downKeys_.fill(0);
    downCount_.fill(0);
    buttons_ = 0;
}

void KeyStateTracker::Seed(const HeldState& held) {
    Clear();
    for (const HeldKey& key : held.keys) KeyPressed(key.keyCode, key.virtualKey);
    if (held.left) ButtonPressed(1);
    if (held.middle) ButtonPressed(2);
    if (held.right) ButtonPressed(3);
    resyncPending_ = false;
}

int KeyStateTracker::CatchUp(SystemKeyStatePort& system) {
    if (!resyncPending_) return 0;
    const HeldState held = system.ReadHeld();
    if (system.InputWaiting()) return 0;
    const std::uint8_t before = buttons_;
    Seed(held);
    return before & ~buttons_;
}

int KeyStateTracker::CheckAtKeyDown(SystemKeyStatePort& system) {
    if (resyncPending_) return CatchUp(system);
    const HeldState held = system.ReadHeld();
    if (system.InputWaiting()) return 0;
    bool modifierHeld[3] = {false, false, false};  // Shift, Ctrl, Alt
    for (const HeldKey& key : held.keys)
        if (key.virtualKey >= vk::kShift && key.virtualKey <= vk::kMenu)
            modifierHeld[key.virtualKey - vk::kShift] = true;
    for (unsigned code = 0; code < kKeyCodes; ++code) {
        const int virtualKey = downKeys_[code];
        if (virtualKey >= vk::kShift && virtualKey <= vk::kMenu &&
            !modifierHeld[virtualKey - vk::kShift])
            KeyReleased(code);
    }
    const std::uint8_t before = buttons_;
    if (!held.left) ButtonReleased(1);
    if (!held.middle) ButtonReleased(2);
    if (!held.right) ButtonReleased(3);
    return before & ~buttons_;
}

bool KeyStateTracker::IsDown(int virtualKey) const {
    switch (virtualKey) {
        case vk::kLButton:
        case vk::kRButton:
        case vk::kMButton:
            return (buttons_ & virtualKey) != 0;
        default:
            break;
    }
    if (virtualKey <= 0 || virtualKey > 0xFF) return false;
    return downCount_[static_cast<std::size_t>(virtualKey)] != 0;
}

ShiftByte KeyStateTracker::Shift() const {
    ShiftByte shift = 0;
    if (IsDown(vk::kShift)) shift |= kShiftShift;
    if (IsDown(vk::kMenu)) shift |= kShiftAlt;
    if (IsDown(vk::kControl)) shift |= kShiftCtrl;
    if (IsDown(vk::kLButton)) shift |= kShiftLeftButton;
    if (IsDown(vk::kRButton)) shift |= kShiftRightButton;
    if (IsDown(vk::kMButton)) shift |= kShiftMiddleButton;
    return shift;
}

InputKind KeyStateTracker::KeyDownKind(int virtualKey) const {
    return IsSystemKeyDown(virtualKey, Shift()) ? InputKind::SysKeyDown : InputKind::KeyDown;
}

}  // namespace pixolet

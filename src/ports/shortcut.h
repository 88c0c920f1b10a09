// Shortcuts and the shift byte that the input hook hands to the dispatch.
#pragma once

#include <cstdint>

namespace pixolet {

// Low byte: virtual-key code; 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt; 0 = none.
using Shortcut = std::uint16_t;

constexpr Shortcut kShortcutShift = 0x2000;
constexpr Shortcut kShortcutCtrl = 0x4000;
constexpr Shortcut kShortcutAlt = 0x8000;
constexpr Shortcut kShortcutKeyMask = 0x1FFF;

// Modifier and mouse-button state of one key-down.
using ShiftByte = std::uint8_t;

constexpr ShiftByte kShiftShift = 0x01;
constexpr ShiftByte kShiftAlt = 0x02;
constexpr ShiftByte kShiftCtrl = 0x04;
constexpr ShiftByte kShiftLeftButton = 0x08;
constexpr ShiftByte kShiftRightButton = 0x10;
constexpr ShiftByte kShiftMiddleButton = 0x20;

// The modifier set of a shortcut, in shift-byte bits.
constexpr ShiftByte ShortcutModifiers(Shortcut s) {
    return static_cast<ShiftByte>(((s & kShortcutShift) ? kShiftShift : 0) |
                                  ((s & kShortcutCtrl) ? kShiftCtrl : 0) |
                                  ((s & kShortcutAlt) ? kShiftAlt : 0));
}

// Virtual-key codes the program names (the Windows values, used on every
// platform so that stored shortcuts mean the same everywhere).
namespace vk {
constexpr int kLButton = 0x01;
constexpr int kRButton = 0x02;
constexpr int kMButton = 0x04;
constexpr int kShift = 0x10;
constexpr int kControl = 0x11;
constexpr int kMenu = 0x12;  // Alt
constexpr int kF10 = 0x79;
}  // namespace vk

}  // namespace pixolet

// The shortcut editors' rule for typed key combinations.
#pragma once

#include "ports/shortcut.h"

namespace pixolet {

// The value an editor holds: the key code from the low byte and the Shift,
// Ctrl and Alt bits; anything else in the value is dropped.
constexpr Shortcut EditorValue(Shortcut value) {
    return static_cast<Shortcut>(value & (0xFF | kShortcutShift | kShortcutCtrl | kShortcutAlt));
}

// True for the modifier sets an editor refuses as typed: none, Shift alone,
// Alt alone and Shift+Ctrl. `modifiers` holds Shortcut modifier bits.
bool IsRejectedModifierSet(Shortcut modifiers);

// What an editor holds after the user typed `typed` (key code plus modifier
// bits): a refused modifier set is replaced by the editor's `fallback`
// modifiers. A combination without a key is no shortcut (0).
Shortcut ApplyHotkeyRules(Shortcut typed, Shortcut fallback);

}  // namespace pixolet

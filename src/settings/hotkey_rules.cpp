#include "settings/hotkey_rules.h"

namespace pixolet {

namespace {

constexpr Shortcut kModifierMask = kShortcutShift | kShortcutCtrl | kShortcutAlt;

}  // namespace

bool IsRejectedModifierSet(Shortcut modifiers) {
    switch (modifiers & kModifierMask) {
        case 0:
        case kShortcutShift:
        case kShortcutAlt:
        case kShortcutShift | kShortcutCtrl:
            return true;
        default:
            return false;
    }
}

Shortcut ApplyHotkeyRules(Shortcut typed, Shortcut fallback) {
    const Shortcut key = typed & 0xFF;
    if (key == 0) return 0;
    Shortcut modifiers = typed & kModifierMask;
    if (IsRejectedModifierSet(modifiers)) modifiers = fallback & kModifierMask;
    return static_cast<Shortcut>(key | modifiers);
}

}  // namespace pixolet

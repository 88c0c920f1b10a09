#include "platform/win32/hotkey_control.h"

namespace pixolet::win32 {

namespace {

struct FlagPair {
    BYTE hotkeyFlag;
    Shortcut shortcutBit;
};

constexpr FlagPair kFlagPairs[] = {
    {HOTKEYF_SHIFT, kShortcutShift},
    {HOTKEYF_CONTROL, kShortcutCtrl},
    {HOTKEYF_ALT, kShortcutAlt},
};

}  // namespace

Shortcut ShortcutFromHotkey(WORD hotkey) {
    const BYTE flags = HIBYTE(hotkey);
    Shortcut shortcut = LOBYTE(hotkey);
    for (const FlagPair& pair : kFlagPairs)
        if (flags & pair.hotkeyFlag) shortcut |= pair.shortcutBit;
    return shortcut;
}

WORD HotkeyFromShortcut(Shortcut shortcut) {
    BYTE flags = 0;
    for (const FlagPair& pair : kFlagPairs)
        if (shortcut & pair.shortcutBit) flags |= pair.hotkeyFlag;
    return MAKEWORD(LOBYTE(shortcut), flags);
}

HWND CreateHotkeyControl(HWND parent, int id, const RECT& bounds, Shortcut fallback) {
    HWND control = CreateWindowExA(
        0, HOTKEY_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (control)
        SendMessageA(control, HKM_SETRULES, kRefusedCombinations,
                     MAKELPARAM(HIBYTE(HotkeyFromShortcut(fallback)), 0));
    return control;
}

Shortcut ReadHotkey(HWND control) {
    return ShortcutFromHotkey(LOWORD(SendMessageA(control, HKM_GETHOTKEY, 0, 0)));
}

void WriteHotkey(HWND control, Shortcut value) {
    SendMessageA(control, HKM_SETHOTKEY, HotkeyFromShortcut(value), 0);
}

}  // namespace pixolet::win32

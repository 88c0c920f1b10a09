// The system hot-key control as the dialog's shortcut editor: the mapping
// between its modifier flags and a Shortcut, and its refusal rules.
#pragma once

#include <windows.h>
// After windows.h, whose types it needs.
#include <commctrl.h>

#include "ports/shortcut.h"

namespace pixolet::win32 {

// The control's value: the key code in the low byte, its HOTKEYF_ flags in
// the high byte. The extended-key flag does not survive into the Shortcut.
Shortcut ShortcutFromHotkey(WORD hotkey);
WORD HotkeyFromShortcut(Shortcut shortcut);

// The modifier combinations every editor refuses as typed: none, Shift
// alone, Alt alone and Shift+Ctrl.
inline constexpr WPARAM kRefusedCombinations = HKCOMB_NONE | HKCOMB_S | HKCOMB_A | HKCOMB_SC;

// A new editor at `bounds` on `parent` that puts `fallback`'s modifiers in
// place of a refused set.
HWND CreateHotkeyControl(HWND parent, int id, const RECT& bounds, Shortcut fallback);

Shortcut ReadHotkey(HWND control);
void WriteHotkey(HWND control, Shortcut value);

}  // namespace pixolet::win32

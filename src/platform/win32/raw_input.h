// Raw input records turned into the core's InputEvents, with the key and
// button state kept from the same ordered stream. Pure functions of the
// record's fields, so that they are tested without a desktop.
#pragma once

#include <windows.h>

#include <cstddef>

#include "readout/input_hook.h"
#include "readout/key_state_tracker.h"

namespace pixolet::win32 {

// The fields of a RAWKEYBOARD record that matter here.
struct RawKey {
    USHORT makeCode = 0;
    USHORT flags = 0;  // RI_KEY_BREAK, RI_KEY_E0, RI_KEY_E1
    USHORT vKey = 0;
    UINT message = 0;  // WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP, WM_SYSKEYUP
};

// The fields of a RAWMOUSE record that matter here.
struct RawMouse {
    USHORT flags = 0;  // MOUSE_MOVE_ABSOLUTE and friends
    USHORT buttonFlags = 0;
    LONG lastX = 0;
    LONG lastY = 0;
};

// The tracker's physical key code of a key record: the scan code, plus 0x100
// for an extended (E0) key.
unsigned PhysicalKeyCode(const RawKey& key);

// The virtual-key code as the program uses it: the generic Shift, Ctrl and
// Alt codes for either side.
int GenericVirtualKey(int virtualKey);

// Updates `keys` and gives the event for the core, or false for a record the
// core does not see (the fake Shift that the keyboard driver wraps around
// navigation keys, the E1 prefix of Pause, a key without a code).
bool TranslateKey(const RawKey& key, KeyStateTracker& keys, InputEvent& out);

// At most one move and six button changes in one record.
inline constexpr std::size_t kMaxMouseEvents = 7;

struct MouseEvents {
    InputEvent events[kMaxMouseEvents];
    std::size_t count = 0;
};

// Updates `keys` and gives the record's events in the order they happened:
// the move first, then each button's press before its release. Buttons are
// physical in the record; `swapped` is the system's left-handed setting.
MouseEvents TranslateMouse(const RawMouse& mouse, bool swapped, KeyStateTracker& keys);

}  // namespace pixolet::win32

// Routing of the desktop's input events to the readout window's operations.
// The platform turns its global input stream into InputEvents, in order, on
// the GUI thread, and keeps the up/down state of the modifiers and buttons.
#pragma once

#include <cstdint>

#include "ports/key_state_port.h"
#include "ports/shortcut.h"

namespace pixolet {

class TfrmPixoletMain;

enum class InputKind {
    KeyDown,     // an ordinary key-down, with its virtual-key code
    SysKeyDown,  // a key typed while Alt is held without Ctrl, and F10
    KeyUp,
    MouseMove,
    LButtonDown,
    LButtonUp,
    Other,
};

struct InputEvent {
    InputKind kind = InputKind::Other;
    int key = 0;  // virtual-key code of a key event
};

// The shift byte of a key-down, built from the key state.
std::uint8_t ShiftByteFrom(const KeyStatePort& keys);

// Whether a key-down counts as a system key-down, which never reaches the
// shortcut dispatch: any key typed while Alt is held without Ctrl, and F10.
// `held` is the modifier state with the key itself already down.
bool IsSystemKeyDown(int virtualKey, ShiftByte held);

// Runs what one event asks for. True when a shortcut handled the event (the
// event is then not passed on to further observers).
bool InputHookProc(TfrmPixoletMain& window, const InputEvent& event, const KeyStatePort& keys);

}  // namespace pixolet

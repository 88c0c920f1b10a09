// The rules of a pick session. Where the desktop gives a program neither the
// pointer's position nor the keys typed into other programs (Wayland), the
// shown readout holds the pointer and the keyboard itself through a
// transparent surface over the whole screen, and the session lasts as long as
// the readout shows. These rules say what the clicks and keys of a session do
// beyond the input routing every platform shares.
#pragma once

namespace pixolet {

enum class SessionStep {
    Route,       // hand the event to the input routing, as on every platform
    CopyAndEnd,  // copy the colour, then end the session (hide the readout)
    End,         // end the session: hide the readout, as the user's hide does
    Ignore,      // nothing
};

// A mouse button went down (`pressed`) or up. Buttons as X numbers them:
// 1 left, 2 middle, 3 right. The left button copies and ends the session,
// except in measuring mode, where its press adds a point, and while the
// window is frozen, where it drags the window; the right button ends the
// session.
SessionStep SessionStepForButton(int button, bool pressed, bool measuringMode, bool windowFrozen);

// A key-down that no shortcut took: Escape ends the session.
SessionStep SessionStepForUnhandledKey(int virtualKey);

}  // namespace pixolet

// Raw input records turned into the core's InputEvents, with the key and
// button state kept from the same ordered stream. Pure functions of the
// record's fields, so that they are tested without a desktop.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <utility>

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
// navigation keys, the filler record that follows Pause, a key without a
// code).
bool TranslateKey(const RawKey& key, KeyStateTracker& keys, InputEvent& out);

// Whether a mouse record moves the pointer. A relative record without motion
// carries only buttons or the wheel; an absolute one (tablets, remote
// desktops, virtual machines) always places the pointer.
bool MouseMoves(const RawMouse& mouse);

// At most six button changes in one record.
inline constexpr std::size_t kMaxButtonEvents = 6;

struct ButtonEvents {
    InputEvent events[kMaxButtonEvents];
    std::size_t count = 0;
};

// Updates `keys` with the record's button changes and gives their events in
// the order they happened, each button's press before its release. The move
// a record may also carry is not among them: it happened first (see
// RawInputRouter). Buttons are physical in the record; `swapped` is the
// system's left-handed setting.
ButtonEvents TranslateButtons(const RawMouse& mouse, bool swapped, KeyStateTracker& keys);

// The raw input stream's records, in order, turned into the core's events,
// each handed on with the key and button state as of it, and that state kept
// in line with the system where the stream loses releases.
class RawInputRouter {
  public:
    using Handler = std::function<void(const InputEvent&)>;
    // Runs before the state takes in a key or button record, so that
    // whatever waits for the last move sees the state of that move.
    using BeforeKeyOrButton = std::function<void()>;

    explicit RawInputRouter(SystemKeyStatePort& system) : system_(system) {}

    // Starts handing events on, from the state the system reports now. The
    // handler must not throw; it may Stop the router.
    void Start(Handler handler, BeforeKeyOrButton before);
    void Stop();
    bool Active() const { return static_cast<bool>(handler_); }

    void Keyboard(const RawKey& key);
    void Mouse(const RawMouse& mouse, bool swapped);
    // The session or the input desktop changed: releases made meanwhile
    // never arrived.
    void SystemChanged();

    const KeyStateTracker& Keys() const { return keys_; }

  private:
    // False when the callback stopped the router.
    bool RunBefore();
    bool Deliver(const InputEvent& event);
    // A left button the resynchronisation released ends a drag as its
    // release would have.
    bool DeliverReleases(int releasedButtons);

    SystemKeyStatePort& system_;
    KeyStateTracker keys_;
    Handler handler_;
    BeforeKeyOrButton before_;
};

}  // namespace pixolet::win32

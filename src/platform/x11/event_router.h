// The XInput2 raw event stream, in order, turned into the core's events, each
// handed on with the key and button state as of it, and that state kept in
// line with the system's where the stream loses releases (a switch to
// another virtual terminal disables the devices, and what is released there
// never arrives). Free of Xlib: the input source reads the records and
// supplies the key map, the button map and the system's view.
#pragma once

#include <functional>

#include "ports/key_state_port.h"
#include "readout/input_hook.h"
#include "readout/key_state_tracker.h"

namespace pixolet::x11 {

class X11EventRouter {
  public:
    using Handler = std::function<void(const InputEvent&)>;
    // Runs before the state takes in a key or button event, so that
    // whatever waits for the last move sees the state of that move.
    using BeforeKeyOrButton = std::function<void()>;
    // The virtual-key code an X key code means now (0 for none).
    using KeyMap = std::function<int(unsigned keyCode)>;
    // The logical button of a physical one (a left-handed mouse swaps 1 and 3).
    using ButtonMap = std::function<int(int physical)>;

    X11EventRouter(SystemKeyStatePort& system, KeyMap keyMap, ButtonMap buttonMap);

    // Starts handing events on, from the state the system reports now. The
    // handler must not throw; it may Stop the router.
    void Start(Handler handler, BeforeKeyOrButton before);
    void Stop();
    bool Active() const { return static_cast<bool>(handler_); }

    void KeyDown(unsigned keyCode);
    void KeyUp(unsigned keyCode);
    void ButtonDown(int physical);
    void ButtonUp(int physical);
    void Moved();
    // Devices were enabled, disabled, attached or detached (a switch of
    // virtual terminal does this): releases made meanwhile never arrived.
    void DevicesChanged();

    const KeyStateTracker& Keys() const { return keys_; }

  private:
    bool RunBefore();
    bool Deliver(const InputEvent& event);
    // A left button the resynchronisation released ends a drag as its
    // release would have.
    bool DeliverReleases(int releasedButtons);
    void CatchUp();

    SystemKeyStatePort& system_;
    KeyMap keyMap_;
    ButtonMap buttonMap_;
    KeyStateTracker keys_;
    Handler handler_;
    BeforeKeyOrButton before_;
};

}  // namespace pixolet::x11

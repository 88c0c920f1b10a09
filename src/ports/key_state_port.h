// The up/down state of keys and buttons as of the input event being handled,
// and the system's own view of it, asked only to bring a tracked state back
// in line.
#pragma once

#include <vector>

namespace pixolet {

// Whether a key or button (by virtual-key code) is down right now, as of the
// event being handled.
class KeyStatePort {
  public:
    virtual ~KeyStatePort() = default;
    virtual bool IsDown(int virtualKey) const = 0;
};

// One key that the system reports held: its physical key code (as the
// platform's input stream numbers keys) and what it means now.
struct HeldKey {
    unsigned keyCode = 0;
    int virtualKey = 0;
};

// What the system reports held at the moment it is asked. Buttons by number:
// 1 left, 2 middle, 3 right, after a left-handed swap.
struct HeldState {
    std::vector<HeldKey> keys;
    bool left = false;
    bool middle = false;
    bool right = false;
};

// The system's current view of the keyboard and the mouse buttons. It runs
// ahead of the ordered input stream while events are still queued, so it is
// never the state of an event; it only tells which releases the stream lost
// (another desktop or session had the input, another virtual terminal, a
// window the program may not observe).
class SystemKeyStatePort {
  public:
    virtual ~SystemKeyStatePort() = default;
    virtual HeldState ReadHeld() = 0;
    // Asked right after ReadHeld: whether input the stream has not handed
    // over yet was waiting. The state read may then already include changes
    // whose events are still to come.
    virtual bool InputWaiting() = 0;
};

}  // namespace pixolet

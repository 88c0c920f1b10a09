// The up/down state of keys and buttons as of the input event being handled.
#pragma once

namespace pixolet {

// Whether a key or button (by virtual-key code) is down right now, as of the
// event being handled.
class KeyStatePort {
public:
    virtual ~KeyStatePort() = default;
    virtual bool IsDown(int virtualKey) const = 0;
};

}  // namespace pixolet

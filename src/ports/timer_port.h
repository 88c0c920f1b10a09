// A one-shot wake-up on the GUI thread. The core arms it only while it has
// work waiting; nothing ticks while there is none.
#pragma once

#include <cstdint>

namespace pixolet {

class TimerPort {
  public:
    virtual ~TimerPort() = default;
    // Calls the owner back once, on the GUI thread, `delayMs` milliseconds
    // from now. Arming again replaces the wake-up still to come.
    virtual void StartOneShot(std::uint32_t delayMs) = 0;
    // No wake-up comes until the next StartOneShot.
    virtual void Cancel() = 0;
};

}  // namespace pixolet

// The core's millisecond clock on Linux, from the monotonic clock.
#pragma once

#include <chrono>
#include <cstdint>

#include "ports/screen_port.h"

namespace pixolet::linux_common {

class SteadyClock : public Clock {
  public:
    std::uint32_t TickCount() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        // Wraps like a 32-bit tick counter; the core only takes differences.
        return static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
};

}  // namespace pixolet::linux_common

// A one-shot timer that only records what it was asked; the test fires it.
#pragma once

#include <optional>

#include "ports/timer_port.h"

namespace pixolet::fakes {

class FakeTimer : public TimerPort {
  public:
    std::optional<std::uint32_t> armed;  // delay of the wake-up to come
    int starts = 0;

    void StartOneShot(std::uint32_t delayMs) override {
        armed = delayMs;
        ++starts;
    }
    void Cancel() override { armed.reset(); }
};

}  // namespace pixolet::fakes

// The core's one-shot wake-up on Qt's event loop.
#pragma once

#include <QTimer>
#include <functional>

#include "ports/timer_port.h"

namespace pixolet::linux_common {

class QtOneShotTimer : public TimerPort {
  public:
    // `fired` runs on the GUI thread each time the timer goes off.
    explicit QtOneShotTimer(std::function<void()> fired);
    ~QtOneShotTimer() override;
    QtOneShotTimer(const QtOneShotTimer&) = delete;
    QtOneShotTimer& operator=(const QtOneShotTimer&) = delete;

    void StartOneShot(std::uint32_t delayMs) override;
    void Cancel() override;

  private:
    QTimer timer_;
    std::function<void()> fired_;
};

}  // namespace pixolet::linux_common

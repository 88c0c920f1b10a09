#include "platform/linux/one_shot_timer.h"

namespace pixolet::linux_common {

QtOneShotTimer::QtOneShotTimer(std::function<void()> fired) : fired_(std::move(fired)) {
    timer_.setSingleShot(true);
    // Millisecond accuracy: the wake-up ends a display frame.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (fired_) fired_();
    });
}

QtOneShotTimer::~QtOneShotTimer() = default;

void QtOneShotTimer::StartOneShot(std::uint32_t delayMs) {
    timer_.start(static_cast<int>(std::min<std::uint32_t>(delayMs, 1u << 30)));
}

void QtOneShotTimer::Cancel() {
    timer_.stop();
}

}  // namespace pixolet::linux_common

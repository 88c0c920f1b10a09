#include "readout/motion_pacer.h"

#include <algorithm>
#include <cmath>

#include "readout/readout_window.h"

namespace pixolet {

namespace {

constexpr std::uint32_t kFallbackInterval = 16;  // 60 Hz

}  // namespace

std::uint32_t FrameIntervalForRefresh(double hertz) {
    // Rounded down, so that an update is never more than one frame late.
    if (!std::isfinite(hertz) || hertz <= 1.0 || hertz > 1000.0) return kFallbackInterval;
    return static_cast<std::uint32_t>(std::max(1.0, std::floor(1000.0 / hertz)));
}

MotionPacer::MotionPacer(TfrmPixoletMain& window, const KeyStatePort& keys, TimerPort& timer)
    : window_(window), keys_(keys), timer_(timer), interval_(kFallbackInterval) {}

MotionPacer::~MotionPacer() {
    Disarm();
}

void MotionPacer::SetFrameInterval(std::uint32_t milliseconds) {
    interval_ = milliseconds > 0 ? milliseconds : kFallbackInterval;
}

bool MotionPacer::Visible() const {
    return window_.Ports().view.IsVisible();
}

bool MotionPacer::Handle(const InputEvent& event) {
    if (event.kind != InputKind::MouseMove) {
        Flush();
        const bool handled = InputHookProc(window_, event, keys_);
        // A shortcut may have hidden the readout; a re-sample set off by the
        // flush would then wait for nothing.
        if (!Visible()) Discard();
        return handled;
    }
    if (!Visible()) {
        Discard();
        return false;
    }
    const std::uint32_t now = window_.Ports().clock.TickCount();
    const std::uint32_t since = now - lastRun_;  // wraps like the tick count
    if (!ranOnce_ || since >= interval_) return RunMove();
    // Within the frame of the last update: wait for its end. A re-sample
    // that waited is done by the move's own sampling.
    resamplePending_ = false;
    if (!movePending_) {
        movePending_ = true;
        Arm(interval_ - since);
    }
    return false;
}

void MotionPacer::Flush() {
    if (movePending_) RunMove();
    // A key right after a jump copies what is really there: sample again
    // now. The screen may still be settling, so the re-sample at the end of
    // the frame stays due as well.
    if (resamplePending_ && Visible()) SampleAgain();
}

void MotionPacer::OnTimer() {
    armed_ = false;
    if (movePending_)
        RunMove();
    else if (resamplePending_)
        RunResample();
}

void MotionPacer::Discard() {
    movePending_ = false;
    resamplePending_ = false;
    Disarm();
}

bool MotionPacer::RunMove() {
    movePending_ = false;
    resamplePending_ = false;
    Disarm();
    if (!Visible()) return false;
    lastRun_ = window_.Ports().clock.TickCount();
    ranOnce_ = true;
    ++updates_;
    window_.SampledOverOldPlace = false;
    const bool handled = InputHookProc(window_, InputEvent{InputKind::MouseMove, 0}, keys_);
    if (window_.SampledOverOldPlace && Visible()) {
        resamplePending_ = true;
        Arm(interval_);
    }
    return handled;
}

void MotionPacer::RunResample() {
    resamplePending_ = false;
    Disarm();
    if (Visible()) SampleAgain();
}

void MotionPacer::SampleAgain() {
    lastRun_ = window_.Ports().clock.TickCount();
    ++updates_;
    // The pointer has not moved since, so neither does the window; a
    // re-sample never asks for another.
    window_.TrackingUpdate();
    window_.SampledOverOldPlace = false;
}

void MotionPacer::Arm(std::uint32_t delay) {
    timer_.StartOneShot(delay > 0 ? delay : 1);
    armed_ = true;
}

void MotionPacer::Disarm() {
    if (!armed_) return;
    timer_.Cancel();
    armed_ = false;
}

}  // namespace pixolet

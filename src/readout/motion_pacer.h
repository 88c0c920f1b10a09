// Paces the tracking update to the display. Pointer moves can arrive at a
// mouse's report rate (up to 1000 a second), far more often than any screen
// shows a new picture, and every update costs the whole desktop a window
// move and a repaint. The pacer sits between the platform's input source and
// InputHookProc:
//
// - A move after a quiet spell (no update within the last frame) runs at once.
// - Moves within a frame of the last update collapse into one update at the
//   end of that frame; that update reads the pointer then, so it always shows
//   the latest position.
// - Every other event keeps its order: a waiting update runs before it is
//   routed, so a copy, a drag step or a measuring click acts on the position
//   and colour of the move just before it.
// - Nothing waits while the readout is hidden, and the one-shot timer is
//   armed only while something waits: a resting pointer costs nothing.
// - When an update moved the window and then sampled where the window had
//   been, the other window below may not have repainted that place yet, so
//   the sample can hold the readout's own old pixels. One frame later, once
//   the screen has settled, the same place is sampled again.
#pragma once

#include <cstdint>

#include "ports/key_state_port.h"
#include "ports/timer_port.h"
#include "readout/input_hook.h"

namespace pixolet {

class TfrmPixoletMain;

// Frame interval in whole milliseconds for a display refresh rate in hertz;
// 60 Hz where the rate is unknown (0, 1 or nonsense).
std::uint32_t FrameIntervalForRefresh(double hertz);

class MotionPacer {
  public:
    // The clock is the window's own; `timer` calls OnTimer when it fires.
    MotionPacer(TfrmPixoletMain& window, const KeyStatePort& keys, TimerPort& timer);
    ~MotionPacer();
    MotionPacer(const MotionPacer&) = delete;
    MotionPacer& operator=(const MotionPacer&) = delete;

    void SetFrameInterval(std::uint32_t milliseconds);
    std::uint32_t FrameInterval() const { return interval_; }

    // One event from the platform's input stream; the result is
    // InputHookProc's (true when a shortcut handled it). A move may wait.
    bool Handle(const InputEvent& event);
    // Runs what waits, now. A platform that updates its key state before
    // handing a key or button event on calls this first, so the waiting
    // update sees the keys as they were at the move.
    void Flush();
    // The one-shot timer fired.
    void OnTimer();
    // The readout was hidden: drop what waits and disarm the timer.
    void Discard();

    bool MovePending() const { return movePending_; }
    bool ResamplePending() const { return resamplePending_; }
    // Tracking updates run through the pacer (moves and re-samples).
    std::uint64_t UpdatesRun() const { return updates_; }

  private:
    bool Visible() const;
    bool RunMove();
    void RunResample();
    void SampleAgain();
    void Arm(std::uint32_t delay);
    void Disarm();

    TfrmPixoletMain& window_;
    const KeyStatePort& keys_;
    TimerPort& timer_;
    std::uint32_t interval_;
    std::uint32_t lastRun_ = 0;
    bool ranOnce_ = false;
    bool movePending_ = false;
    bool resamplePending_ = false;
    bool armed_ = false;
    std::uint64_t updates_ = 0;
};

}  // namespace pixolet

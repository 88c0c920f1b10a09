// The core's one-shot wake-up on the GUI thread's message loop: a timer of
// a message-only window of its own, killed as it fires.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/window_binding.h"
#include "ports/timer_port.h"

namespace pixolet::win32 {

class Win32OneShotTimer : public TimerPort {
  public:
    // `fired` runs on the GUI thread each time the timer goes off; it must
    // not throw (it guards its core calls itself).
    Win32OneShotTimer(HINSTANCE instance, std::function<void()> fired);
    ~Win32OneShotTimer() override;
    Win32OneShotTimer(const Win32OneShotTimer&) = delete;
    Win32OneShotTimer& operator=(const Win32OneShotTimer&) = delete;

    void StartOneShot(std::uint32_t delayMs) override;
    void Cancel() override;

  private:
    template <class T>
    friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::function<void()> fired_;
    bool armed_ = false;
};

// The refresh rate of the primary display's current mode in hertz; 0 when
// the system reports the hardware default (0 or 1).
double PrimaryRefreshRate();

}  // namespace pixolet::win32

// The desktop services the core's readout window uses, over Win32, and the
// error guard through which every call from a window procedure or the input
// source into the core runs: no exception ever crosses a Win32 callback.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/win32/input_source.h"
#include "platform/win32/one_shot_timer.h"
#include "ports/readout_view_port.h"
#include "readout/core_guard.h"

namespace pixolet {
class MotionPacer;
class TfrmPixoletMain;
}

namespace pixolet::win32 {

// Runs a call from a window procedure into the core (DesktopServices::Guard).
using CoreCall = std::function<void(const std::function<void()>&)>;

class DesktopServices : public DesktopPort {
  public:
    // `readout` is the readout window, whose activity is asked and which a
    // close is posted to.
    DesktopServices(HINSTANCE instance, HWND readout);
    ~DesktopServices() override;
    DesktopServices(const DesktopServices&) = delete;
    DesktopServices& operator=(const DesktopServices&) = delete;

    // The core window, once it exists; input and close calls go to it.
    void Attach(TfrmPixoletMain* window) {
        window_ = window;
        guard_.Attach(window);
    }

    // Runs `call` as an entry from Win32 into the core (see CoreGuard).
    void Guard(const std::function<void()>& call) noexcept { guard_.Run(call); }
    CoreCall GuardCall() {
        return [this](const std::function<void()>& call) { Guard(call); };
    }
    bool Terminated() const { return guard_.Terminated(); }
    const Win32InputSource& Input() const { return input_; }

    bool IsReadoutActive() override;
    void PostClose() override;
    void InstallInputHook() override;
    void RemoveInputHook() override;
    void InstallErrorHandler() override { guard_.InstallHandler(); }
    void ShowError(std::string_view message) override;
    void Terminate() override;
    std::string ExecutablePath() override;
    bool AskYesNo(std::string_view caption, std::string_view text) override;

  private:
    HWND readout_;
    TfrmPixoletMain* window_ = nullptr;
    Win32InputSource input_;
    Win32OneShotTimer timer_;
    // Between the input source and the core's input routing, once the hook
    // is installed.
    std::unique_ptr<MotionPacer> pacer_;
    CoreGuard guard_{*this};
};

}  // namespace pixolet::win32

// The one way platform callbacks enter the core. Window procedures, Qt slots,
// input handlers and timers all run their call into the core through a
// CoreGuard, so no exception ever escapes into a toolkit's event loop or
// across an OS callback.
#pragma once

#include <exception>
#include <functional>

namespace pixolet {

class DesktopPort;
class TfrmPixoletMain;

class CoreGuard {
  public:
    explicit CoreGuard(DesktopPort& desktop) : desktop_(desktop) {}

    // The readout window, once it exists. Calls before that, and after the
    // program was ended, are dropped.
    void Attach(TfrmPixoletMain* window) { window_ = window; }
    // From now on an escaping error ends the program through the window's
    // AppExceptionHandler; before, it is shown and the program goes on.
    void InstallHandler() { handlerInstalled_ = true; }
    void MarkTerminated() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

    void Run(const std::function<void()>& call) noexcept;

  private:
    void Handle(const std::exception& error) noexcept;

    DesktopPort& desktop_;
    TfrmPixoletMain* window_ = nullptr;
    bool handlerInstalled_ = false;
    bool terminated_ = false;
    // An error raised while the error box is up (by a paint, say) is not
    // shown a second time.
    bool handlingError_ = false;
};

}  // namespace pixolet

#include "readout/core_guard.h"

#include <stdexcept>

#include "ports/readout_view_port.h"
#include "readout/readout_window.h"

namespace pixolet {

void CoreGuard::Run(const std::function<void()>& call) noexcept {
    if (terminated_ || !window_) return;
    try {
        call();
    } catch (const std::exception& error) {
        Handle(error);
    } catch (...) {
        Handle(std::runtime_error("Unknown error"));
    }
}

void CoreGuard::Handle(const std::exception& error) noexcept {
    if (handlingError_) return;
    handlingError_ = true;
    try {
        if (handlerInstalled_)
            window_->AppExceptionHandler(error);
        else
            desktop_.ShowError(ErrorBoxText(error.what()));
    } catch (...) {
        // The handler itself failed: end the program rather than loop.
        try {
            desktop_.Terminate();
        } catch (...) {
            terminated_ = true;
        }
    }
    handlingError_ = false;
}

}  // namespace pixolet

#include "platform/win32/desktop_services.h"

#include <stdexcept>
#include <vector>

#include "app/start_sequence.h"
#include "readout/input_hook.h"
#include "readout/readout_window.h"

namespace pixolet::win32 {

DesktopServices::DesktopServices(HINSTANCE instance, HWND readout)
    : readout_(readout), input_(instance) {}

DesktopServices::~DesktopServices() {
    input_.Remove();
}

void DesktopServices::Guard(const std::function<void()>& call) noexcept {
    if (terminated_ || !window_) return;
    try {
        call();
    } catch (const std::exception& error) {
        HandleError(error);
    } catch (...) {
        HandleError(std::runtime_error("Unknown error"));
    }
}

void DesktopServices::HandleError(const std::exception& error) noexcept {
    // An error raised while the error box is up (by a paint, say) is not
    // shown a second time.
    if (handlingError_) return;
    handlingError_ = true;
    try {
        if (errorHandlerInstalled_)
            window_->AppExceptionHandler(error);
        else
            ShowError(ErrorBoxText(error.what()));
    } catch (...) {
        // The handler itself failed: end the program rather than loop.
        Terminate();
    }
    handlingError_ = false;
}

bool DesktopServices::IsReadoutActive() {
    return readout_ != nullptr && GetForegroundWindow() == readout_;
}

void DesktopServices::PostClose() {
    // After the current event: the quit shortcut and the menu entry both
    // arrive in the middle of something the core is still doing.
    PostMessageA(readout_, WM_CLOSE, 0, 0);
}

void DesktopServices::InstallInputHook() {
    // A failure leaves the program without live readout and shortcuts, and
    // is not reported.
    input_.Install([this](const InputEvent& event) {
        Guard([&] { InputHookProc(*window_, event, input_); });
    });
}

void DesktopServices::RemoveInputHook() {
    input_.Remove();
}

void DesktopServices::ShowError(std::string_view message) {
    const std::string text(message);
    MessageBoxA(nullptr, text.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void DesktopServices::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    input_.Remove();
    PostQuitMessage(0);
}

std::string DesktopServices::ExecutablePath() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        // A full buffer means the path may have been cut: try a larger one.
        if (length < path.size()) return std::string(path.data(), length);
        if (path.size() >= 32768) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

bool DesktopServices::AskYesNo(std::string_view caption, std::string_view text) {
    const std::string captionText(caption);
    const std::string bodyText(text);
    return MessageBoxA(nullptr, bodyText.c_str(), captionText.c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_SETFOREGROUND) == IDYES;
}

}  // namespace pixolet::win32

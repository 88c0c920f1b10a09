#include "platform/win32/one_shot_timer.h"

namespace pixolet::win32 {

namespace {

constexpr char kWindowClass[] = "PixoletOneShotTimer";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

Win32OneShotTimer::Win32OneShotTimer(HINSTANCE instance, std::function<void()> fired)
    : fired_(std::move(fired)) {
    WindowOptions options;
    options.className = kWindowClass;
    options.style = 0;
    options.parent = HWND_MESSAGE;
    window_ = CreateBoundWindow(instance, options, this);
}

Win32OneShotTimer::~Win32OneShotTimer() {
    Cancel();
    DestroyBoundWindow(window_);
}

void Win32OneShotTimer::StartOneShot(std::uint32_t delayMs) {
    if (!window_) return;
    // Arming an existing timer id again replaces its time-out.
    armed_ = SetTimer(window_, kTimerId, delayMs > 0 ? delayMs : 1, nullptr) != 0;
}

void Win32OneShotTimer::Cancel() {
    if (!armed_) return;
    armed_ = false;
    KillTimer(window_, kTimerId);
}

LRESULT Win32OneShotTimer::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        // A system timer repeats; this one fires once.
        Cancel();
        if (fired_) fired_();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

double PrimaryRefreshRate() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0.0;
    // 0 and 1 stand for the hardware's default rate, which is not told.
    return mode.dmDisplayFrequency > 1 ? static_cast<double>(mode.dmDisplayFrequency) : 0.0;
}

}  // namespace pixolet::win32

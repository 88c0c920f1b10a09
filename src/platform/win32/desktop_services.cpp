#include "platform/win32/desktop_services.h"

#include <stdexcept>

#include "app/start_sequence.h"
#include "platform/win32/version_block.h"
#include "readout/input_hook.h"
#include "readout/motion_pacer.h"
#include "readout/readout_window.h"

namespace pixolet::win32 {

DesktopServices::DesktopServices(HINSTANCE instance, HWND readout)
    : readout_(readout), input_(instance), timer_(instance, [this] {
          if (!pacer_) return;
          // First what queued up while the move waited, in order; when that
          // has already run the frame's update, the timer has nothing left.
          const auto before = pacer_->UpdatesRun();
          input_.SetReading(true);
          if (pacer_ && pacer_->UpdatesRun() == before) Guard([this] { pacer_->OnTimer(); });
      }) {}

DesktopServices::~DesktopServices() {
    RemoveInputHook();
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
    if (!window_ || pacer_) return;
    pacer_ = std::make_unique<MotionPacer>(*window_, input_, timer_);
    pacer_->SetFrameInterval(FrameIntervalForRefresh(PrimaryRefreshRate()));
    input_.Install(
        [this](const InputEvent& event) {
            Guard([&] { pacer_->Handle(event); });
            // A waiting move has the timer armed, which reads on.
            if (pacer_) input_.SetReading(!pacer_->MovePending());
        },
        [this] { Guard([this] { pacer_->Flush(); }); });
}

void DesktopServices::RemoveInputHook() {
    input_.Remove();
    if (pacer_) pacer_->Discard();
    pacer_.reset();
    // Nothing waits now, so nothing would turn reading on again.
    input_.SetReading(true);
}

void DesktopServices::ShowError(std::string_view message) {
    const std::string text(message);
    MessageBoxA(nullptr, text.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void DesktopServices::Terminate() {
    if (guard_.Terminated()) return;
    guard_.MarkTerminated();
    input_.Remove();
    PostQuitMessage(0);
}

std::string DesktopServices::ExecutablePath() {
    return OwnExecutablePath();
}

bool DesktopServices::AskYesNo(std::string_view caption, std::string_view text) {
    const std::string captionText(caption);
    const std::string bodyText(text);
    return MessageBoxA(nullptr, bodyText.c_str(), captionText.c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_SETFOREGROUND) == IDYES;
}

}  // namespace pixolet::win32

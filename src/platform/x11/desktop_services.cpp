#include "platform/x11/desktop_services.h"

#include <QCoreApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "app/start_sequence.h"
#include "platform/linux/desktop_dialogs.h"
#include "platform/x11/desktop_x11.h"
#include "platform/x11/display_rate.h"
#include "readout/input_hook.h"
#include "readout/motion_pacer.h"
#include "readout/readout_window.h"

namespace pixolet::x11 {

DesktopServices::DesktopServices(QWidget& readout, QObject* parent)
    : QObject(parent), readout_(readout), display_(nullptr), timer_([this] {
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
    if (!display_ || !readout_.isVisible()) return false;
    const unsigned long active = ActiveWindow(display_.get());
    return active != 0 && IsSameTopLevel(display_.get(), active, readout_.winId());
}

void DesktopServices::PostClose() {
    if (closePosted_) return;
    closePosted_ = true;
    // After the current event: the quit shortcut and the menu entry both
    // arrive in the middle of something the core is still doing.
    QMetaObject::invokeMethod(
        this, [this] { Guard([this] { window_->FormClose(); }); }, Qt::QueuedConnection);
}

void DesktopServices::InstallInputHook() {
    if (!window_ || pacer_) return;
    pacer_ = std::make_unique<MotionPacer>(*window_, input_, timer_);
    pacer_->SetFrameInterval(FrameIntervalForRefresh(display_ ? RefreshRate(display_.get()) : 0.0));
    input_.SetMotionWanted(readout_.isVisible());
    // A failure leaves the program without live readout and shortcuts, and
    // is not reported.
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
    if (!pacer_) return;
    pacer_->Discard();
    // For the follow benchmark: how many tracking updates the pacer ran.
    if (const char* count = std::getenv("PIXOLET_COUNT_UPDATES"); count && *count)
        std::fprintf(stderr, "pixolet: %llu tracking updates\n",
                     static_cast<unsigned long long>(pacer_->UpdatesRun()));
    pacer_.reset();
}

ActionOutcome DesktopServices::RunAction(Action action) {
    // Input that queued while a paced move waited comes first, in order,
    // and then the waiting move: the action sees the pointer where it is.
    input_.SetReading(true);
    ActionOutcome outcome = ActionOutcome::NotDone;
    Guard([&] {
        if (pacer_) pacer_->Flush();
        outcome = window_->RunAction(action);
    });
    return outcome;
}

void DesktopServices::ReadoutVisibilityChanged(bool shown) {
    input_.SetMotionWanted(shown);
    if (!shown && pacer_) pacer_->Discard();
    // Nothing waits now, so nothing would turn reading on again.
    if (!shown) input_.SetReading(true);
}

void DesktopServices::ShowError(std::string_view message) {
    linux_common::ShowErrorBox(message);
}

void DesktopServices::Terminate() {
    guard_.MarkTerminated();
    input_.Remove();
    QCoreApplication::exit(0);
}

std::string DesktopServices::ExecutablePath() {
    return linux_common::RunningExecutablePath();
}

bool DesktopServices::AskYesNo(std::string_view caption, std::string_view text) {
    return linux_common::AskYesNoBox(caption, text);
}

}  // namespace pixolet::x11

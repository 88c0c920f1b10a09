#include "platform/wayland/wayland_desktop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/start_sequence.h"
#include "measure/meas_points.h"
#include "platform/linux/desktop_dialogs.h"
#include "platform/wayland/marker_overlay.h"
#include "platform/wayland/readout_surface.h"
#include "platform/wayland/seat_input.h"
#include "platform/wayland/session_overlay.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_screen.h"
#include "readout/input_hook.h"
#include "readout/motion_pacer.h"
#include "readout/pick_session.h"
#include "readout/readout_window.h"

namespace pixolet::wayland {

WaylandDesktop::WaylandDesktop(WaylandConnection& connection, SeatInput& seat,
                               SessionOverlay& session, MarkerOverlay& markers,
                               ReadoutSurface& readout, WaylandScreen& screen)
    : connection_(connection),
      seat_(seat),
      session_(session),
      markers_(markers),
      readout_(readout),
      screen_(screen),
      timer_([this] {
          if (pacer_) Guard([this] { pacer_->OnTimer(); });
      }) {
    notifier_ = std::make_unique<QSocketNotifier>(connection_.Fd(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { ServeConnection(); });
    // Everything asked of the compositor leaves before the thread sleeps,
    // and the markers follow whatever the core did meanwhile.
    connect(QAbstractEventDispatcher::instance(QThread::currentThread()),
            &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                SyncMarkers();
                connection_.DispatchPending();
                connection_.Flush();
            });
}

WaylandDesktop::~WaylandDesktop() {
    RemoveInputHook();
}

void WaylandDesktop::ServeConnection() {
    if (connection_.ReadAndDispatch() && !connection_.Broken()) return;
    notifier_->setEnabled(false);
    std::fputs("pixolet: the connection to the Wayland compositor was lost\n", stderr);
    guard_.MarkTerminated();
    QCoreApplication::exit(1);
}

void WaylandDesktop::PostClose() {
    if (closePosted_) return;
    closePosted_ = true;
    QMetaObject::invokeMethod(
        this, [this] { Guard([this] { window_->FormClose(); }); }, Qt::QueuedConnection);
}

void WaylandDesktop::InstallInputHook() {
    if (!window_ || pacer_) return;
    pacer_ = std::make_unique<MotionPacer>(*window_, seat_, timer_);
    int refresh = 0;
    for (const auto& output : connection_.Outputs())
        refresh = std::max(refresh, output->refreshMilliHertz);
    pacer_->SetFrameInterval(FrameIntervalForRefresh(refresh / 1000.0));
    seat_.SetHandler([this](const SeatEvent& event) { OnSeatEvent(event); },
                     [this] {
                         if (pacer_) Guard([this] { pacer_->Flush(); });
                     });
}

void WaylandDesktop::RemoveInputHook() {
    seat_.SetHandler(nullptr, nullptr);
    if (!pacer_) return;
    pacer_->Discard();
    // For the follow benchmark: how many tracking updates the pacer ran.
    if (const char* count = std::getenv("PIXOLET_COUNT_UPDATES"); count && *count)
        std::fprintf(stderr, "pixolet: %llu tracking updates\n",
                     static_cast<unsigned long long>(pacer_->UpdatesRun()));
    pacer_.reset();
}

ActionOutcome WaylandDesktop::RunAction(Action action) {
    ActionOutcome outcome = ActionOutcome::NotDone;
    Guard([&] {
        // A waiting move first: the action sees the pointer where it is.
        if (pacer_) pacer_->Flush();
        outcome = window_->RunAction(action);
    });
    return outcome;
}

void WaylandDesktop::ReadoutVisibilityChanged(bool shown) {
    if (shown) {
        screen_.NewSession();
        session_.Start();
    } else {
        session_.End();
        if (pacer_) pacer_->Discard();
    }
}

void WaylandDesktop::OnSeatEvent(const SeatEvent& event) {
    if (!pacer_ || !window_) return;
    switch (event.kind) {
        case SeatEvent::Kind::Motion:
            readout_.FollowOutput();
            Guard([this] { pacer_->Handle(InputEvent{InputKind::MouseMove, 0}); });
            break;
        case SeatEvent::Kind::Button: {
            const SessionStep step = SessionStepForButton(
                event.button, event.pressed, window_->MeasuringMode, !window_->FollowPointer);
            if (step == SessionStep::CopyAndEnd || step == SessionStep::End) {
                EndSession(step == SessionStep::CopyAndEnd);
            } else if (step == SessionStep::Route) {
                InputKind kind = InputKind::Other;
                if (event.button == 1)
                    kind = event.pressed ? InputKind::LButtonDown : InputKind::LButtonUp;
                Guard([this, kind] { pacer_->Handle(InputEvent{kind, 0}); });
            }
            break;
        }
        case SeatEvent::Kind::Key: {
            bool handled = false;
            const InputEvent input{event.keyKind, event.virtualKey};
            Guard([&] { handled = pacer_ && pacer_->Handle(input); });
            if (event.pressed && !handled &&
                SessionStepForUnhandledKey(event.virtualKey) == SessionStep::End)
                EndSession(false);
            break;
        }
    }
}

void WaylandDesktop::EndSession(bool copy) {
    if (!window_ || !readout_.IsVisible()) return;
    Guard([this, copy] {
        if (copy) window_->CopyColorToClipboard();
        if (readout_.IsVisible()) window_->ShowHide(Sender::Show1);
    });
}

void WaylandDesktop::ReadFinished() {
    QMetaObject::invokeMethod(
        this, [this] { OnFreshBlock(); }, Qt::QueuedConnection);
}

void WaylandDesktop::OnFreshBlock() {
    if (!pacer_ || !session_.Active() || !screen_.FreshBlockWanted()) return;
    Guard([this] { pacer_->Handle(InputEvent{InputKind::MouseMove, 0}); });
}

void WaylandDesktop::SyncMarkers() {
    if (!window_) return;
    std::vector<Marker> shown;
    if (window_->MeasurePoints) {
        for (const auto& point : window_->MeasurePoints->Items())
            if (point->Drawn)
                shown.push_back(Marker{ScreenPoint{point->X, point->Y}, point->MarkColor});
    }
    markers_.Show(screen_.CurrentOutput(), shown);
}

void WaylandDesktop::ShowError(std::string_view message) {
    linux_common::ShowErrorBox(message);
}

void WaylandDesktop::Terminate() {
    guard_.MarkTerminated();
    RemoveInputHook();
    session_.End();
    markers_.Show(nullptr, {});
    connection_.Flush();
    QCoreApplication::exit(0);
}

std::string WaylandDesktop::ExecutablePath() {
    return linux_common::RunningExecutablePath();
}

bool WaylandDesktop::AskYesNo(std::string_view caption, std::string_view text) {
    return linux_common::AskYesNoBox(caption, text);
}

}  // namespace pixolet::wayland

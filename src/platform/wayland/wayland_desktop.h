// The desktop services of the Wayland program, and the pick session's
// wiring: the GUI thread's compositor connection served from Qt's event
// loop, the seat's input through the motion pacer into the core with the
// session's rules, finished screen reads turned into tracking updates, the
// measuring markers kept in step with the core's point list, and the error
// guard through which every call from Qt or the compositor into the core
// runs.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string_view>

#include "actions/action_table.h"
#include "platform/linux/one_shot_timer.h"
#include "ports/readout_view_port.h"
#include "readout/core_guard.h"

class QSocketNotifier;

namespace pixolet {
class MotionPacer;
class TfrmPixoletMain;
}  // namespace pixolet

namespace pixolet::wayland {

class WaylandConnection;
class SeatInput;
class SessionOverlay;
class MarkerOverlay;
class ReadoutSurface;
class WaylandScreen;
struct SeatEvent;

class WaylandDesktop : public QObject, public DesktopPort {
    Q_OBJECT
  public:
    WaylandDesktop(WaylandConnection& connection, SeatInput& seat, SessionOverlay& session,
                   MarkerOverlay& markers, ReadoutSurface& readout, WaylandScreen& screen);
    ~WaylandDesktop() override;

    void Attach(TfrmPixoletMain* window) {
        window_ = window;
        guard_.Attach(window);
    }
    void Guard(const std::function<void()>& call) noexcept { guard_.Run(call); }
    bool Terminated() const { return guard_.Terminated(); }

    // The readout was shown or hidden: the session starts or ends with it.
    void ReadoutVisibilityChanged(bool shown);
    // An action from outside (`pixolet --action`), on the GUI thread.
    ActionOutcome RunAction(Action action);
    // A screen read finished (called on any thread).
    void ReadFinished();

    bool IsReadoutActive() override { return false; }
    void PostClose() override;
    void InstallInputHook() override;
    void RemoveInputHook() override;
    void InstallErrorHandler() override { guard_.InstallHandler(); }
    void ShowError(std::string_view message) override;
    void Terminate() override;
    std::string ExecutablePath() override;
    bool AskYesNo(std::string_view caption, std::string_view text) override;

  private:
    void OnSeatEvent(const SeatEvent& event);
    void OnFreshBlock();
    void EndSession(bool copy);
    void SyncMarkers();
    void ServeConnection();

    WaylandConnection& connection_;
    SeatInput& seat_;
    SessionOverlay& session_;
    MarkerOverlay& markers_;
    ReadoutSurface& readout_;
    WaylandScreen& screen_;
    TfrmPixoletMain* window_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    linux_common::QtOneShotTimer timer_;
    std::unique_ptr<MotionPacer> pacer_;
    bool closePosted_ = false;
    CoreGuard guard_{*this};
};

}  // namespace pixolet::wayland

// The desktop services the core's readout window uses, over Qt and X11, and
// the error guard through which every call from Qt into the core runs.
#pragma once

#include <QObject>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>

#include "actions/action_table.h"
#include "platform/linux/one_shot_timer.h"
#include "platform/x11/input_source.h"
#include "platform/x11/x11_display.h"
#include "ports/readout_view_port.h"
#include "readout/core_guard.h"

class QWidget;

namespace pixolet {
class MotionPacer;
class TfrmPixoletMain;
}  // namespace pixolet

namespace pixolet::x11 {

class DesktopServices : public QObject, public DesktopPort {
    Q_OBJECT
  public:
    // `readout` is the readout window's widget, whose activity is asked.
    explicit DesktopServices(QWidget& readout, QObject* parent = nullptr);
    ~DesktopServices() override;

    // The core window, once it exists; input and close calls go to it.
    void Attach(TfrmPixoletMain* window) {
        window_ = window;
        guard_.Attach(window);
    }

    // Runs `call` as an entry from Qt into the core (see CoreGuard): nothing
    // escapes into Qt's event loop.
    void Guard(const std::function<void()>& call) noexcept { guard_.Run(call); }
    bool Terminated() const { return guard_.Terminated(); }
    // The readout window was shown or hidden: motion is asked for only
    // while it shows, and nothing waits for it once it is hidden.
    void ReadoutVisibilityChanged(bool shown);

    // An action asked for by name from outside, after the input that came
    // before it; NotDone once the program has ended.
    ActionOutcome RunAction(Action action);

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
    QWidget& readout_;
    TfrmPixoletMain* window_ = nullptr;
    XDisplay display_;
    X11InputSource input_;
    linux_common::QtOneShotTimer timer_;
    // Between the input source and the core's input routing, once the hook
    // is installed.
    std::unique_ptr<MotionPacer> pacer_;
    bool closePosted_ = false;
    CoreGuard guard_{*this};
};

}  // namespace pixolet::x11

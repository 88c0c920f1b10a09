// The start sequence's shell over Qt and X11: the instance marker, the
// splash, the readout window with all its ports and the tray icon, and the
// message loop.
#pragma once

#include <memory>

#include "app/start_sequence.h"
#include "platform/linux/action_server.h"
#include "platform/x11/x11_display.h"
#include "ports/registry_port.h"

namespace pixolet::linux_common {
class TfrmStart;
}  // namespace pixolet::linux_common

namespace pixolet::x11 {

class InstanceMarker;
struct ReadoutParts;

class QtAppShell : public AppShell {
  public:
    // Needs a QApplication. `registry` is the settings store the readout
    // window loads from.
    explicit QtAppShell(std::unique_ptr<Registry> registry);
    ~QtAppShell() override;
    QtAppShell(const QtAppShell&) = delete;
    QtAppShell& operator=(const QtAppShell&) = delete;

    bool FindRunningInstance() override;
    void ShowSplashNow() override;
    void Sleep(int milliseconds) override;
    void ClaimInstance() override;
    void CreateReadoutWindow() override;
    void RunMessageLoop() override;

  private:
    std::unique_ptr<Registry> registry_;
    XDisplay display_;
    std::unique_ptr<InstanceMarker> marker_;
    std::unique_ptr<linux_common::TfrmStart> splash_;
    std::unique_ptr<ReadoutParts> parts_;
    // After the parts: it goes first, so no request reaches them as they go.
    std::unique_ptr<linux_common::ActionServer> actionServer_;
};

}  // namespace pixolet::x11

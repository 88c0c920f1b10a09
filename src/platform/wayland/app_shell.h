// The start sequence's shell on Wayland: the action socket (also the
// single-instance check), the splash, the
// readout window with all its ports and the tray icon, and the message loop.
#pragma once

#include <memory>

#include "app/start_sequence.h"
#include "platform/linux/action_server.h"
#include "ports/registry_port.h"

namespace pixolet::linux_common {
class TfrmStart;
}  // namespace pixolet::linux_common

namespace pixolet::wayland {

class WaylandConnection;
struct WaylandParts;

class WaylandAppShell : public AppShell {
  public:
    // Needs a QApplication on Qt's wayland platform and a connection of our
    // own to the same compositor.
    WaylandAppShell(std::unique_ptr<Registry> registry,
                    std::unique_ptr<WaylandConnection> connection);
    ~WaylandAppShell() override;
    WaylandAppShell(const WaylandAppShell&) = delete;
    WaylandAppShell& operator=(const WaylandAppShell&) = delete;

    bool FindRunningInstance() override;
    void ShowSplashNow() override;
    void Sleep(int milliseconds) override;
    void ClaimInstance() override;
    void CreateReadoutWindow() override;
    void RunMessageLoop() override;

  private:
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<WaylandConnection> connection_;
    // The per-user action socket: what `pixolet --action` reaches, and on
    // Wayland also the single-instance check.
    std::unique_ptr<linux_common::ActionServer> actionServer_;
    std::unique_ptr<linux_common::TfrmStart> splash_;
    std::unique_ptr<WaylandParts> parts_;
};

}  // namespace pixolet::wayland

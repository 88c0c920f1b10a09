// Other programs' windows through the AT-SPI 2 accessibility bus (libatspi).
//
// libatspi blocks on every call and is not thread-safe: one object of this
// class is created, used and destroyed on one worker thread, and nothing else
// in the process calls libatspi. Its bus connection is served from a GLib
// main context of that thread's own. While it connects, and for connections
// straight to applications, libatspi uses GLib's default context instead,
// which the GUI thread therefore does not run (see main.cpp).
#pragma once

#include <memory>

#include "ports/accessibility_port.h"

namespace pixolet::linux_common {

class AtspiAccessibility : public AccessibilityPort {
  public:
    AtspiAccessibility();
    ~AtspiAccessibility() override;
    AtspiAccessibility(const AtspiAccessibility&) = delete;
    AtspiAccessibility& operator=(const AtspiAccessibility&) = delete;

    std::optional<AccessibleTree> ReadActiveWindow(int processId) override;
    bool SetText(int node, const std::string& text) override;
    bool DoAction(int node, const std::string& action) override;
    bool IsShowing(int node) override;
    void ServiceIdle() override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace pixolet::linux_common

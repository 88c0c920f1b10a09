// The Linux program's Wayland side, as main() sees it: what the compositor
// offers, and the program run natively on it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/display_choice.h"
#include "ports/registry_port.h"

namespace pixolet::wayland {

class WaylandConnection;

// A connection to the compositor at WAYLAND_DISPLAY; none when the variable
// is not set or nobody answers.
std::unique_ptr<WaylandConnection> ConnectToCompositor();
WaylandOffer OfferOf(const WaylandConnection* connection);

// Starts Qt on its wayland platform and runs the start sequence over the
// Wayland shell; the result is the exit code.
int RunOnWayland(int argc, char** argv, const std::vector<std::string>& args,
                 std::unique_ptr<WaylandConnection> connection, std::unique_ptr<Registry> store);

}  // namespace pixolet::wayland

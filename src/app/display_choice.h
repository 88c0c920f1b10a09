// Which display system the Linux program runs on. A Wayland session whose
// compositor offers the layer-shell and screencopy protocols gets the native
// Wayland layer; everything else runs on X11 (under a Wayland session that is
// Xwayland). An option or the environment forces either.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pixolet {

inline constexpr char kWaylandSwitch[] = "--wayland";
inline constexpr char kX11Switch[] = "--x11";
inline constexpr char kPlatformVariable[] = "PIXOLET_PLATFORM";

enum class DisplaySystem { X11, Wayland };

struct DisplayRequest {
    // Set by "--wayland" or "--x11" anywhere on the command line, else by
    // PIXOLET_PLATFORM ("wayland" or "x11", any case).
    std::optional<DisplaySystem> forced;
    // The command line without the two switches, for the start sequence.
    std::vector<std::string> args;
    // A PIXOLET_PLATFORM value that names neither; it is then ignored.
    std::string ignoredValue;
};

// `platformVariable` is PIXOLET_PLATFORM's value, empty when it is not set.
DisplayRequest ReadDisplayRequest(const std::vector<std::string>& args,
                                  std::string_view platformVariable);

// What the Wayland compositor offers of what the native layer needs.
struct WaylandOffer {
    bool connected = false;  // a compositor answered at WAYLAND_DISPLAY
    bool layerShell = false;
    bool screencopy = false;

    bool Enough() const { return connected && layerShell && screencopy; }
};

// The system to run on. `offer` describes the compositor at WAYLAND_DISPLAY
// (not connected when the variable is unset or nobody answers).
DisplaySystem ChooseDisplaySystem(const DisplayRequest& request, const WaylandOffer& offer);

// "the layer-shell and screencopy protocols" and the like: what the
// compositor lacks; empty when nothing is missing.
std::string MissingWaylandParts(const WaylandOffer& offer);

// The lines written to standard error when the program runs on X11 although
// a Wayland compositor answered: what does not work, and why.
std::string XwaylandNotice(const WaylandOffer& offer, bool forcedX11);

}  // namespace pixolet

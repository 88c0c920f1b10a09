#include "app/display_choice.h"

#include <cctype>

namespace pixolet {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

DisplayRequest ReadDisplayRequest(const std::vector<std::string>& args,
                                  std::string_view platformVariable) {
    DisplayRequest request;
    std::optional<DisplaySystem> fromOption;
    for (const std::string& arg : args) {
        // The last switch given wins, as with most programs' options.
        if (arg == kWaylandSwitch)
            fromOption = DisplaySystem::Wayland;
        else if (arg == kX11Switch)
            fromOption = DisplaySystem::X11;
        else
            request.args.push_back(arg);
    }
    if (fromOption) {
        request.forced = fromOption;
    } else if (EqualsIgnoringCase(platformVariable, "wayland")) {
        request.forced = DisplaySystem::Wayland;
    } else if (EqualsIgnoringCase(platformVariable, "x11")) {
        request.forced = DisplaySystem::X11;
    } else if (!platformVariable.empty()) {
        request.ignoredValue = std::string(platformVariable);
    }
    return request;
}

DisplaySystem ChooseDisplaySystem(const DisplayRequest& request, const WaylandOffer& offer) {
    if (request.forced) return *request.forced;
    return offer.Enough() ? DisplaySystem::Wayland : DisplaySystem::X11;
}

std::string MissingWaylandParts(const WaylandOffer& offer) {
    if (!offer.connected) return "a Wayland compositor";
    if (!offer.layerShell && !offer.screencopy) return "the layer-shell and screencopy protocols";
    if (!offer.layerShell) return "the layer-shell protocol";
    if (!offer.screencopy) return "the screencopy protocol";
    return {};
}

std::string XwaylandNotice(const WaylandOffer& offer, bool forcedX11) {
    if (!offer.connected) return {};
    std::string text;
    if (forcedX11) {
        text = "pixolet: running on X11 as asked, though this is a Wayland session.\n";
    } else {
        text = "pixolet: this Wayland compositor lacks " + MissingWaylandParts(offer) +
               ", which Pixolet\n"
               "pixolet: needs to run natively (sway, Hyprland and the other wlroots desktops\n"
               "pixolet: have them; GNOME and KDE Plasma do not), so it runs on Xwayland.\n";
    }
    text +=
        "pixolet: On Xwayland Pixolet sees only the windows of X11 programs: over the\n"
        "pixolet: windows of Wayland programs it reads no colours, and its shortcuts do\n"
        "pixolet: not act while they have the focus.\n";
    return text;
}

}  // namespace pixolet

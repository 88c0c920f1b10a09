#include "app/usage.h"

#include "actions/action_table.h"
#include "app/action_switch.h"
#include "app/display_choice.h"
#include "app/start_sequence.h"
#include "settings/settings.h"
#include "widgets/shortcut_text.h"

namespace pixolet {

namespace {

constexpr std::size_t kNameColumn = 15;
constexpr std::size_t kActionColumn = 46;

std::string PaddedTo(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

}  // namespace

InfoRequest InfoRequestOf(const std::vector<std::string>& args) {
    if (args.empty()) return InfoRequest::None;
    if (args.front() == kHelpSwitch) return InfoRequest::Help;
    if (args.front() == kVersionSwitch) return InfoRequest::Version;
    return InfoRequest::None;
}

std::string VersionText() {
    return std::string("Pixolet ") + PIXOLET_VERSION + "\n";
}

std::string UsageText(std::string_view settingsLocation, std::string_view autostartLocation) {
    std::string text = "Usage: pixolet [" + std::string(kNoSplashSwitch) + " | " + kHelpSwitch +
                       " | " + kVersionSwitch + " | " + kActionSwitch + " NAME]\n";
    text +=
        "Screen colour picker and ruler. Runs in the tray; shows the colour under the\n"
        "pointer in a small window beside it.\n"
        "\n"
        "  " +
        std::string(kNoSplashSwitch) +
        "   start without the splash window (first argument only, any case)\n"
        "  " +
        kHelpSwitch + "      print this help and exit\n" + "  " + kVersionSwitch +
        "   print the version and exit\n" + "  " + kActionSwitch +
        " NAME\n"
        "              have the running Pixolet do the action NAME, as its shortcut\n"
        "              would, and exit: 0 when it was done, 1 when not (one line on\n"
        "              standard error says why); for key bindings of the desktop.\n"
        "              The copy also works with the readout window hidden.\n"
        "\n"
        "Actions and their shortcuts (the shortcuts act while other programs have the\n"
        "focus; set them in the tray menu's Properties):\n";
    const Settings defaults;
    for (const ActionEntry& entry : ActionTable()) {
        const Shortcut key = defaults.*entry.hotkey;
        text += "  " + PaddedTo(entry.name, kNameColumn) +
                PaddedTo(entry.description, kActionColumn) +
                (key == 0 ? std::string("none") : ShortcutText(key)) + "\n";
    }
    text +=
        "\nDisplay (Linux): natively on a Wayland compositor that has the layer-shell and\n"
        "screencopy protocols (sway, Hyprland and other wlroots desktops), on X11\n"
        "otherwise.\n"
        "  " +
        PaddedTo(kWaylandSwitch, 12) + "run natively on Wayland (" + kPlatformVariable +
        "=wayland does the same)\n"
        "  " +
        PaddedTo(kX11Switch, 12) + "run on X11, also in a Wayland session (" + kPlatformVariable +
        "=x11)\n"
        "On Wayland, showing the readout starts a pick session: the readout follows the\n"
        "pointer and the shortcuts act until a left click copies the colour and ends\n"
        "it, or Escape or a right click hides the readout.\n";
    text += "\nSettings: " + std::string(settingsLocation) + "\n";
    text += "Start at login: " + std::string(autostartLocation) + "\n";
    return text;
}

}  // namespace pixolet

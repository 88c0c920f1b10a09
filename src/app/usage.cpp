#include "app/usage.h"

#include "app/display_choice.h"
#include "app/start_sequence.h"
#include "settings/settings.h"
#include "widgets/shortcut_text.h"

namespace pixolet {

namespace {

struct ShortcutLine {
    const char* action;
    Shortcut Settings::*field;
};

// In the order the properties dialog shows them.
constexpr ShortcutLine kShortcutLines[] = {
    {"Copy the colour to the clipboard", &Settings::HotkeyCopyColor},
    {"Paste the copied colour into a colour dialog", &Settings::HotkeyPasteColor},
    {"Freeze/unfreeze the readout window", &Settings::HotkeyFreezeWindow},
    {"Freeze/unfreeze the colour", &Settings::HotkeyFreezeColor},
    {"Measuring mode on/off", &Settings::HotkeyMeasure},
    {"Add a measuring point", &Settings::HotkeyAddPoint},
    {"Reset the measuring points", &Settings::HotkeyResetPoints},
    {"Show/hide the readout window", &Settings::HotkeyShowHide},
    {"Quit", &Settings::HotkeyQuit},
};

constexpr std::size_t kActionColumn = 48;

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
                       " | " + kVersionSwitch + "]\n";
    text +=
        "Screen colour picker and ruler. Runs in the tray; shows the colour under the\n"
        "pointer in a small window beside it.\n"
        "\n"
        "  " +
        std::string(kNoSplashSwitch) +
        "   start without the splash window (first argument only, any case)\n"
        "  " +
        kHelpSwitch + "      print this help and exit\n" + "  " + kVersionSwitch +
        "   print the version and exit\n"
        "\n"
        "Shortcuts (they act while other programs have the focus; set them in the\n"
        "tray menu's Properties):\n";
    const Settings defaults;
    for (const ShortcutLine& line : kShortcutLines) {
        const Shortcut key = defaults.*line.field;
        text += "  " + PaddedTo(line.action, kActionColumn) +
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

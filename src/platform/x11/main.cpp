// The Linux program: chooses between Wayland and X11, starts Qt and runs the
// start sequence over that system's shell.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/display_choice.h"
#include "app/start_sequence.h"
#include "app/usage.h"
#include "platform/linux/action_client.h"
#include "platform/linux/file_registry.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_program.h"
#include "platform/x11/app_shell.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/xwayland_notice.h"

namespace {

// Stands in for the store when the user has no configuration folder at all:
// every setting takes its default, and nothing can be kept.
class EmptyRegistry : public pixolet::Registry {
  public:
    std::unique_ptr<pixolet::RegistryKey> CreateKey(std::string_view) override { return nullptr; }
    std::unique_ptr<pixolet::RegistryKey> OpenKey(std::string_view) override { return nullptr; }
    bool DeleteKey(std::string_view) override { return false; }
};

std::unique_ptr<pixolet::Registry> OpenStore() {
    if (auto store = pixolet::linux_common::FileRegistry::ForCurrentUser()) return store;
    return std::make_unique<EmptyRegistry>();
}

// The program draws on and reads from an X screen; under a Wayland session
// it needs Xwayland, and says what that means.
bool XDisplayAvailable(const pixolet::WaylandOffer& offer, bool forcedX11) {
    const pixolet::x11::XDisplay probe(nullptr);
    if (!probe) return false;
    if (offer.connected) {
        // The compositor answered: the notice says what it lacks.
        const std::string notice = pixolet::XwaylandNotice(offer, forcedX11);
        std::fputs(notice.c_str(), stderr);
    } else {
        pixolet::x11::NoteXwayland(probe.get());
    }
    return true;
}

// "--help" and "--version" answer on standard output without a display.
int AnswerInfoRequest(pixolet::InfoRequest request) {
    const std::string text =
        request == pixolet::InfoRequest::Version
            ? pixolet::VersionText()
            : pixolet::UsageText("${XDG_CONFIG_HOME:-~/.config}/pixolet/registry.reg",
                                 "${XDG_CONFIG_HOME:-~/.config}/autostart/pixolet.desktop");
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return std::fflush(stdout) == 0 && written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Qt takes its own options out of argv; the start sequence looks at the
    // command line as it was given.
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto request = pixolet::InfoRequestOf(args); request != pixolet::InfoRequest::None)
        return AnswerInfoRequest(request);
    // "--action NAME" talks to the running program and needs no display.
    if (const auto exitCode = pixolet::linux_common::RunActionCommandLine(args)) return *exitCode;

    // Natively on a Wayland compositor that has what the program needs, on
    // X11 otherwise; "--wayland", "--x11" or PIXOLET_PLATFORM choose.
    const char* platformVariable = std::getenv(pixolet::kPlatformVariable);
    const pixolet::DisplayRequest platform =
        pixolet::ReadDisplayRequest(args, platformVariable ? platformVariable : "");
    if (!platform.ignoredValue.empty())
        std::fprintf(stderr, "pixolet: %s=%s names no platform (wayland or x11); ignored\n",
                     pixolet::kPlatformVariable, platform.ignoredValue.c_str());
    std::unique_ptr<pixolet::wayland::WaylandConnection> wayland;
    if (platform.forced != pixolet::DisplaySystem::X11)
        wayland = pixolet::wayland::ConnectToCompositor();
    const pixolet::WaylandOffer offer = pixolet::wayland::OfferOf(wayland.get());
    if (pixolet::ChooseDisplaySystem(platform, offer) == pixolet::DisplaySystem::Wayland) {
        if (!offer.Enough()) {
            std::fprintf(stderr, "pixolet: cannot run on Wayland: there is no %s\n",
                         pixolet::MissingWaylandParts(offer).c_str());
            return 1;
        }
        return pixolet::wayland::RunOnWayland(argc, argv, platform.args, std::move(wayland),
                                              OpenStore());
    }
    wayland.reset();

    // Device pixels 1:1: the magnifier and the screen markers are pixel
    // exact, and a scaled window would not line up with the pointer.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING"))
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // Window ids, the clipboard and the tray all go through X.
    qputenv("QT_QPA_PLATFORM", "xcb");

    if (!XDisplayAvailable(offer, platform.forced == pixolet::DisplaySystem::X11)) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(
            stderr, "pixolet: cannot open the X display %s%s%s; an X11 session is needed\n",
            display ? "\"" : "(DISPLAY is not set)", display ? display : "", display ? "\"" : "");
        return 1;
    }

    // The GUI thread runs Qt's own event loop, not GLib's: libatspi serves
    // its bus connections from GLib's default main context, and only the
    // accessibility worker thread may run that. Only this thread's choice is
    // made here; programs started later do not inherit the setting.
    const bool glibChosen = qEnvironmentVariableIsSet("QT_NO_GLIB");
    if (!glibChosen) qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    if (!glibChosen) qunsetenv("QT_NO_GLIB");
    Q_INIT_RESOURCE(pixolet);
    // Hidden windows and closed message boxes must never end the program;
    // only the readout window's close does.
    QApplication::setQuitOnLastWindowClosed(false);

    std::unique_ptr<pixolet::Registry> store = OpenStore();
    pixolet::x11::QtAppShell shell(std::move(store));
    return pixolet::RunStartSequence(shell, platform.args);
}

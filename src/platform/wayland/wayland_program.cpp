#include "platform/wayland/wayland_program.h"

#include <QApplication>
#include <csignal>
#include <cstdlib>

#include "app/start_sequence.h"
#include "platform/wayland/app_shell.h"
#include "platform/wayland/wayland_connection.h"

// The resources live in the shared Linux library; their initialiser is a
// global function.
static void LoadPixoletResources() {
    Q_INIT_RESOURCE(pixolet);
}

namespace pixolet::wayland {

std::unique_ptr<WaylandConnection> ConnectToCompositor() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    // Without the variable libwayland would try "wayland-0" all the same.
    if (!name || !*name) return nullptr;
    auto connection = std::make_unique<WaylandConnection>();
    if (!*connection) return nullptr;
    return connection;
}

WaylandOffer OfferOf(const WaylandConnection* connection) {
    WaylandOffer offer;
    if (!connection) return offer;
    offer.connected = true;
    offer.layerShell = connection->LayerShell() != nullptr;
    offer.screencopy = connection->Screencopy() != nullptr;
    return offer;
}

int RunOnWayland(int argc, char** argv, const std::vector<std::string>& args,
                 std::unique_ptr<WaylandConnection> connection, std::unique_ptr<Registry> store) {
    // Qt's own windows (tray menu, splash, dialogs) on the same compositor.
    qputenv("QT_QPA_PLATFORM", "wayland");
    // A program reading the clipboard may close its end early; the write
    // then fails instead of ending this process.
    std::signal(SIGPIPE, SIG_IGN);

    // As on X11: Qt's own event loop on the GUI thread, GLib's left to the
    // accessibility worker.
    const bool glibChosen = qEnvironmentVariableIsSet("QT_NO_GLIB");
    if (!glibChosen) qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    if (!glibChosen) qunsetenv("QT_NO_GLIB");
    LoadPixoletResources();
    QApplication::setQuitOnLastWindowClosed(false);

    WaylandAppShell shell(std::move(store), std::move(connection));
    return RunStartSequence(shell, args);
}

}  // namespace pixolet::wayland

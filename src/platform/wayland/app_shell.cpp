#include "platform/wayland/app_shell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include "actions/dialog_paste_worker.h"
#include "platform/linux/clipboard.h"
#include "platform/linux/properties_factory.h"
#include "platform/linux/signal_bridge.h"
#include "platform/linux/splash_window.h"
#include "platform/linux/steady_clock.h"
#include "platform/linux/tray.h"
#include "platform/wayland/colour_dialog_wayland.h"
#include "platform/wayland/data_control_clipboard.h"
#include "platform/wayland/marker_overlay.h"
#include "platform/wayland/readout_surface.h"
#include "platform/wayland/screen_reader.h"
#include "platform/wayland/seat_input.h"
#include "platform/wayland/session_overlay.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_desktop.h"
#include "platform/wayland/wayland_screen.h"
#include "readout/readout_window.h"

#ifdef PIXOLET_HAVE_ATSPI
#include "platform/linux/atspi_accessibility.h"
#endif

namespace pixolet::wayland {

namespace {

int ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 0.0;
    return dpi >= 1.0 ? static_cast<int>(std::lround(dpi)) : 96;
}

std::unique_ptr<DialogPasteWorker> MakePasteWorker() {
#ifdef PIXOLET_HAVE_ATSPI
    return std::make_unique<DialogPasteWorker>(
        [] { return std::make_unique<linux_common::AtspiAccessibility>(); },
        [](const DialogPasteJob&, DialogPasteOutcome outcome) {
            if (outcome == DialogPasteOutcome::Failed)
                std::fputs("pixolet: the active colour dialog did not take the colour\n", stderr);
        });
#else
    return nullptr;
#endif
}

}  // namespace

// The readout window with its ports, its menu and its tray icon, built in
// this order and destroyed in reverse, so everything the core window uses
// outlives it. The screen reader goes first of all: its thread calls the
// desktop until it stops.
struct WaylandParts {
    WaylandParts(Registry& registry, WaylandConnection& wayland)
        : connection(wayland),
          seat(wayland, [this](wl_surface* surface) { return session.OutputOf(surface); }),
          session(wayland),
          markers(wayland),
          readout(wayland),
          screen(wayland, seat, *reader),
          clipboard(wayland, qtClipboard),
          desktop(wayland, seat, session, markers, readout, screen),
          window(ReadoutPorts{readout, screen, clock, clipboard, colourDialog, desktop, registry,
                              &dialogs}),
          tray(
              &menu, [this] { window.ShowHide(Sender::TrayIcon); },
              [this](const std::function<void()>& call) { desktop.Guard(call); }) {}

    ~WaylandParts() { reader.reset(); }

    WaylandConnection& connection;
    SeatInput seat;
    SessionOverlay session;
    MarkerOverlay markers;
    ReadoutSurface readout;
    // Made before the screen that reads from it; stopped first of all.
    std::unique_ptr<ScreenReader> reader =
        std::make_unique<ScreenReader>([this] { desktop.ReadFinished(); });
    WaylandScreen screen;
    linux_common::SteadyClock clock;
    linux_common::QtClipboard qtClipboard;
    DataControlClipboard clipboard;
    std::unique_ptr<DialogPasteWorker> pasteWorker = MakePasteWorker();
    WaylandColourDialog colourDialog{pasteWorker.get()};
    WaylandDesktop desktop;
    linux_common::QtPropertiesFactory dialogs;
    TfrmPixoletMain window;
    linux_common::PopupMenu menu;
    linux_common::TrayIcon tray;
    linux_common::SignalBridge signalBridge;
};

WaylandAppShell::WaylandAppShell(std::unique_ptr<Registry> registry,
                                 std::unique_ptr<WaylandConnection> connection)
    : registry_(std::move(registry)), connection_(std::move(connection)) {}

WaylandAppShell::~WaylandAppShell() {
    parts_.reset();
}

bool WaylandAppShell::FindRunningInstance() {
    // No display-wide marker exists on Wayland: the user's action socket is
    // the instance's mark. Claimed here already, so that two starts at once
    // cannot both run.
    actionServer_ = std::make_unique<linux_common::ActionServer>();
    switch (actionServer_->ClaimSocket()) {
        case linux_common::ActionServer::Claim::Claimed:
            return false;
        case linux_common::ActionServer::Claim::OtherInstance:
            actionServer_.reset();
            return true;
        case linux_common::ActionServer::Claim::Failed:
            std::fprintf(stderr, "pixolet: --action cannot reach this Pixolet: %s\n",
                         actionServer_->Error().c_str());
            break;
    }
    actionServer_.reset();
    return false;
}

void WaylandAppShell::ShowSplashNow() {
    splash_ = std::make_unique<linux_common::TfrmStart>();
    splash_->show();
    // The message loop does not run yet: serve just enough events for the
    // window to be mapped and exposed, then paint it at once.
    QElapsedTimer waited;
    waited.start();
    while (!(splash_->windowHandle() && splash_->windowHandle()->isExposed()) &&
           waited.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    }
    splash_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WaylandAppShell::Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void WaylandAppShell::ClaimInstance() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
}

void WaylandAppShell::CreateReadoutWindow() {
    parts_ = std::make_unique<WaylandParts>(*registry_, *connection_);
    WaylandParts& p = *parts_;
    const linux_common::CoreCall guard = [&p](const std::function<void()>& call) {
        p.desktop.Guard(call);
    };
    p.desktop.Attach(&p.window);
    p.readout.Attach(&p.window, &p.menu, guard);
    p.readout.SetOutputSource([&p] { return p.screen.CurrentOutput(); });
    p.readout.SetVisibilityObserver(
        [&p](bool shown) { p.desktop.ReadoutVisibilityChanged(shown); });
    connection_->SetOutputsChanged([&p] { p.session.OutputsChanged(); });

    QObject::connect(p.menu.Show1, &QAction::triggered, &p.menu,
                     [&p] { p.desktop.Guard([&p] { p.window.ShowHide(Sender::Show1); }); });
    QObject::connect(p.menu.Quit1, &QAction::triggered, &p.menu,
                     [&p] { p.desktop.Guard([&p] { p.window.Quit1Click(); }); });
    QObject::connect(p.menu.itmProperties, &QAction::triggered, &p.menu,
                     [&p] { p.desktop.Guard([&p] { p.window.SetProperties(Sender::Show1); }); });
    // A StatusNotifierItem host (swaybar, KDE's panel) has no double click:
    // its activation is a single click, which shows and hides the readout.
    QObject::connect(&p.tray.Icon(), &QSystemTrayIcon::activated, &p.menu,
                     [&p](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger)
                             p.desktop.Guard([&p] { p.window.ShowHide(Sender::TrayIcon); });
                     });
    QObject::connect(&p.signalBridge, &linux_common::SignalBridge::terminationRequested, &p.desktop,
                     [&p] { p.desktop.PostClose(); });

    p.window.ReadoutFont.dpi = ScreenDpi();
    p.desktop.Guard([&p] { p.window.FormCreate(); });
    p.tray.Activate();
    if (actionServer_)
        actionServer_->Serve([&p](Action action) { return p.desktop.RunAction(action); });
}

void WaylandAppShell::RunMessageLoop() {
    if (!parts_ || parts_->desktop.Terminated()) return;
    QApplication::exec();
}

}  // namespace pixolet::wayland

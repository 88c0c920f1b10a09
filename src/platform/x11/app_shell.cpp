#include "platform/x11/app_shell.h"

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
#include "platform/x11/colour_dialog_x11.h"
#include "platform/x11/desktop_services.h"
#include "platform/x11/desktop_x11.h"
#include "platform/x11/readout_widget.h"
#include "platform/x11/screen.h"
#include "readout/readout_window.h"

#ifdef PIXOLET_HAVE_ATSPI
#include "platform/linux/atspi_accessibility.h"
#endif

// Xlib after Qt: its macros clash with Qt's names.
#include <X11/Xlib.h>

namespace pixolet::x11 {

#ifdef PIXOLET_HAVE_ATSPI
using linux_common::AtspiAccessibility;
#endif
using linux_common::CoreCall;
using linux_common::PopupMenu;
using linux_common::QtClipboard;
using linux_common::QtPropertiesFactory;
using linux_common::SignalBridge;
using linux_common::TfrmStart;
using linux_common::TrayIcon;

namespace {

// Hands everything queued on Qt's own X connection to the server and waits
// until it has been handled, so a window painted now is on the screen.
void SyncWithServer() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->display()) XSync(x11->display(), False);
}

// The worker that types pasted colours into other programs' colour dialogs
// over the accessibility bus; none in a build without it.
std::unique_ptr<DialogPasteWorker> MakePasteWorker() {
#ifdef PIXOLET_HAVE_ATSPI
    return std::make_unique<DialogPasteWorker>(
        [] { return std::make_unique<AtspiAccessibility>(); },
        [](const DialogPasteJob& job, DialogPasteOutcome outcome) {
            // Only a recognised dialog that stopped answering or refused the
            // colour is worth a word; anything else is an ordinary paste.
            if (outcome == DialogPasteOutcome::Failed)
                std::fprintf(stderr,
                             "pixolet: the colour dialog of process %d did not take the colour\n",
                             job.processId);
        });
#else
    return nullptr;
#endif
}

}  // namespace

// The readout window with its ports, its menu and its tray icon. Members are
// built in this order and destroyed in reverse, so everything the core
// window uses outlives it.
struct ReadoutParts {
    explicit ReadoutParts(Registry& registry)
        : window(ReadoutPorts{widget, screen, clock, clipboard, colourDialog, desktop, registry,
                              &dialogs}),
          tray(
              &menu, [this] { window.ShowHide(Sender::TrayIcon); },
              [this](const std::function<void()>& call) { desktop.Guard(call); }) {}

    X11Screen screen;
    linux_common::SteadyClock clock;
    QtClipboard clipboard;
    std::unique_ptr<DialogPasteWorker> pasteWorker = MakePasteWorker();
    X11ColourDialog colourDialog{pasteWorker.get()};
    ReadoutWidget widget;
    DesktopServices desktop{widget};
    QtPropertiesFactory dialogs;
    TfrmPixoletMain window;
    PopupMenu menu;
    TrayIcon tray;
    SignalBridge signalBridge;
};

QtAppShell::QtAppShell(std::unique_ptr<Registry> registry)
    : registry_(std::move(registry)), display_(nullptr) {}

QtAppShell::~QtAppShell() = default;

bool QtAppShell::FindRunningInstance() {
    return InstanceMarkerExists(display_.get());
}

void QtAppShell::ShowSplashNow() {
    splash_ = std::make_unique<TfrmStart>();
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
    SyncWithServer();
}

void QtAppShell::Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void QtAppShell::ClaimInstance() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    marker_ = std::make_unique<InstanceMarker>();
    // The instance marker above is per display; the action socket is per
    // user, so with Pixolet on two displays at once only the first answers.
    actionServer_ = std::make_unique<linux_common::ActionServer>();
    switch (actionServer_->ClaimSocket()) {
        case linux_common::ActionServer::Claim::Claimed:
            return;
        case linux_common::ActionServer::Claim::OtherInstance:
            std::fprintf(stderr, "pixolet: another Pixolet of this user takes --action requests\n");
            break;
        case linux_common::ActionServer::Claim::Failed:
            std::fprintf(stderr, "pixolet: --action cannot reach this Pixolet: %s\n",
                         actionServer_->Error().c_str());
            break;
    }
    actionServer_.reset();
}

void QtAppShell::CreateReadoutWindow() {
    parts_ = std::make_unique<ReadoutParts>(*registry_);
    ReadoutParts& p = *parts_;
    const CoreCall guard = [&p](const std::function<void()>& call) { p.desktop.Guard(call); };
    p.desktop.Attach(&p.window);
    p.widget.Attach(&p.window, &p.menu, guard);
    p.widget.SetVisibilityObserver([&p](bool shown) { p.desktop.ReadoutVisibilityChanged(shown); });

    QObject::connect(p.menu.Show1, &QAction::triggered, &p.menu,
                     [&p] { p.desktop.Guard([&p] { p.window.ShowHide(Sender::Show1); }); });
    QObject::connect(p.menu.Quit1, &QAction::triggered, &p.menu,
                     [&p] { p.desktop.Guard([&p] { p.window.Quit1Click(); }); });
    // Also while the dialog is open: a second request brings it to the front.
    QObject::connect(p.menu.itmProperties, &QAction::triggered, &p.menu,
                     [&p] { p.desktop.Guard([&p] { p.window.SetProperties(Sender::Show1); }); });

    // A termination signal closes the window the way Quit does: measuring
    // markers leave the screen and the process exits with 0.
    QObject::connect(&p.signalBridge, &SignalBridge::terminationRequested, &p.desktop,
                     [&p] { p.desktop.PostClose(); });

    // The readout font stays described at 96 dpi: the readout draws it at
    // the dpi of the monitor under the pointer (ReadoutWidget::MonitorDpi).
    p.desktop.Guard([&p] { p.window.FormCreate(); });
    p.tray.Activate();
    if (actionServer_)
        actionServer_->Serve([&p](Action action) { return p.desktop.RunAction(action); });
}

void QtAppShell::RunMessageLoop() {
    // The error handler may already have ended the program inside FormCreate;
    // Qt ignores an exit() asked for before the loop runs.
    if (!parts_ || parts_->desktop.Terminated()) return;
    QApplication::exec();
}

}  // namespace pixolet::x11

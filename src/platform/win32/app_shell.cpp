#include "platform/win32/app_shell.h"

#include "platform/win32/application_window.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/colour_dialog.h"
#include "platform/win32/desktop_services.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/properties_factory.h"
#include "platform/win32/readout_window.h"
#include "platform/win32/screen.h"
#include "platform/win32/splash_window.h"
#include "platform/win32/tray.h"
#include "readout/readout_window.h"

namespace pixolet::win32 {

namespace {

class TickClock : public Clock {
  public:
    std::uint32_t TickCount() override { return GetTickCount(); }
};

// The next message for the loop; false for WM_QUIT (or a broken queue).
// While the input source does not read, raw input stays queued and does not
// wake the thread: the frame's timer reads it in one batch.
bool NextMessage(const Win32InputSource& input, MSG& message) {
    while (!input.Reading()) {
        if (PeekMessageA(&message, nullptr, 0, WM_INPUT - 1, PM_REMOVE) ||
            PeekMessageA(&message, nullptr, WM_INPUT + 1, 0xFFFFFFFFU, PM_REMOVE))
            return message.message != WM_QUIT;
        const DWORD woken = MsgWaitForMultipleObjectsEx(
            0, nullptr, INFINITE, QS_ALLINPUT & ~QS_RAWINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_FAILED) break;
    }
    return GetMessageA(&message, nullptr, 0, 0) > 0;
}

}  // namespace

// The readout window with its ports, its menu and its tray icon. Members are
// built in this order and destroyed in reverse, so everything the core
// window uses outlives it.
struct ReadoutParts {
    ReadoutParts(HINSTANCE instance, HWND application, Registry& registry)
        : view(instance, application),
          clipboard(view.Handle()),
          desktop(instance, view.Handle()),
          dialogs(instance),
          window(ReadoutPorts{view, screen, clock, clipboard, colourDialog, desktop, registry,
                              &dialogs}),
          tray(
              instance, &menu, [this] { window.ShowHide(Sender::TrayIcon); },
              [this](MenuCommand command) { RunMenu(command); }, [this] { desktop.PostClose(); },
              desktop.GuardCall()) {}

    // A chosen entry of PopupMenu1, from the tray icon or the window.
    void RunMenu(MenuCommand command) {
        desktop.Guard([this, command] {
            switch (command) {
                case MenuCommand::Show1:
                    window.ShowHide(Sender::Show1);
                    break;
                case MenuCommand::Properties:
                    // Also while the dialog is open: a second request
                    // brings it to the front.
                    window.SetProperties(Sender::Show1);
                    break;
                case MenuCommand::Quit1:
                    window.Quit1Click();
                    break;
                case MenuCommand::None:
                    break;
            }
        });
    }

    Win32Screen screen;
    TickClock clock;
    ReadoutWindow view;
    Win32Clipboard clipboard;
    Win32ColourDialog colourDialog;
    DesktopServices desktop;
    Win32PropertiesFactory dialogs;
    TfrmPixoletMain window;
    PopupMenu menu;
    TrayIcon tray;
};

Win32AppShell::Win32AppShell(HINSTANCE instance, std::unique_ptr<Registry> registry)
    : instance_(instance), registry_(std::move(registry)) {}

Win32AppShell::~Win32AppShell() {
    // The readout window and the tray icon before the application window
    // that owns the readout window.
    parts_.reset();
    application_.reset();
    splash_.reset();
}

bool Win32AppShell::FindRunningInstance() {
    return ApplicationWindowExists();
}

void Win32AppShell::ShowSplashNow() {
    splash_ = std::make_unique<TfrmStart>(instance_);
    splash_->ShowNow();
}

void Win32AppShell::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

void Win32AppShell::ClaimInstance() {
    application_ = std::make_unique<ApplicationWindow>(instance_);
}

void Win32AppShell::CreateReadoutWindow() {
    parts_ = std::make_unique<ReadoutParts>(instance_, application_->Handle(), *registry_);
    ReadoutParts& p = *parts_;
    p.desktop.Attach(&p.window);
    p.view.Attach(&p.window, &p.menu, p.desktop.GuardCall(),
                  [&p](POINT at) { p.tray.OpenMenuAt(at); });
    application_->SetHandlers([&p] { p.desktop.PostClose(); }, [this] { EndSession(); });

    // The readout font stays described at 96 dpi, the size it has on a
    // 100 % monitor: the readout draws it at the dpi of the monitor under
    // the pointer (ReadoutWindow::MonitorDpi), and the font dialog converts
    // it to the screen's dpi and back through its point size.
    p.desktop.Guard([&p] { p.window.FormCreate(); });
    p.tray.Activate();
}

void Win32AppShell::EndSession() {
    // The system ends the process once this returns: close now, the way
    // Quit does, so that no marker stays on the screen, then leave with 0.
    if (parts_) {
        parts_->desktop.Guard([this] { parts_->window.FormClose(); });
        parts_.reset();
    }
    splash_.reset();
    ExitProcess(0);
}

void Win32AppShell::RunMessageLoop() {
    // The error handler may already have ended the program inside FormCreate.
    if (!parts_ || parts_->desktop.Terminated()) return;
    MSG message;
    while (NextMessage(parts_->desktop.Input(), message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace pixolet::win32

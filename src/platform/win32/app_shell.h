// The start sequence's shell over Win32: the application window that marks
// the running instance, the splash, the readout window with all its ports
// and the tray icon, and the message loop.
#pragma once

#include <windows.h>

#include <memory>

#include "app/start_sequence.h"
#include "ports/registry_port.h"

namespace pixolet::win32 {

class ApplicationWindow;
class TfrmStart;
struct ReadoutParts;

class Win32AppShell : public AppShell {
  public:
    // `registry` is the settings store the readout window loads from.
    Win32AppShell(HINSTANCE instance, std::unique_ptr<Registry> registry);
    ~Win32AppShell() override;
    Win32AppShell(const Win32AppShell&) = delete;
    Win32AppShell& operator=(const Win32AppShell&) = delete;

    bool FindRunningInstance() override;
    void ShowSplashNow() override;
    void Sleep(int milliseconds) override;
    void ClaimInstance() override;
    void CreateReadoutWindow() override;
    void RunMessageLoop() override;

  private:
    void EndSession();

    HINSTANCE instance_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<TfrmStart> splash_;
    std::unique_ptr<ApplicationWindow> application_;
    std::unique_ptr<ReadoutParts> parts_;
};

}  // namespace pixolet::win32

// The program's start: single-instance test, splash, creation of the readout
// window and the message loop, over a small shell that the platform provides.
#pragma once

#include <string>
#include <vector>

namespace pixolet {

// The application title: caption of the error box and, once claimed, the
// marker a later start looks for.
inline constexpr char kApplicationTitle[] = "Pixolet 2";

// The switch that suppresses the splash; only the first argument counts.
inline constexpr char kNoSplashSwitch[] = "\\NOSPLASH";

// What the start sequence needs of the platform, in the order it uses it.
class AppShell {
  public:
    virtual ~AppShell() = default;
    // Another instance of the program runs on this desktop. Asked before this
    // process claims the marker itself.
    virtual bool FindRunningInstance() = 0;
    // Creates the splash, shows it and paints it at once: the message loop
    // does not run yet.
    virtual void ShowSplashNow() = 0;
    // Waits without serving any message.
    virtual void Sleep(int milliseconds) = 0;
    // Gives this process the application title, so later starts find it.
    virtual void ClaimInstance() = 0;
    // Creates the readout window, hidden, with its tray icon.
    virtual void CreateReadoutWindow() = 0;
    // Serves messages until the readout window closes or the error handler
    // ends the program.
    virtual void RunMessageLoop() = 0;
};

// `args` are the command-line arguments without the program name.
bool SplashWanted(const std::vector<std::string>& args);

// Runs the start sequence to its end; the result is the process exit code.
int RunStartSequence(AppShell& shell, const std::vector<std::string>& args);

}  // namespace pixolet

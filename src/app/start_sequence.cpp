#include "app/start_sequence.h"

#include <algorithm>

namespace pixolet {

namespace {

// ASCII only: the switch is compared the way the original command line was,
// byte by byte, whatever the user's locale.
std::string AsciiUpper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return text;
}

constexpr int kSecondInstanceSplashMs = 1000;

}  // namespace

bool SplashWanted(const std::vector<std::string>& args) {
    return args.empty() || AsciiUpper(args.front()) != kNoSplashSwitch;
}

int RunStartSequence(AppShell& shell, const std::vector<std::string>& args) {
    // The look-up comes before this process claims the title, or it would
    // always find itself.
    const bool otherInstance = shell.FindRunningInstance();
    if (SplashWanted(args)) {
        shell.ShowSplashNow();
        if (otherInstance) shell.Sleep(kSecondInstanceSplashMs);
    }
    if (otherInstance) return 0;  // the running instance is left alone

    shell.ClaimInstance();
    shell.CreateReadoutWindow();
    shell.RunMessageLoop();
    return 0;
}

}  // namespace pixolet

// The Windows program: runs the start sequence over the Win32 shell, with
// the settings in the current user's registry hive.
#include <windows.h>

#include <exception>
#include <memory>

#include "app/command_line.h"
#include "app/start_sequence.h"
#include "platform/win32/app_shell.h"
#include "platform/win32/win32_registry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        // The command line as the process got it, split as the C runtime
        // splits it for main().
        const char* line = GetCommandLineA();
        const auto args = pixolet::CommandLineArguments(line ? line : "");
        pixolet::win32::Win32AppShell shell(instance,
                                            std::make_unique<pixolet::win32::Win32Registry>());
        return pixolet::RunStartSequence(shell, args);
    } catch (const std::exception& error) {
        // Only the start itself can get here (a window the system refused);
        // everything later runs inside the error guard.
        MessageBoxA(nullptr, error.what(), pixolet::kApplicationTitle, MB_OK | MB_ICONERROR);
        return 1;
    }
}

// The tray icon against the shell: its restart broadcast ("TaskbarCreated").
#include <windows.h>
// clang-format off: shellapi.h needs windows.h ahead of it.
#include <shellapi.h>
// clang-format on

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/win32/tray.h"

namespace pixolet::win32 {
namespace {

NOTIFYICONDATAA IconOf(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 0;
    data.uFlags = NIF_TIP;
    std::strcpy(data.szTip, kTrayHint);
    return data;
}

// The shell takes an update only for an icon it holds.
bool ShellHoldsIcon(HWND window) {
    NOTIFYICONDATAA data = IconOf(window);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool ShellRemovesIcon(HWND window) {
    NOTIFYICONDATAA data = IconOf(window);
    return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}

TEST(TrayIconTest, TheShellsRestartBroadcastGivesTheIconBackAndNeverASecondOne) {
    PopupMenu menu;
    TrayIcon tray(
        GetModuleHandleA(nullptr), &menu, [] {}, [](MenuCommand) {}, [] {},
        [](const std::function<void()>& call) { call(); });
    tray.Activate();
    ASSERT_TRUE(ShellHoldsIcon(tray.Window()));
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");

    // A shell that announces itself while it still holds the icon.
    SendMessageA(tray.Window(), taskbarCreated, 0, 0);
    EXPECT_TRUE(ShellRemovesIcon(tray.Window()));
    EXPECT_FALSE(ShellRemovesIcon(tray.Window())) << "the icon was there twice";

    // A restarted shell knows no icons: the broadcast adds it again.
    SendMessageA(tray.Window(), taskbarCreated, 0, 0);
    EXPECT_TRUE(ShellHoldsIcon(tray.Window()));

    tray.Deactivate();
    EXPECT_FALSE(ShellHoldsIcon(tray.Window()));
    // Once taken out by the program, a later broadcast leaves it out.
    SendMessageA(tray.Window(), taskbarCreated, 0, 0);
    EXPECT_FALSE(ShellHoldsIcon(tray.Window()));
}

}  // namespace
}  // namespace pixolet::win32

// The readout window's popup menu and the notification-area icon that
// opens it. The mapping from mouse actions to events is the core's
// (widgets/tray_events.h); this file only wires it to Win32.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/window_binding.h"
#include "ports/shortcut.h"
#include "widgets/tray_events.h"

namespace pixolet::win32 {

// The tooltip of the icon.
inline constexpr char kTrayHint[] = "Pixolet 2.0";
// The icon's notifications arrive as this message (WM_USER + 101).
inline constexpr UINT kTrayCallbackMessage = WM_USER + 101;

// The entries of PopupMenu1, as TrackPopupMenu returns them.
enum class MenuCommand : UINT { None = 0, Show1 = 1, Properties = 2, Quit1 = 3 };

// A menu entry's text: the caption, then the shortcut after a tab
// ("Hide\tCtrl+Shift+H"); ampersands shown as themselves.
std::string MenuEntryText(std::string_view caption, Shortcut shortcut);

// PopupMenu1: Show/Hide, Properties, a separator, Quit.
class PopupMenu {
  public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    void SetShowCaption(std::string_view caption);
    void SetShortcuts(Shortcut showHide, Shortcut quit);
    // The text of an entry as the menu holds it now.
    std::string EntryText(MenuCommand command) const;

    // Opens the menu with its top-left corner at `at` (screen pixels) and
    // returns the chosen entry once it has closed. Either button chooses.
    MenuCommand Track(HWND owner, POINT at);

  private:
    void UpdateTexts();

    HMENU menu_ = nullptr;
    std::string showCaption_ = "Show";
    Shortcut showHide_ = 0;
    Shortcut quit_ = 0;
};

// TrayIcon1.
class TrayIcon {
  public:
    using CoreCall = std::function<void(const std::function<void()>&)>;

    // `menu` is not owned. `onDblClick` and `onMenu` run inside `guard`;
    // `onClose` when the desktop asks the icon's window to close.
    TrayIcon(HINSTANCE instance, PopupMenu* menu, std::function<void()> onDblClick,
             std::function<void(MenuCommand)> onMenu, std::function<void()> onClose,
             CoreCall guard);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon; again after the shell restarts.
    void Activate();
    // Takes the icon out of the notification area.
    void Deactivate();
    // Opens PopupMenu1 at `at` (screen pixels) from the icon's window, which
    // can take the foreground, so the menu closes on a click elsewhere (the
    // readout window never becomes the foreground window).
    void OpenMenuAt(POINT at);
    bool Active() const { return active_; }
    HWND Window() const { return window_; }

  private:
    template <class T>
    friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnNotify(unsigned mouseMessage);
    bool Notify(DWORD action);

    HWND window_ = nullptr;
    PopupMenu* menu_;
    std::function<void()> onDblClick_;
    std::function<void(MenuCommand)> onMenu_;
    std::function<void()> onClose_;
    CoreCall guard_;
    Icon ownIcon_;
    HICON icon_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool active_ = false;
    POINT lastPointer_{0, 0};
};

}  // namespace pixolet::win32

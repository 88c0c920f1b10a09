#include "platform/win32/tray.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/resource_ids.h"
#include "widgets/shortcut_text.h"

namespace pixolet::win32 {

namespace {

constexpr char kTrayWindowClass[] = "PixoletTrayIcon";
constexpr UINT kIconId = 0;

// A menu shows "&x" as an underlined x; a plain ampersand is written twice.
std::string MenuLiteral(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

void SetEntryText(HMENU menu, MenuCommand command, const std::string& text) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(menu, static_cast<UINT>(command), FALSE, &item);
}

}  // namespace

std::string MenuEntryText(std::string_view caption, Shortcut shortcut) {
    std::string text = MenuLiteral(caption);
    const std::string keys = ShortcutText(shortcut);
    if (!keys.empty()) {
        text += '\t';
        text.append(MenuLiteral(keys));
    }
    return text;
}

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {
    if (!menu_) return;
    AppendMenuA(menu_, MF_STRING, static_cast<UINT_PTR>(MenuCommand::Show1), "Show");
    AppendMenuA(menu_, MF_STRING, static_cast<UINT_PTR>(MenuCommand::Properties), "Properties");
    AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);  // N1
    AppendMenuA(menu_, MF_STRING, static_cast<UINT_PTR>(MenuCommand::Quit1), "Quit");
    UpdateTexts();
}

PopupMenu::~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
}

void PopupMenu::SetShowCaption(std::string_view caption) {
    showCaption_ = std::string(caption);
    UpdateTexts();
}

void PopupMenu::SetShortcuts(Shortcut showHide, Shortcut quit) {
    showHide_ = showHide;
    quit_ = quit;
    UpdateTexts();
}

void PopupMenu::UpdateTexts() {
    if (!menu_) return;
    SetEntryText(menu_, MenuCommand::Show1, MenuEntryText(showCaption_, showHide_));
    SetEntryText(menu_, MenuCommand::Quit1, MenuEntryText("Quit", quit_));
}

std::string PopupMenu::EntryText(MenuCommand command) const {
    char text[256] = {};
    if (!menu_) return {};
    const int length =
        GetMenuStringA(menu_, static_cast<UINT>(command), text, sizeof text, MF_BYCOMMAND);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

MenuCommand PopupMenu::Track(HWND owner, POINT at) {
    if (!menu_) return MenuCommand::None;
    const BOOL chosen = TrackPopupMenu(
        menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
        at.y, 0, owner, nullptr);
    // Lets the menu close properly when it was opened from a background
    // program's window (the tray's).
    PostMessageA(owner, WM_NULL, 0, 0);
    return static_cast<MenuCommand>(chosen);
}

TrayIcon::TrayIcon(HINSTANCE instance, PopupMenu* menu, std::function<void()> onDblClick,
                   std::function<void(MenuCommand)> onMenu, std::function<void()> onClose,
                   CoreCall guard)
    : menu_(menu),
      onDblClick_(std::move(onDblClick)),
      onMenu_(std::move(onMenu)),
      onClose_(std::move(onClose)),
      guard_(std::move(guard)),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    // A hidden top-level window: the shell's "TaskbarCreated" broadcast only
    // reaches top-level windows.
    WindowOptions options;
    options.className = kTrayWindowClass;
    options.classStyle = CS_DBLCLKS;
    options.exStyle = WS_EX_TOOLWINDOW;
    window_ = CreateBoundWindow(instance, options, this);

    ownIcon_.Reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PIXOLET),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0)));
    // The system's own icon, shared and never destroyed, when ours is missing.
    icon_ = ownIcon_ ? ownIcon_.get() : LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
}

TrayIcon::~TrayIcon() {
    Deactivate();
    DestroyBoundWindow(window_);
}

bool TrayIcon::Notify(DWORD action) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon_;
    const std::string tip = TrayTooltip(kTrayHint);
    std::memcpy(data.szTip, tip.data(), std::min(tip.size(), sizeof data.szTip - 1));
    return Shell_NotifyIconA(action, &data) != FALSE;
}

void TrayIcon::Activate() {
    if (!window_) return;
    // Results are not checked: without a shell the icon comes with the
    // shell's "TaskbarCreated".
    Notify(NIM_ADD);
    active_ = true;
}

void TrayIcon::Deactivate() {
    if (!active_) return;
    active_ = false;
    Notify(NIM_DELETE);
}

LRESULT TrayIcon::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage) {
        GetCursorPos(&lastPointer_);
        OnNotify(static_cast<unsigned>(LOWORD(lParam)));
        return 0;
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        // The shell (re)started and knows no icons: add ours again. A shell
        // that announces itself while it still holds the icon (Wine's, on its
        // first start) takes the update instead, so the icon is never doubled.
        if (active_ && !Notify(NIM_MODIFY)) Notify(NIM_ADD);
        return 0;
    }
    if (message == WM_CLOSE) {
        // A close request to the program's windows (a task manager's) ends
        // the program the ordinary way, not this window alone.
        if (onClose_) onClose_();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TrayIcon::OnNotify(unsigned mouseMessage) {
    const auto message = TrayMessageFromCode(mouseMessage);
    if (!message) return;
    for (const TrayEventStep& step : TrayEventsFor(*message, menu_ != nullptr)) {
        // Of the icon's events only the double-click and the menu are assigned.
        if (step.kind == TrayEventKind::DblClick && onDblClick_) guard_(onDblClick_);
        if (step.kind == TrayEventKind::PopUp) OpenMenuAt(lastPointer_);
    }
}

void TrayIcon::OpenMenuAt(POINT at) {
    if (!menu_) return;
    // In the foreground, so that the menu closes when the user clicks
    // elsewhere.
    SetForegroundWindow(window_);
    const MenuCommand command = menu_->Track(window_, at);
    if (command != MenuCommand::None && onMenu_) onMenu_(command);
}

}  // namespace pixolet::win32

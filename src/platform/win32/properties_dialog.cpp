#include "platform/win32/properties_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/font_chooser.h"
#include "platform/win32/hotkey_control.h"
#include "platform/win32/properties_pages.h"
#include "platform/win32/window_binding.h"
#include "settings/properties_dialog.h"

namespace pixolet::win32 {

namespace {

constexpr char kDialogClass[] = "TfrmProp";
constexpr char kCaption[] = "Properties";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kDialogFontPixels = 11;
constexpr UINT_PTR kRefreshTimerId = 1;
constexpr UINT kRefreshIntervalMs = 100;
constexpr Bounds kTabBounds{7, 6, 397, 157};
constexpr int kTabPadding = 4;

struct ButtonEntry {
    int id;
    const char* caption;
    Bounds bounds;
    DWORD style;
};

constexpr ButtonEntry kButtons[] = {
    {kIdOK, "OK", {243, 168, 75, 24}, BS_DEFPUSHBUTTON},
    {kIdCancel, "Cancel", {330, 168, 75, 24}, BS_PUSHBUTTON},
    {kIdUninstall, "Uninstall", {7, 168, 75, 24}, BS_PUSHBUTTON},
};

void EnsureCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_HOTKEY_CLASS | ICC_STANDARD_CLASSES |
                                                       ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

BOOL CALLBACK SetFontOnChild(HWND child, LPARAM font) {
    SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

}  // namespace

Win32PropertiesDialog::Win32PropertiesDialog(HINSTANCE instance, TfrmProp& model)
    : instance_(instance), model_(model), hint_(model.LogoHint()) {
    EnsureCommonControls();
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    // No owner: the dialog stands on its own, and the tray's window stays
    // enabled while it is open.
    WindowOptions options;
    options.className = kDialogClass;
    options.exStyle = kExStyle;
    options.title = kCaption;
    options.style = kStyle;
    options.left = CW_USEDEFAULT;
    options.top = CW_USEDEFAULT;
    options.width = frame.right - frame.left;
    options.height = frame.bottom - frame.top;
    window_ = CreateBoundWindow(instance_, options, this);
    if (!window_) return;
    font_.Reset(CreateFontA(-kDialogFontPixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
    Build();
    EnumChildWindows(window_, SetFontOnChild, reinterpret_cast<LPARAM>(font_.get()));
    for (const Bound& bound : controls_)
        if (bound.entry->kind == ControlKind::Combo) FitComboBox(bound.window, bound.entry->bounds);
}

Win32PropertiesDialog::~Win32PropertiesDialog() {
    if (tooltip_) DestroyWindow(tooltip_);
    if (window_) {
        KillTimer(window_, kRefreshTimerId);
        DestroyBoundWindow(window_);
    }
}

void Win32PropertiesDialog::Build() {
    const Bounds& t = kTabBounds;
    tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, t.left, t.top,
                            t.width, t.height, window_, AsMenu(kIdTabs), instance_, nullptr);
    SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageA(tabs_, TCM_SETPADDING, 0, MAKELPARAM(kTabPadding, 3));
    for (int i = 0; i < kPropPageCount; ++i) {
        std::string caption(PageCaption(static_cast<PropPage>(i)));
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    FitTabsInOneRow();
    // The pages cover the tab control's display area, above it in the
    // z-order so that it never paints over them.
    RECT area{0, 0, t.width, t.height};
    SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    OffsetRect(&area, t.left, t.top);
    for (int i = 0; i < kPropPageCount; ++i) pages_[i] = CreatePageWindow(instance_, window_, area);
    SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    for (const ControlEntry& entry : PageControls()) {
        HWND control = CreatePageControl(instance_, Page(entry.page), entry, model_);
        controls_.push_back({control, &entry});
        if (entry.kind == ControlKind::ZoomBox) zoomBox_ = control;
    }
    BuildAbout(Page(PropPage::About));
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonEntry& b = kButtons[i];
        buttons_[i] =
            CreateWindowExA(0, WC_BUTTONA, b.caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | b.style,
                            b.bounds.left, b.bounds.top, b.bounds.width, b.bounds.height, window_,
                            AsMenu(b.id), instance_, nullptr);
    }
    ShowPage(model_.ActivePage());
}

void Win32PropertiesDialog::FitTabsInOneRow() {
    // Seven captions in one row of 397 pixels, without scroll arrows: the
    // padding beside each caption shrinks until the last tab fits. A new
    // font makes the control measure its tabs again.
    for (int padding = kTabPadding; padding >= 0; --padding) {
        SendMessageA(tabs_, TCM_SETPADDING, 0, MAKELPARAM(padding, 3));
        SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        RECT last{};
        RECT client{};
        GetClientRect(tabs_, &client);
        if (!SendMessageA(tabs_, TCM_GETITEMRECT, kPropPageCount - 1,
                          reinterpret_cast<LPARAM>(&last)) ||
            last.right <= client.right)
            return;
    }
}

HWND Win32PropertiesDialog::Control(int id) const {
    for (const Bound& bound : controls_)
        if (bound.entry->id == id) return bound.window;
    if (id == kIdLogo) return logo_;
    return GetDlgItem(window_, id);
}

const Win32PropertiesDialog::Bound* Win32PropertiesDialog::Find(HWND control) const {
    for (const Bound& bound : controls_)
        if (bound.window == control) return &bound;
    return nullptr;
}

LRESULT Win32PropertiesDialog::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (!window_) window_ = window;
    // No error may cross into the system: it ends the modal run and is
    // raised again by ShowModal.
    try {
        return Handle(message, wParam, lParam);
    } catch (...) {
        if (!error_) error_ = std::current_exception();
        running_ = false;
        return 0;
    }
}

LRESULT Win32PropertiesDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_HSCROLL:
            OnTrackBar(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
                const int index = static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
                if (index >= 0 && index < kPropPageCount) {
                    ShowPage(static_cast<PropPage>(index));
                    model_.SelectPage(static_cast<PropPage>(index));
                }
            }
            return 0;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID == static_cast<UINT>(kIdFontButton)) DrawFontButton(*item);
            return TRUE;
        }
        case WM_TIMER:
            if (wParam == kRefreshTimerId) model_.tmrRefreshTimer();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(window_, focus)) lastFocus_ = focus;
                return 0;
            }
            if (lastFocus_ && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_))
                SetFocus(lastFocus_);
            else
                SetFocus(tabs_);
            if (running_) model_.FormActivate();
            return 0;
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window_, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_PAINT: {
            // Panel1: a lowered inner bevel around the whole client area.
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            RECT client;
            GetClientRect(window_, &client);
            DrawEdge(dc, &client, BDR_SUNKENINNER, BF_RECT);
            EndPaint(window_, &paint);
            return 0;
        }
        case DM_GETDEFID: {
            for (HWND button : buttons_)
                if ((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                    return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
            return MAKELRESULT(kIdOK, DC_HASDEFID);
        }
        case WM_CLOSE:
            End(kDialogCancel);
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void Win32PropertiesDialog::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case kIdOK:
            ReadEditors();
            End(kDialogOK);
            return;
        case kIdCancel:
            End(kDialogCancel);
            return;
        case kIdUninstall:
            End(kDialogUninstall);
            return;
        case kIdFontButton:
            if (code == BN_CLICKED) model_.BitBtn1Click();
            return;
        case kIdLogo:
            if (code == STN_DBLCLK) model_.imgVelmoraDblClick();
            return;
        default:
            break;
    }
    const Bound* bound = Find(control);
    if (!bound) return;
    const ControlEntry& entry = *bound->entry;
    if (entry.kind == ControlKind::Check && code == BN_CLICKED) {
        model_.SetChecked(model_.*entry.check,
                          SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
    } else if (entry.kind == ControlKind::Combo && code == CBN_SELCHANGE) {
        SelectComboItem(model_, entry, static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)));
    } else if (entry.kind == ControlKind::Hotkey && code == EN_CHANGE) {
        HotkeyEditor& editor = model_.*entry.hotkey;
        const Shortcut typed = ReadHotkey(control);
        // Modifiers held without a key yet: the editor holds nothing so far,
        // and the control keeps showing what is held.
        if ((typed & 0xFF) == 0) {
            model_.SetHotkey(editor, 0);
            return;
        }
        model_.TypeHotkey(editor, typed);
        if (editor.value != typed) WriteHotkey(control, editor.value);
    }
}

void Win32PropertiesDialog::ReadEditors() {
    // What is saved is what the controls show. The hot-key control clears
    // itself on Backspace, Delete and Space without a change notification,
    // and a list's selection can change without one reaching us.
    for (const Bound& bound : controls_) {
        const ControlEntry& entry = *bound.entry;
        if (entry.kind == ControlKind::Hotkey) {
            const Shortcut shown = ReadHotkey(bound.window);
            // Modifiers without a key are no shortcut.
            model_.SetHotkey(model_.*entry.hotkey, (shown & 0xFF) == 0 ? 0 : shown);
        } else if (entry.kind == ControlKind::Combo) {
            SelectComboItem(model_, entry,
                            static_cast<int>(SendMessageA(bound.window, CB_GETCURSEL, 0, 0)));
        }
    }
}

void Win32PropertiesDialog::OnTrackBar(HWND control) {
    const Bound* bound = Find(control);
    if (!bound || bound->entry->kind != ControlKind::TrackBar) return;
    TrackBar& bar = model_.*bound->entry->bar;
    model_.MoveTrackBar(bar, static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0)));
}

void Win32PropertiesDialog::ShowPage(PropPage page) {
    const int shown = static_cast<int>(page);
    SendMessageA(tabs_, TCM_SETCURSEL, shown, 0);
    // Show the new page before hiding the old one, so nothing flashes through.
    ShowWindow(pages_[shown], SW_SHOWNA);
    for (int i = 0; i < kPropPageCount; ++i)
        if (i != shown) ShowWindow(pages_[i], SW_HIDE);
}

void Win32PropertiesDialog::SyncAll() {
    for (const Bound& bound : controls_) {
        const ControlEntry& entry = *bound.entry;
        switch (entry.kind) {
            case ControlKind::Check:
                SendMessageA(bound.window, BM_SETCHECK,
                             (model_.*entry.check).checked ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case ControlKind::TrackBar:
                SendMessageA(bound.window, TBM_SETPOS, TRUE, (model_.*entry.bar).position);
                break;
            case ControlKind::Hotkey:
                WriteHotkey(bound.window, (model_.*entry.hotkey).value);
                break;
            case ControlKind::Combo:
                SendMessageA(bound.window, CB_SETCURSEL,
                             static_cast<WPARAM>((model_.*entry.combo).itemIndex), 0);
                break;
            default:
                break;
        }
    }
    ShowPage(model_.ActivePage());
    ControlsChanged();
}

void Win32PropertiesDialog::ControlsChanged() {
    for (const Bound& bound : controls_) {
        const ControlEntry& entry = *bound.entry;
        bool enabled = true;
        if (entry.check) enabled = (model_.*entry.check).enabled;
        if (entry.bar) enabled = (model_.*entry.bar).enabled;
        if (entry.hotkey) enabled = (model_.*entry.hotkey).enabled;
        if ((IsWindowEnabled(bound.window) != FALSE) != enabled)
            EnableWindow(bound.window, enabled);
    }
}

int Win32PropertiesDialog::ShowModal() {
    if (!window_) return kDialogCancel;
    SyncAll();
    RECT frame;
    GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    result_ = kDialogCancel;
    error_ = nullptr;
    lastFocus_ = tabs_;
    running_ = true;
    model_.FormShow();
    ShowWindow(window_, SW_SHOW);
    BringToFront();

    MSG message;
    while (running_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: the outer loop must see its quit too.
            PostQuitMessage(static_cast<int>(message.wParam));
            result_ = kDialogCancel;
            break;
        }
        if (got < 0) break;
        if (Navigate(message) || IsDialogMessageA(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    running_ = false;
    KillTimer(window_, kRefreshTimerId);
    ShowWindow(window_, SW_HIDE);
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
    return result_;
}

void Win32PropertiesDialog::End(int result) {
    result_ = result;
    running_ = false;
}

void Win32PropertiesDialog::BringToFront() {
    // The font dialog, when open, is the one to come forward.
    HWND front = GetLastActivePopup(window_);
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(front ? front : window_);
}

void Win32PropertiesDialog::SetRefreshTimer(bool running) {
    if (running)
        SetTimer(window_, kRefreshTimerId, kRefreshIntervalMs, nullptr);
    else
        KillTimer(window_, kRefreshTimerId);
}

void Win32PropertiesDialog::DrawZoomPreview(const PixelBuffer& preview) {
    if (zoomBox_ && IsWindowVisible(zoomBox_)) PaintOntoWindow(zoomBox_, preview);
}

bool Win32PropertiesDialog::ChooseFont(FontDescription& font) {
    return ChooseReadoutFont(window_, font);
}

}  // namespace pixolet::win32

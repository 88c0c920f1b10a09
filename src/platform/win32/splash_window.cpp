#include "platform/win32/splash_window.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/child_window.h"
#include "platform/win32/effects_label.h"
#include "platform/win32/maker_block.h"
#include "platform/win32/resource_ids.h"
#include "settings/properties_dialog.h"

namespace pixolet::win32 {

namespace {

constexpr char kClassName[] = "TfrmStart";
constexpr UINT_PTR kTimer1 = 1;

RECT Bounds(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

void HLine(HDC dc, int x0, int x1, int y, COLORREF colour) {
    for (int x = x0; x <= x1; ++x) SetPixelV(dc, x, y, colour);
}

void VLine(HDC dc, int x, int y0, int y1, COLORREF colour) {
    for (int y = y0; y <= y1; ++y) SetPixelV(dc, x, y, colour);
}

}  // namespace

TfrmStart::TfrmStart(HINSTANCE instance) {
    // CS_DBLCLKS: the panel's double-click hides the splash.
    if (!RegisterWindowClass(instance, kClassName, WindowProc, CS_DBLCLKS)) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kClientWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kClientHeight) / 2;
    // A popup without border or caption: the window is its client area. A
    // tool window, so the splash has no taskbar button of its own.
    frmStart = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, " ", WS_POPUP, left, top, kClientWidth,
                               kClientHeight, nullptr, nullptr, instance, this);
    if (frmStart == nullptr) return;
    CreateControls(instance);
    // The timer runs from creation; it can only fire once the message loop
    // runs, so a slow start keeps the splash up longer.
    SetTimer(frmStart, kTimer1, kTimerIntervalMs, nullptr);
}

TfrmStart::~TfrmStart() {
    if (frmStart == nullptr) return;
    KillTimer(frmStart, kTimer1);
    SetWindowLongPtrA(frmStart, GWLP_USERDATA, 0);
    if (tooltip_ != nullptr) DestroyWindow(tooltip_);
    DestroyWindow(frmStart);
}

void TfrmStart::CreateControls(HINSTANCE instance) {
    icon_ = Icon(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_PIXOLET), IMAGE_ICON, 32, 32, 0)));
    imgPixoletIco = CreateImage(frmStart, instance, SS_ICON, Bounds(14, 12, 41, 37));
    if (imgPixoletIco != nullptr && icon_)
        SendMessageA(imgPixoletIco, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);

    PxLabel1 = CreateProgramCaption(frmStart, "Pixolet 2");

    logo_ = Bitmap(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, 0)));
    // SS_CENTERIMAGE keeps the control's size and centres the picture in it.
    imgVelmora =
        CreateImage(frmStart, instance, SS_BITMAP | SS_CENTERIMAGE, Bounds(101, 10, 139, 48));
    if (imgVelmora != nullptr && logo_)
        SendMessageA(imgVelmora, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.get()));

    const std::string mail(kMakerMailAddress);
    const MakerLinks links = CreateMakerLinks(frmStart, 99, mail);
    lblOrvessa = links.partner;
    PxSimpleLabel1 = links.maker;
    PxSimpleLabel3 = links.mail;

    tooltip_ = CreateHintTooltip(instance, frmStart, imgVelmora, SplashLogoHint());
}

void TfrmStart::ShowNow() {
    if (frmStart == nullptr) return;
    ShowWindow(frmStart, SW_SHOWNORMAL);
    UpdateWindow(frmStart);
}

void TfrmStart::Close() {
    if (frmStart != nullptr) ShowWindow(frmStart, SW_HIDE);
}

void TfrmStart::FormPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(frmStart, &ps);
    // Panel1: a raised outer and a lowered inner bevel, one pixel each. On a
    // white panel the raised edge's light side would vanish, so it is drawn
    // in silver.
    const COLORREF silver = RGB(0xC0, 0xC0, 0xC0);
    const COLORREF dark = RGB(0x40, 0x40, 0x40);
    const COLORREF shadow = RGB(0x80, 0x80, 0x80);
    const COLORREF light = RGB(0xFF, 0xFF, 0xFF);
    const int r = kClientWidth - 1;
    const int b = kClientHeight - 1;
    auto bevel = [&](int inset, COLORREF topLeft, COLORREF bottomRight) {
        HLine(dc, inset, r - inset, inset, topLeft);
        VLine(dc, inset, inset, b - inset, topLeft);
        HLine(dc, inset, r - inset, b - inset, bottomRight);
        VLine(dc, r - inset, inset, b - inset, bottomRight);
    };
    bevel(0, silver, dark);
    bevel(1, shadow, light);
    EndPaint(frmStart, &ps);
}

void TfrmStart::Panel1DblClick() {
    Close();
}

void TfrmStart::Timer1Timer() {
    KillTimer(frmStart, kTimer1);
    Close();
}

LRESULT TfrmStart::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            FormPaint();
            return 0;
        case WM_ERASEBKGND: {
            // Panel1 is white.
            RECT client;
            GetClientRect(frmStart, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
            // The panel is white behind every picture and label.
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0xFF, 0xFF, 0xFF));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        case WM_LBUTTONDBLCLK:
            Panel1DblClick();
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1) Timer1Timer();
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            return DefWindowProcA(frmStart, message, wParam, lParam);
    }
}

LRESULT CALLBACK TfrmStart::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<TfrmStart*>(create->lpCreateParams);
        self->frmStart = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TfrmStart*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    // Nothing here throws; no exception may leave a window procedure.
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace pixolet::win32

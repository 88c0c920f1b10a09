#include "platform/win32/link_label.h"

#include <shellapi.h>

#include <memory>

#include "platform/win32/child_window.h"
#include "platform/win32/gdi_handles.h"

namespace pixolet::win32 {

namespace {

constexpr char kClassName[] = "TPxSimpleLabel";
// Alignment centre (DT_VCENTER | DT_CENTER), DT_WORDBREAK | DT_EXPANDTABS,
// one line.
constexpr UINT kDrawFlags = DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_SINGLELINE;

ShellOpen g_opener = OpenWithShell;

struct Label {
    explicit Label(const std::string& caption) : state(caption) {}
    LinkLabel state;
    Font plain;
    Font underlined;
    bool held = false;
};

Font MakeFont(bool underline) {
    LOGFONTA font{};
    font.lfHeight = -kLinkFontHeight;
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, kLinkFontFace, LF_FACESIZE);
    return Font(CreateFontIndirectA(&font));
}

Label* LabelOf(HWND window) {
    return reinterpret_cast<Label*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Paint(HWND window, Label& label) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    FillParentBackground(window, dc);
    RECT client;
    GetClientRect(window, &client);
    const LinkLabel& state = label.state;
    SelectGuard font(dc, state.Underline() ? label.underlined.get() : label.plain.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, state.Enabled() ? static_cast<COLORREF>(state.FontColour())
                                     : GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, state.Caption().c_str(), static_cast<int>(state.Caption().size()), &client,
              kDrawFlags);
    EndPaint(window, &ps);
}

void ButtonUp(HWND window, Label& label, LPARAM lParam) {
    if (!label.held) return;
    label.held = false;
    if (GetCapture() == window) ReleaseCapture();
    label.state.MouseUp(LabelButton::Left);
    InvalidateRect(window, nullptr, TRUE);
    RECT client;
    GetClientRect(window, &client);
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (!PtInRect(&client, at)) return;
    HWND owner = GetAncestor(window, GA_ROOT);
    label.state.Click([owner](const std::string& target) { return g_opener(owner, target); });
    if (!label.state.Enabled()) EnableWindow(window, FALSE);
    InvalidateRect(window, nullptr, TRUE);
}

LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Label* label = LabelOf(window);
    if (label == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            Paint(window, *label);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_SETCURSOR:
            SetCursor(LoadCursorA(nullptr, label->state.HandCursor() ? IDC_HAND : IDC_ARROW));
            return TRUE;
        case WM_LBUTTONDOWN:
            if (!label->state.Enabled()) return 0;
            label->held = true;
            SetCapture(window);
            label->state.MouseDown(LabelButton::Left);
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        case WM_LBUTTONUP:
            ButtonUp(window, *label, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            // Capture taken away while held: blue again, nothing opened.
            if (label->held && reinterpret_cast<HWND>(lParam) != window) {
                label->held = false;
                label->state.MouseUp(LabelButton::Left);
                InvalidateRect(window, nullptr, TRUE);
            }
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete label;
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // No exception may leave a window procedure; painting and clicking
    // throw nothing but a failed allocation, which leaves the label as it
    // was.
    try {
        return Handle(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool OpenWithShell(HWND owner, const std::string& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

void SetLinkOpener(ShellOpen opener) {
    g_opener = opener != nullptr ? opener : OpenWithShell;
}

HWND CreateLinkLabel(HWND parent, const RECT& bounds, const std::string& caption,
                     const std::string& jump) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClass(instance, kClassName, WindowProc)) return nullptr;
    auto label = std::make_unique<Label>(caption);
    label->plain = MakeFont(false);
    label->underlined = MakeFont(true);
    label->state.Jump = jump;
    label->state.SetUseAsJump(true);
    HWND window = CreateWindowExA(0, kClassName, caption.c_str(), WS_CHILD | WS_VISIBLE,
                                  bounds.left, bounds.top, bounds.right - bounds.left,
                                  bounds.bottom - bounds.top, parent, nullptr, instance, nullptr);
    if (window == nullptr) return nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(label.release()));
    InvalidateRect(window, nullptr, TRUE);
    return window;
}

LinkLabel* LinkLabelState(HWND label) {
    char name[32] = {};
    if (label == nullptr || GetClassNameA(label, name, sizeof name) == 0 ||
        lstrcmpA(name, kClassName) != 0)
        return nullptr;
    Label* data = LabelOf(label);
    return data != nullptr ? &data->state : nullptr;
}

}  // namespace pixolet::win32

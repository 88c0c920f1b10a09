#include "platform/win32/effects_label.h"

#include <memory>

#include "platform/win32/child_window.h"
#include "platform/win32/gdi_handles.h"

namespace pixolet::win32 {

namespace {

constexpr char kClassName[] = "TPxLabel";

struct Label {
    std::string caption;
    int angle = 0;
    COLORREF colour = 0;
    Font turned;
    EffectsBox box;
};

Label* LabelOf(HWND window) {
    return reinterpret_cast<Label*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LOGFONTA Describe(const EffectsFont& font, int escapement) {
    LOGFONTA description{};
    description.lfHeight = -font.height;
    description.lfWeight = FW_NORMAL;
    description.lfEscapement = escapement;
    description.lfOrientation = escapement;
    description.lfCharSet = DEFAULT_CHARSET;
    // Only outline fonts can be turned.
    description.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    description.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynA(description.lfFaceName, font.face, LF_FACESIZE);
    return description;
}

// The caption's unturned width and height in the label's font.
SIZE MeasureCaption(const EffectsFont& font, const std::string& caption) {
    SIZE size{0, 0};
    const LOGFONTA description = Describe(font, 0);
    Font upright(CreateFontIndirectA(&description));
    MemoryDc dc(nullptr);
    if (!dc || !upright) return size;
    SelectGuard select(dc.get(), upright.get());
    GetTextExtentPoint32A(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &size);
    TEXTMETRICA metrics{};
    if (GetTextMetricsA(dc.get(), &metrics)) size.cy = metrics.tmHeight;
    return size;
}

void Paint(HWND window, const Label& label) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    FillParentBackground(window, dc);
    RECT client;
    GetClientRect(window, &client);
    SelectGuard font(dc, label.turned.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetTextColor(dc, IsWindowEnabled(window) ? label.colour : GetSysColor(COLOR_GRAYTEXT));
    ExtTextOutA(dc, client.left + label.box.posX, client.top + label.box.posY, 0, nullptr,
                label.caption.c_str(), static_cast<UINT>(label.caption.size()), nullptr);
    EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Label* label = LabelOf(window);
    if (label == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            Paint(window, *label);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_ENABLE:
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete label;
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateEffectsLabel(HWND parent, int left, int top, const std::string& caption,
                        int angleDegrees, const EffectsFont& font) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClass(instance, kClassName, WindowProc)) return nullptr;
    auto label = std::make_unique<Label>();
    label->caption = caption;
    label->angle = angleDegrees;
    label->colour = font.colour;
    const LOGFONTA turned = Describe(font, angleDegrees * 10);
    label->turned = Font(CreateFontIndirectA(&turned));
    const SIZE text = MeasureCaption(font, caption);
    label->box = EffectsAutoSize(text.cx, text.cy, angleDegrees);
    // A window of its own: a double-click on it is not one on the parent's
    // free area.
    HWND window =
        CreateWindowExA(0, kClassName, caption.c_str(), WS_CHILD | WS_VISIBLE, left, top,
                        label->box.width, label->box.height, parent, nullptr, instance, nullptr);
    if (window == nullptr) return nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(label.release()));
    InvalidateRect(window, nullptr, TRUE);
    return window;
}

HWND CreateProgramCaption(HWND parent, const std::string& caption) {
    return CreateEffectsLabel(parent, 12, 50, caption, 40);
}

const EffectsBox* EffectsLabelBox(HWND label) {
    char name[32] = {};
    if (label == nullptr || GetClassNameA(label, name, sizeof name) == 0 ||
        lstrcmpA(name, kClassName) != 0)
        return nullptr;
    const Label* data = LabelOf(label);
    return data != nullptr ? &data->box : nullptr;
}

}  // namespace pixolet::win32

#include "platform/win32/properties_pages.h"

#include <commctrl.h>

#include <string_view>
#include <vector>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/hotkey_control.h"
#include "settings/zoom_preview.h"

namespace pixolet::win32 {

namespace {

using K = ControlKind;
using P = PropPage;
using M = TfrmProp;

constexpr char kPageClass[] = "PixoletTabSheet";
constexpr char kZoomBoxClass[] = "PixoletZoomBox";
// The page's plain frame lies this far inside its edges.
constexpr int kFrameInset = 4;
// Items of a drop-down list shown at once.
constexpr int kVisibleFormats = 4;

// Rows in focus order. On "Preferences" the check boxes come first, then
// the factor and the Font button.
constexpr ControlEntry kControls[] = {
    {P::Preferences, K::Check, 100, nullptr, {21, 18, 264, 17}, &M::cbxStartUp},
    {P::Preferences, K::Check, 101, nullptr, {21, 38, 266, 17}, &M::cbxHex},
    {P::Preferences, K::Check, 102, nullptr, {21, 57, 86, 17}, &M::cbxRGB},
    {P::Preferences, K::Check, 103, nullptr, {21, 77, 156, 17}, &M::cbxCMYK},
    {P::Preferences, K::Check, 104, nullptr, {21, 96, 323, 19}, &M::cbxPoint},
    {P::Preferences, K::Check, 105, nullptr, {112, 56, 97, 17}, &M::cbxRGB1},
    {P::Preferences, K::TrackBar, 106, nullptr, {174, 76, 187, 17}, nullptr, &M::tcbFacK},
    {P::Preferences, K::FontButton, kIdFontButton, "Font", {305, 14, 67, 25}},

    {P::Clipboard, K::Label, 110, "Clipboard text format:", {18, 24, 207, 13}},
    {P::Clipboard,
     K::Combo,
     kIdClipboardFormat,
     nullptr,
     {226, 20, 150, 21},
     nullptr,
     nullptr,
     nullptr,
     &M::cmxClipbCode,
     kClipboardFormatItems},
    {P::Clipboard, K::Label, 111, "Copy to clipboard:", {18, 58, 207, 13}},
    {P::Clipboard, K::Hotkey, 112, nullptr, {226, 54, 150, 21}, nullptr, nullptr, &M::hkCopyColor},
    {P::Clipboard, K::Label, 113, "Paste color to choose color dialog:", {18, 91, 207, 13}},
    {P::Clipboard, K::Hotkey, 114, nullptr, {226, 87, 150, 21}, nullptr, nullptr, &M::hkPasteColor},

    {P::MeasuringTool, K::Check, 120, nullptr, {19, 18, 323, 17}, &M::cbxAddPoint},
    {P::MeasuringTool, K::Label, 121, "Hot key to add point:", {20, 42, 202, 13}},
    {P::MeasuringTool,
     K::Hotkey,
     122,
     nullptr,
     {222, 38, 150, 21},
     nullptr,
     nullptr,
     &M::hkAddPoint},
    {P::MeasuringTool, K::Label, 123, "Reset points:", {20, 67, 202, 13}},
    {P::MeasuringTool,
     K::Hotkey,
     124,
     nullptr,
     {222, 63, 150, 21},
     nullptr,
     nullptr,
     &M::hkResetPoints},
    {P::MeasuringTool, K::Label, 125, "Measuring mode on/off:", {18, 92, 201, 13}},
    {P::MeasuringTool,
     K::Hotkey,
     126,
     nullptr,
     {222, 88, 150, 21},
     nullptr,
     nullptr,
     &M::hkMeasure},

    {P::Miscellaneous, K::Label, 127, "Freeze/unfreeze console window:", {18, 24, 207, 13}},
    {P::Miscellaneous,
     K::Hotkey,
     128,
     nullptr,
     {226, 20, 150, 21},
     nullptr,
     nullptr,
     &M::hkFreezeW},
    {P::Miscellaneous, K::Label, 129, "Freeze/unfreeze color tracking:", {18, 49, 207, 13}},
    {P::Miscellaneous,
     K::Hotkey,
     130,
     nullptr,
     {226, 45, 150, 21},
     nullptr,
     nullptr,
     &M::hkFreezeC},
    {P::Miscellaneous, K::Label, 131, "Show/hide:", {18, 75, 207, 13}},
    {P::Miscellaneous,
     K::Hotkey,
     132,
     nullptr,
     {226, 71, 150, 21},
     nullptr,
     nullptr,
     &M::hkShowHide},
    {P::Miscellaneous, K::Label, 133, "Quit:", {18, 100, 207, 13}},
    {P::Miscellaneous, K::Hotkey, 134, nullptr, {226, 96, 150, 21}, nullptr, nullptr, &M::hkQuit},

    {P::Zoom, K::ZoomBox, kIdZoomBox, nullptr, {26, 22, 42, 42}},
    {P::Zoom, K::TrackBar, 136, nullptr, {19, 87, 199, 19}, nullptr, &M::tcbSize},

    {P::Designer, K::Check, 140, nullptr, {21, 18, 330, 17}, &M::cbxContrast},
    {P::Designer, K::Label, 141, "Colour of the readout:", {21, 46, 150, 13}},
    {P::Designer,
     K::Combo,
     kIdSampleSize,
     nullptr,
     {176, 42, 185, 21},
     nullptr,
     nullptr,
     nullptr,
     &M::cmxSample,
     kSampleSizeItems},
    {P::Designer, K::Check, 143, nullptr, {21, 72, 330, 17}, &M::cbxAngle},
    {P::Designer,
     K::Label,
     144,
     "Contrast check: copy the background colour, then point at the text.",
     {21, 100, 355, 13}},
};

HWND Create(HINSTANCE instance, HWND page, const char* windowClass, const char* caption,
            DWORD style, const ControlEntry& entry) {
    const Bounds& b = entry.bounds;
    return CreateWindowExA(0, windowClass, caption, WS_CHILD | WS_VISIBLE | style, b.left, b.top,
                           b.width, b.height, page, AsMenu(entry.id), instance, nullptr);
}

bool RegisterOnce(HINSTANCE instance, const char* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSEXA windowClass{};
    if (GetClassInfoExA(instance, name, &windowClass)) return true;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass) != 0;
}

// Nothing here can throw: it paints or passes messages on to the dialog,
// whose own procedure guards its handlers.
LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_DRAWITEM:
            return SendMessageA(GetParent(window), message, wParam, lParam);
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT frame;
            GetClientRect(window, &frame);
            InflateRect(&frame, -kFrameInset, -kFrameInset);
            DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
            EndPaint(window, &paint);
            return 0;
        }
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK ZoomBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        PaintOntoWindow(window, PlainZoomBox());
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

std::span<const ControlEntry> PageControls() {
    return kControls;
}

HWND CreatePageWindow(HINSTANCE instance, HWND parent, const RECT& area) {
    if (!RegisterOnce(instance, kPageClass, PageProc, GetSysColorBrush(COLOR_BTNFACE)))
        return nullptr;
    return CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_CLIPSIBLINGS,
                           area.left, area.top, area.right - area.left, area.bottom - area.top,
                           parent, nullptr, instance, nullptr);
}

HWND CreateZoomBox(HINSTANCE instance, HWND page, int id, const Bounds& bounds) {
    if (!RegisterOnce(instance, kZoomBoxClass, ZoomBoxProc, nullptr)) return nullptr;
    return CreateWindowExA(0, kZoomBoxClass, "", WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                           bounds.width, bounds.height, page, AsMenu(id), instance, nullptr);
}

void PaintOntoWindow(HWND window, const PixelBuffer& preview) {
    if (preview.Width() <= 0 || preview.Height() <= 0) return;
    // A 32-bit DIB holds blue in its low byte; a Colour holds red there.
    std::vector<DWORD> bits(static_cast<std::size_t>(preview.Width()) * preview.Height());
    for (std::size_t i = 0; i < bits.size(); ++i) {
        const Colour c = preview.Data()[i];
        bits[i] = BlueOf(c) | (GreenOf(c) << 8) | (RedOf(c) << 16);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = preview.Width();
    info.bmiHeader.biHeight = -preview.Height();  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const WindowDc dc(window);
    if (!dc) return;
    SetDIBitsToDevice(dc.get(), 0, 0, preview.Width(), preview.Height(), 0, 0, 0, preview.Height(),
                      bits.data(), &info, DIB_RGB_COLORS);
}

void DrawFontButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pushed = item.itemState & ODS_SELECTED;
    UINT state = DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0);
    if (item.itemState & ODS_DISABLED) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &face, DFC_BUTTON, state);
    if (pushed) OffsetRect(&face, 1, 1);

    char caption[32] = {};
    GetWindowTextA(item.hwndItem, caption, sizeof caption);
    SIZE text{};
    GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &text);
    constexpr int kGlyph = 16;
    constexpr int kGap = 4;
    const int left = face.left + (face.right - face.left - kGlyph - kGap - text.cx) / 2;
    const int middle = (face.top + face.bottom) / 2;
    SetBkMode(dc, TRANSPARENT);

    // The picture: a bold blue "A" in a 16-pixel square.
    {
        const Font glyphFont(CreateFontA(-15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                         DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                         DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial"));
        const SelectGuard selected(dc, glyphFont.get());
        RECT glyph{left, middle - kGlyph / 2, left + kGlyph, middle + kGlyph / 2};
        SetTextColor(
            dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 255));
        DrawTextA(dc, "A", 1, &glyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    RECT label{left + kGlyph + kGap, face.top, face.right, face.bottom};
    SetTextColor(dc, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextA(dc, caption, -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

void FitComboBox(HWND combo, const Bounds& bounds) {
    // The closed field at its height: the frame around the field differs
    // between control versions, so it is measured.
    const int guess = bounds.height - 6;
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), guess);
    RECT field;
    GetWindowRect(combo, &field);
    const int frame = (field.bottom - field.top) - guess;
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), bounds.height - frame);
    // The height a combo box is given is that of its dropped list.
    const int item = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(combo, nullptr, 0, 0, bounds.width, bounds.height + kVisibleFormats * item + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SelectComboItem(TfrmProp& model, const ControlEntry& entry, int index) {
    if (entry.combo == &TfrmProp::cmxSample)
        model.SetSampleIndex(index);
    else if (entry.combo == &TfrmProp::cmxClipbCode)
        model.SetItemIndex(index);
}

HWND CreatePageControl(HINSTANCE instance, HWND page, const ControlEntry& entry, TfrmProp& model) {
    switch (entry.kind) {
        case K::Check: {
            const std::string caption((model.*entry.check).caption);
            return Create(instance, page, WC_BUTTONA, caption.c_str(), WS_TABSTOP | BS_AUTOCHECKBOX,
                          entry);
        }
        case K::TrackBar: {
            const TrackBar& bar = model.*entry.bar;
            HWND control = Create(instance, page, TRACKBAR_CLASSA, "",
                                  WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS, entry);
            SendMessageA(control, TBM_SETRANGE, FALSE, MAKELPARAM(bar.min, bar.max));
            SendMessageA(control, TBM_SETTICFREQ, bar.frequency, 0);
            SendMessageA(control, TBM_SETPAGESIZE, 0, bar.frequency);
            SendMessageA(control, TBM_SETPOS, TRUE, bar.position);
            return control;
        }
        case K::Hotkey: {
            const HotkeyEditor& editor = model.*entry.hotkey;
            HWND control =
                CreateHotkeyControl(page, entry.id, entry.bounds.Rect(), editor.fallback);
            WriteHotkey(control, editor.value);
            return control;
        }
        case K::Label:
            return Create(instance, page, WC_STATICA, entry.caption, SS_LEFT | SS_NOPREFIX, entry);
        case K::Combo: {
            HWND control = Create(instance, page, WC_COMBOBOXA, "",
                                  WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, entry);
            for (std::string_view item : entry.items)
                SendMessageA(control, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(std::string(item).c_str()));
            SendMessageA(control, CB_SETMINVISIBLE, kVisibleFormats, 0);
            return control;
        }
        case K::FontButton:
            return Create(instance, page, WC_BUTTONA, entry.caption, WS_TABSTOP | BS_OWNERDRAW,
                          entry);
        case K::ZoomBox:
            return CreateZoomBox(instance, page, entry.id, entry.bounds);
    }
    return nullptr;
}

}  // namespace pixolet::win32

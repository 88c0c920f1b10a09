// The controls of the properties dialog's pages: one table of kind, id,
// caption, bounds and the model control each edits, in focus order within
// each page, and the two small window classes the pages need.
#pragma once

#include <windows.h>
// After windows.h, whose types it needs.
#include <commctrl.h>

#include <span>
#include <string_view>

#include "settings/properties_dialog.h"

namespace pixolet::win32 {

enum class ControlKind { Check, TrackBar, Hotkey, Label, Combo, FontButton, ZoomBox };

// Left, top, width, height in pixels, relative to the page.
struct Bounds {
    int left;
    int top;
    int width;
    int height;

    RECT Rect() const { return RECT{left, top, left + width, top + height}; }
};

struct ControlEntry {
    PropPage page;
    ControlKind kind;
    int id;
    // Labels and buttons; a check box takes its caption from the model.
    const char* caption;
    Bounds bounds;
    CheckBox TfrmProp::*check = nullptr;
    TrackBar TfrmProp::*bar = nullptr;
    HotkeyEditor TfrmProp::*hotkey = nullptr;
    // A drop-down list: the model's list and the items it offers.
    ComboBox TfrmProp::*combo = nullptr;
    std::span<const std::string_view> items{};
};

// Every page control but those of the About page.
std::span<const ControlEntry> PageControls();

// A child window's id as CreateWindowExA takes it.
inline HMENU AsMenu(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

inline constexpr int kIdOK = IDOK;
inline constexpr int kIdCancel = IDCANCEL;
inline constexpr int kIdUninstall = 10;
inline constexpr int kIdTabs = 20;
inline constexpr int kIdLogo = 30;
inline constexpr int kIdIcon = 31;
inline constexpr int kIdFontButton = 108;
inline constexpr int kIdClipboardFormat = 109;
inline constexpr int kIdZoomBox = 135;
inline constexpr int kIdSampleSize = 142;

// A page: the tab control's display area with a plain frame around its
// controls. It passes its controls' notifications on to its parent.
HWND CreatePageWindow(HINSTANCE instance, HWND parent, const RECT& area);
// The zoom preview box: white inside a black outline whenever it paints.
HWND CreateZoomBox(HINSTANCE instance, HWND page, int id, const Bounds& bounds);
// Draws `preview` straight onto the box; the box's next paint wipes it.
void PaintOntoWindow(HWND window, const PixelBuffer& preview);
// The Font button's face: a small blue "A" and its caption.
void DrawFontButton(const DRAWITEMSTRUCT& item);

// Gives a drop-down list its field height and four visible items; run
// after its font is set, which resizes the field.
void FitComboBox(HWND combo, const Bounds& bounds);

// The user chose item `index` of the list of `entry` (-1: none).
void SelectComboItem(TfrmProp& model, const ControlEntry& entry, int index);

// Creates one control of the table on `page` with the model's form value.
HWND CreatePageControl(HINSTANCE instance, HWND page, const ControlEntry& entry, TfrmProp& model);

}  // namespace pixolet::win32

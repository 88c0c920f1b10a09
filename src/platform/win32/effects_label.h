// A label whose caption is drawn turned by an angle, as a child window: a
// TrueType font turned with lfEscapement, sized to the turned text by the
// core's EffectsAutoSize, transparent on its parent.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/effects_label.h"

namespace pixolet::win32 {

struct EffectsFont {
    const char* face = "Arial";
    int height = 13;  // character height in pixels
    COLORREF colour = RGB(0, 0, 255);
};

// Creates the label as a child of `parent` with its top-left corner at
// (left, top); its size follows the caption. The label asks its parent for
// the background brush with WM_CTLCOLORSTATIC. Null on failure.
HWND CreateEffectsLabel(HWND parent, int left, int top, const std::string& caption,
                        int angleDegrees, const EffectsFont& font = {});

// The program's name as the splash and the About page show it: Arial,
// 13 pixels, blue, turned by 40 degrees, with its box at (12, 50).
HWND CreateProgramCaption(HWND parent, const std::string& caption);

// The box a label made by CreateEffectsLabel uses, or nothing for another
// window.
const EffectsBox* EffectsLabelBox(HWND label);

}  // namespace pixolet::win32

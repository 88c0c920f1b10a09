// The font dialog of the Font button: the system's ChooseFontA over the
// core's FontDescription.
#pragma once

#include <windows.h>

#include "ports/font_description.h"

namespace pixolet::win32 {

// The sizes the dialog offers, in points.
inline constexpr int kMinChooserPoints = 7;
inline constexpr int kMaxChooserPoints = 9;

// The dialog's start: face, height (at the screen's `dpi`), styles.
LOGFONTA LogFontFrom(const FontDescription& font, int screenDpi);

// The RGB colour a stored colour paints with: a system colour ("clWindowText")
// by GetSysColor, any other as it is.
COLORREF SystemPaintColour(Colour stored);

// A choice into the description: face, point size (from tenths of a point,
// held within the offered sizes), styles and colour. A colour equal to the
// one the dialog was shown with keeps the stored one, so that a system
// colour stays itself.
void TakeChoice(const LOGFONTA& chosen, int pointTenths, COLORREF colour, COLORREF shown,
                FontDescription& font);

// Runs the dialog owned by `owner`; true and `font` updated on its OK.
bool ChooseReadoutFont(HWND owner, FontDescription& font);

}  // namespace pixolet::win32

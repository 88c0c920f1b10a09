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

// A choice into the description: face, point size (from tenths of a point,
// held within the offered sizes), styles and colour.
void TakeChoice(const LOGFONTA& chosen, int pointTenths, COLORREF colour, FontDescription& font);

// Runs the dialog owned by `owner`; true and `font` updated on its OK.
bool ChooseReadoutFont(HWND owner, FontDescription& font);

}  // namespace pixolet::win32

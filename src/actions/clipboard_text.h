// The colour as one line of text for the clipboard.
#pragma once

#include <string>

#include "ports/types.h"

namespace pixolet {

// Clipboard formats, in the order the properties dialog offers them. The
// indexes are stored in the registry: never renumber, only append.
enum ClipboardFormatIndex {
    kClipRgb = 0,         // "%3d %3d %3d"
    kClipRgbHex = 1,      // "#%2x%2x%2x"
    kClipRgbPercent = 2,  // "%3d%3d%3d", no separators
    kClipCmyk = 3,        // "%3d %3d %3d %3d"
    kClipCmykHex = 4,     // "#%2x%2x%2x%2x"
    // Texts a style sheet takes as they are.
    kClipCssHex = 5,    // "#123456": zero-padded, upper case
    kClipCssRgb = 6,    // "rgb(18 52 86)"
    kClipCssHsl = 7,    // "hsl(210 65% 20%)"
    kClipCssOklch = 8,  // "oklch(31.9% 0.072 251.2)"
};
inline constexpr int kClipFormatCount = 9;

// The text of `colour` in clipboard format `format` (any other index gives
// kClipRgb), with `factorK` (0..100) as the CMYK black factor.
std::string ColourText(Colour colour, int format, int factorK);

}  // namespace pixolet

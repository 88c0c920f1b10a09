// The text form of the readout font's style as the store keeps it
// ("FontStyle"): " Bold  Italic " and so on.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings.h"

namespace pixolet {

// Clears the style, then switches on each of BOLD, ITALIC, UNDERLINE and
// STRIKEOUT that occurs anywhere in the text, in any ASCII letter case:
// "Semibold" is bold, separators and other words do not matter.
void ApplyStyleText(std::string_view text, FontDescription& font);

// " Bold ", " Italic ", " Underline ", " StrikeOut " for the styles that are
// on, in that order; empty when none is.
std::string StyleTextOf(const FontDescription& font);

}  // namespace pixolet

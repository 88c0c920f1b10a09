// The readout font as the core describes it to the platform.
#pragma once

#include <string>

#include "ports/types.h"

namespace pixolet {

// The readout font. Its size is held as a height in pixels; a negative
// height is a character height (without internal leading), as a Windows
// font description holds it. `dpi` is the screen's logical pixels per inch.
struct FontDescription {
    std::string name = "Courier New";
    int height = -10;
    int dpi = 96;
    Colour colour = kBlue;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

}  // namespace pixolet

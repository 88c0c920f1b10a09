// Stored colours that name one of the desktop's own colours rather than an
// RGB value: 0x80000000 plus the Windows system-colour index ("clWindowText"
// is index 8). They follow the desktop's colour scheme, so the platform
// looks each up when it paints: Windows by the index itself, other desktops
// by the palette role that plays the same part.
#pragma once

#include <optional>

#include "ports/types.h"

namespace pixolet {

constexpr Colour kSystemColourFlag = 0x80000000u;
// Indices 0 to 24 have names (clScrollBar to clInfoBk).
constexpr int kSystemColourCount = 25;

// The system-colour index a colour names, none for an RGB colour or an
// index without a name.
std::optional<int> SystemColourIndex(Colour colour);

// The parts of a desktop palette that the system colours correspond to.
enum class PaletteRole {
    Window,      // window and dialog background
    WindowText,  // text on it
    Base,        // background of text entry
    Text,        // text in entry and lists
    Button,      // face of buttons and frames
    ButtonText,
    Light,  // lit edge of a raised frame
    Midlight,
    Mid,
    Dark,       // shaded edge
    Shadow,     // darkest edge
    Highlight,  // selection, active caption
    HighlightedText,
    ToolTipBase,
    ToolTipText,
    DisabledText,
};

// The palette role for a system-colour index (0 to 24).
PaletteRole PaletteRoleOf(int index);

// The RGB colour to paint a stored colour with: a system colour through
// `lookup`, any other with its top byte cleared.
template <class Lookup>
Colour PaintColour(Colour stored, Lookup&& lookup) {
    if (const std::optional<int> index = SystemColourIndex(stored))
        return static_cast<Colour>(lookup(*index)) & 0xFFFFFFu;
    return stored & 0xFFFFFFu;
}

}  // namespace pixolet

#include "settings/system_colour.h"

#include <array>

namespace pixolet {

std::optional<int> SystemColourIndex(Colour colour) {
    if ((colour & 0xFF000000u) != kSystemColourFlag) return std::nullopt;
    const Colour index = colour & 0x00FFFFFFu;
    if (index >= static_cast<Colour>(kSystemColourCount)) return std::nullopt;
    return static_cast<int>(index);
}

PaletteRole PaletteRoleOf(int index) {
    // By index: clScrollBar, clBackground, clActiveCaption, ... clInfoBk.
    static constexpr std::array<PaletteRole, kSystemColourCount> kRoles{{
        PaletteRole::Button,           // scroll bar track
        PaletteRole::Dark,             // desktop
        PaletteRole::Highlight,        // active caption
        PaletteRole::Mid,              // inactive caption
        PaletteRole::Window,           // menu
        PaletteRole::Base,             // window
        PaletteRole::Shadow,           // window frame
        PaletteRole::WindowText,       // menu text
        PaletteRole::Text,             // window text
        PaletteRole::HighlightedText,  // caption text
        PaletteRole::Button,           // active border
        PaletteRole::Button,           // inactive border
        PaletteRole::Mid,              // application workspace
        PaletteRole::Highlight,        // highlight
        PaletteRole::HighlightedText,  // highlighted text
        PaletteRole::Button,           // button face
        PaletteRole::Dark,             // button shadow
        PaletteRole::DisabledText,     // grey text
        PaletteRole::ButtonText,       // button text
        PaletteRole::WindowText,       // inactive caption text
        PaletteRole::Light,            // button highlight
        PaletteRole::Shadow,           // 3-D dark shadow
        PaletteRole::Midlight,         // 3-D light
        PaletteRole::ToolTipText,      // info text
        PaletteRole::ToolTipBase,      // info background
    }};
    if (index < 0 || index >= kSystemColourCount) return PaletteRole::WindowText;
    return kRoles[static_cast<std::size_t>(index)];
}

}  // namespace pixolet

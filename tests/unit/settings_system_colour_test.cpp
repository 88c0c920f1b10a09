#include <gtest/gtest.h>

#include "settings/colour_text.h"
#include "settings/system_colour.h"

namespace pixolet {
namespace {

TEST(SystemColour, NamedSystemColoursAreLookedUpByTheirIndex) {
    struct Case {
        const char* name;
        int index;
        PaletteRole role;
    };
    const Case cases[] = {
        {"clScrollBar", 0, PaletteRole::Button},
        {"clWindow", 5, PaletteRole::Base},
        {"clWindowText", 8, PaletteRole::Text},
        {"clHighlight", 13, PaletteRole::Highlight},
        {"clHighlightText", 14, PaletteRole::HighlightedText},
        {"clBtnFace", 15, PaletteRole::Button},
        {"clGrayText", 17, PaletteRole::DisabledText},
        {"clBtnText", 18, PaletteRole::ButtonText},
        {"clInfoText", 23, PaletteRole::ToolTipText},
        {"clInfoBk", 24, PaletteRole::ToolTipBase},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto stored = ParseColourText(c.name);
        ASSERT_TRUE(stored.has_value());
        const Colour colour = static_cast<Colour>(*stored);
        EXPECT_EQ(SystemColourIndex(colour), c.index);
        EXPECT_EQ(PaletteRoleOf(c.index), c.role);
        // Painted as the system's colour, never as RGB(index, 0, 0).
        const Colour painted = PaintColour(colour, [](int index) { return 0x203000u + index; });
        EXPECT_EQ(painted, 0x203000u + static_cast<Colour>(c.index));
        EXPECT_EQ(FormatColourText(static_cast<std::int32_t>(colour)), c.name);
    }
}

TEST(SystemColour, RgbColoursAndUnnamedIndicesAreNotLookedUp) {
    int lookups = 0;
    const auto lookup = [&lookups](int) {
        ++lookups;
        return 0x123456u;
    };
    EXPECT_FALSE(SystemColourIndex(0x000008).has_value());
    EXPECT_EQ(PaintColour(0x000008, lookup), 0x000008u);
    EXPECT_EQ(PaintColour(kBlue, lookup), kBlue);
    // clNone and an index past the named ones keep their low bytes.
    EXPECT_EQ(PaintColour(0x1FFFFFFF, lookup), 0xFFFFFFu);
    EXPECT_FALSE(SystemColourIndex(0x80000019).has_value());
    EXPECT_EQ(PaintColour(0x80000019, lookup), 0x000019u);
    EXPECT_EQ(lookups, 0);
    EXPECT_EQ(PaletteRoleOf(-1), PaletteRole::WindowText);
    EXPECT_EQ(PaletteRoleOf(kSystemColourCount), PaletteRole::WindowText);
}

}  // namespace
}  // namespace pixolet

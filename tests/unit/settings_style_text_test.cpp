#include <gtest/gtest.h>

#include "settings/style_text.h"

namespace pixolet {
namespace {

struct Style {
    bool bold, italic, underline, strikeOut;
};

FontDescription WithStyle(Style s) {
    FontDescription f;
    f.bold = s.bold;
    f.italic = s.italic;
    f.underline = s.underline;
    f.strikeOut = s.strikeOut;
    return f;
}

TEST(StyleText, WritesEachWordBetweenBlanksInFixedOrder) {
    const std::pair<Style, const char*> cases[] = {
        {{false, false, false, false}, ""},
        {{true, false, false, false}, " Bold "},
        {{true, true, false, false}, " Bold  Italic "},
        {{false, false, true, false}, " Underline "},
        {{false, false, false, true}, " StrikeOut "},
        {{false, true, false, true}, " Italic  StrikeOut "},
        {{true, true, true, true}, " Bold  Italic  Underline  StrikeOut "},
    };
    for (const auto& [style, text] : cases) EXPECT_EQ(StyleTextOf(WithStyle(style)), text);
}

TEST(StyleText, ReadsWordsAnywhereInAnyCase) {
    const std::pair<const char*, Style> cases[] = {
        {"bold,underline", {true, false, true, false}},
        {"Semibold", {true, false, false, false}},
        {"", {false, false, false, false}},
        {" Bold  Italic ", {true, true, false, false}},
        {"STRIKEOUTitalic", {false, true, false, true}},
        {"Strike Out", {false, false, false, false}},
        {"fsBold", {true, false, false, false}},
        {"regular", {false, false, false, false}},
    };
    for (const auto& [text, style] : cases) {
        SCOPED_TRACE(text);
        FontDescription f = WithStyle({true, true, true, true});
        ApplyStyleText(text, f);
        EXPECT_EQ(f, WithStyle(style));
    }
}

TEST(StyleText, LeavesTheOtherAttributesAlone) {
    FontDescription f;
    f.name = "Arial";
    f.height = -20;
    f.colour = 0x123456;
    ApplyStyleText("bold", f);
    EXPECT_EQ(f.name, "Arial");
    EXPECT_EQ(f.height, -20);
    EXPECT_EQ(f.colour, 0x123456u);
}

TEST(StyleText, EveryWrittenStyleReadsBack) {
    for (int bits = 0; bits < 16; ++bits) {
        const FontDescription written =
            WithStyle({(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0});
        FontDescription read;
        ApplyStyleText(StyleTextOf(written), read);
        EXPECT_EQ(read, written) << bits;
    }
}

}  // namespace
}  // namespace pixolet

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "settings/colour_text.h"

namespace pixolet {
namespace {

constexpr std::int32_t kRed = 0x0000FF;

struct ParseCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

TEST(FontColourText, ReadsNamesDecimalsAndDollarHex) {
    const ParseCase cases[] = {
        {"clRed", kRed},
        {"CLRED", kRed},
        {"clred", kRed},
        {"$ff", kRed},
        {"$FF", kRed},
        {"$0000FF", kRed},
        {"255", kRed},
        {"  255", kRed},
        {"+255", kRed},
        {"-1", -1},
        {"0", 0},
        {"000000000000255", kRed},
        {"clNone", 0x1FFFFFFF},
        {"clBlue", 0xFF0000},
        {"clWhite", 0xFFFFFF},
        {"clAqua", 0xFFFF00},
        {"clScrollBar", static_cast<std::int32_t>(0x80000000u)},
        {"clWindowText", static_cast<std::int32_t>(0x80000008u)},
        {"clBtnFace", static_cast<std::int32_t>(0x8000000Fu)},
        {"clInfoBk", static_cast<std::int32_t>(0x80000018u)},
        {"CL3DDKSHADOW", static_cast<std::int32_t>(0x80000015u)},
        {"$80000008", static_cast<std::int32_t>(0x80000008u)},
        {"$FFFFFFFF", -1},
        {"$00563412", 0x563412},
        {"2147483647", 2147483647},
        {"-2147483648", static_cast<std::int32_t>(0x80000000u)},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseColourText(c.text), c.expected);
    }
}

TEST(FontColourText, RejectsEverythingElse) {
    const char* rejected[] = {
        "",     "red",        "clRedd",     " clRed",      "clRed ",
        "$",    "$123456789", "$GG",        "$-1",         " $FF",
        "0x1F", "255 ",       "25 5",       "+",           "-",
        "   ",  "1e3",        "2147483648", "-2147483649", "99999999999999999999",
    };
    for (const char* text : rejected) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseColourText(text), std::nullopt);
    }
}

TEST(FontColourText, WritesNamesElseDollarAndEightUpperCaseDigits) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0x563412, "$00563412"},
        {0xABCDEF, "$00ABCDEF"},
        {0x000001, "$00000001"},
        {0x0000FF, "clRed"},
        {0xFF0000, "clBlue"},
        {0x000000, "clBlack"},
        {0xC0C0C0, "clSilver"},
        {0x1FFFFFFF, "clNone"},
        {static_cast<std::int32_t>(0x80000008u), "clWindowText"},
        {static_cast<std::int32_t>(0x80000018u), "clInfoBk"},
        {static_cast<std::int32_t>(0x80000019u), "$80000019"},
        {-1, "$FFFFFFFF"},
    };
    for (const auto& [colour, text] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FormatColourText(colour), text);
    }
}

TEST(FontColourText, EveryWrittenTextReadsBackAsItsColour) {
    const std::int32_t colours[] = {0,
                                    0x563412,
                                    0xFFFFFF,
                                    0x1FFFFFFF,
                                    0x20000000,
                                    -1,
                                    static_cast<std::int32_t>(0x80000000u),
                                    static_cast<std::int32_t>(0x80000018u),
                                    static_cast<std::int32_t>(0x80000019u)};
    for (std::int32_t colour : colours) {
        SCOPED_TRACE(colour);
        EXPECT_EQ(ParseColourText(FormatColourText(colour)), colour);
    }
    for (std::uint32_t index = 0; index < 25; ++index) {
        const auto colour = static_cast<std::int32_t>(0x80000000u + index);
        const std::string name = FormatColourText(colour);
        EXPECT_EQ(name.substr(0, 2), "cl") << index;
        EXPECT_EQ(ParseColourText(name), colour) << name;
    }
}

}  // namespace
}  // namespace pixolet

#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "actions/clipboard_text.h"
#include "fakes/fake_environment.h"

namespace pixolet {
namespace {

struct TextRow {
    Colour colour;
    int factorK;
    std::array<const char*, 5> texts;  // formats 0..4
};

TEST(ClipboardColourText, AllFiveFormats) {
    const TextRow rows[] = {
        {MakeColour(255, 128, 5),
         100,
         {"255 128   5", "#FF80 5", "100 50  1", "  0  50  98   0", "# 03262 0"}},
        {MakeColour(18, 52, 86),
         100,
         {" 18  52  86", "#123456", "  7 20 33", " 27  14   0  66", "#1B E 042"}},
        {kWhite, 100, {"255 255 255", "#FFFFFF", "100100100", "  0   0   0   0", "# 0 0 0 0"}},
        {kBlack, 100, {"  0   0   0", "# 0 0 0", "  0  0  0", "  0   0   0 100", "# 0 0 064"}},
        {kBlack, 50, {"  0   0   0", "# 0 0 0", "  0  0  0", " 50  50  50  50", "#32323232"}},
        {kBlack, 0, {"  0   0   0", "# 0 0 0", "  0  0  0", "100 100 100   0", "#646464 0"}},
        {MakeColour(5, 200, 15),
         100,
         {"  5 200  15", "# 5C8 F", "  1 78  5", " 76   0  72  22", "#4C 04816"}},
    };
    for (const TextRow& row : rows)
        for (int format = 0; format < 5; ++format)
            EXPECT_EQ(ColourText(row.colour, format, row.factorK), row.texts[format])
                << "colour " << std::hex << row.colour << std::dec << " k " << row.factorK
                << " format " << format;
}

TEST(ClipboardColourText, UnknownFormatIndexWritesPlainRgb) {
    for (int format : {-1, 9, 42, INT_MIN, INT_MAX})
        EXPECT_EQ(ColourText(MakeColour(255, 128, 5), format, 100), "255 128   5") << format;
}

class CopyColor : public testing::Test {
  protected:
    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
};

TEST_F(CopyColor, PutsTheCurrentColourOnTheClipboardAndRemembersIt) {
    w.CurrentColor = MakeColour(18, 52, 86);
    w.settings.ClipboardFormat = kClipRgbHex;
    EXPECT_TRUE(w.CopyColorToClipboard());
    EXPECT_EQ(env.clipboard.text, "#123456");
    EXPECT_EQ(w.ClipboardText, "#123456");
    EXPECT_EQ(w.CopiedColor, MakeColour(18, 52, 86));

    // Later changes of format or colour leave the copied colour alone.
    w.CurrentColor = kBlack;
    w.settings.ClipboardFormat = kClipCmyk;
    EXPECT_EQ(w.CopiedColor, MakeColour(18, 52, 86));

    w.settings.CmykFactorK = 50;
    EXPECT_TRUE(w.CopyColorToClipboard());
    EXPECT_EQ(env.clipboard.text, " 50  50  50  50");
}

TEST_F(CopyColor, ARefusingClipboardIsNotACopy) {
    w.CurrentColor = MakeColour(1, 2, 3);
    ASSERT_TRUE(w.CopyColorToClipboard());
    env.clipboard.refuse = true;
    w.CurrentColor = MakeColour(18, 52, 86);
    w.settings.ClipboardFormat = kClipRgb;
    EXPECT_FALSE(w.CopyColorToClipboard());
    EXPECT_EQ(w.ClipboardText, " 18  52  86");
    EXPECT_EQ(w.CopiedColor, MakeColour(1, 2, 3));
    EXPECT_EQ(env.clipboard.text, "# 1 2 3");
}

}  // namespace
}  // namespace pixolet

#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "readout/contrast.h"

namespace pixolet {
namespace {

TEST(Contrast, RatiosCutToTwoDecimalsWithTheGradeOfTheExactRatio) {
    const struct {
        Colour a, b;
        const char* text;
    } rows[] = {
        {MakeColour(18, 52, 86), kWhite, "12.71:1 AAA"},
        {kBlack, kWhite, "21.00:1 AAA"},
        {kWhite, kBlack, "21.00:1 AAA"},  // the order does not matter
        {kWhite, kWhite, "1.00:1 fail"},
        // 3.998 and 4.478: cut, not rounded to 4.00 and 4.48.
        {MakeColour(255, 0, 0), kWhite, "3.99:1 AA large"},
        {MakeColour(119, 119, 119), kWhite, "4.47:1 AA large"},
        // 4.54 passes AA; 5.32 and 8.59.
        {MakeColour(118, 118, 118), kWhite, "4.54:1 AA"},
        {MakeColour(128, 128, 128), kBlack, "5.31:1 AA"},
        {MakeColour(0, 0, 255), kWhite, "8.59:1 AAA"},
        {MakeColour(0, 255, 0), kWhite, "1.37:1 fail"},
        {MakeColour(200, 100, 50), kWhite, "3.94:1 AA large"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ContrastText(row.a, row.b), row.text) << std::hex << row.a << " " << row.b;
}

TEST(Contrast, GradeThresholdsAreInclusive) {
    const struct {
        double ratio;
        const char* grade;
    } rows[] = {{21.0, "AAA"},       {7.0, "AAA"},      {6.999, "AA"},   {4.5, "AA"},
                {4.499, "AA large"}, {3.0, "AA large"}, {2.999, "fail"}, {1.0, "fail"}};
    for (const auto& row : rows) EXPECT_EQ(ContrastGrade(row.ratio), row.grade) << row.ratio;
}

TEST(Contrast, LuminanceFollowsTheLinearComponents) {
    EXPECT_DOUBLE_EQ(RelativeLuminance(kBlack), 0.0);
    EXPECT_NEAR(RelativeLuminance(kWhite), 1.0, 1e-12);
    EXPECT_NEAR(RelativeLuminance(MakeColour(255, 0, 0)), 0.2126, 1e-12);
    EXPECT_NEAR(RelativeLuminance(MakeColour(0, 255, 0)), 0.7152, 1e-12);
    EXPECT_NEAR(RelativeLuminance(MakeColour(0, 0, 255)), 0.0722, 1e-12);
    // Below the knee the curve is linear: 10 / 255 / 12.92.
    EXPECT_NEAR(RelativeLuminance(MakeColour(10, 10, 10)), 10.0 / 255 / 12.92, 1e-12);
}

// The readout's contrast line: the colour under the pointer against the last
// copied one, empty before the first copy.
class ContrastLine : public testing::Test {
  protected:
    void SetUp() override {
        w.settings.ShowContrast = true;
        env.screen.colourAt = [this](int x, int) { return x < 500 ? kWhite : under; };
        w.ShowHide(Sender::Window);
    }
    void MoveTo(int x) {
        env.screen.cursor = {x, 100};
        w.TrackingUpdate();
    }
    const SceneLabel& Line() { return w.Scene().labels[lblContrast]; }

    Colour under = MakeColour(18, 52, 86);
    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
};

TEST_F(ContrastLine, EmptyUntilTheFirstCopyThenAgainstTheCopiedColour) {
    EXPECT_TRUE(Line().visible);
    MoveTo(100);
    EXPECT_EQ(Line().text, "");
    // Copy the background, then point at the text.
    ASSERT_TRUE(w.CopyColorToClipboard());
    EXPECT_EQ(Line().text, "1.00:1 fail");
    MoveTo(600);
    EXPECT_EQ(Line().text, "12.71:1 AAA");
    // A frozen readout keeps its line.
    w.TrackColor = false;
    under = kBlack;
    MoveTo(700);
    EXPECT_EQ(Line().text, "12.71:1 AAA");
}

TEST_F(ContrastLine, HiddenAndUnwrittenWhenOff) {
    w.ShowHide(Sender::Window);
    w.settings.ShowContrast = false;
    w.ShowHide(Sender::Window);
    ASSERT_TRUE(w.CopyColorToClipboard());
    MoveTo(600);
    EXPECT_FALSE(Line().visible);
    EXPECT_EQ(Line().text, "");
}

}  // namespace
}  // namespace pixolet

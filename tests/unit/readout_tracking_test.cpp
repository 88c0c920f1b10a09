#include <gtest/gtest.h>

#include "fakes/fake_environment.h"

namespace pixolet {
namespace {

// A shown readout window (92 by 56 with the fake font) on a 1024 x 768
// screen whose pixel (x, y) has red x, green y (low bytes) and blue 50.
class Tracking : public testing::Test {
  protected:
    void SetUp() override {
        env.screen.colourAt = [](int x, int y) {
            return MakeColour(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 50);
        };
        w.ShowHide(Sender::Window);
        ASSERT_EQ(env.view.bounds.Width(), 92);
    }
    void MoveTo(int x, int y) {
        env.screen.cursor = {x, y};
        w.TrackingUpdate();
    }
    const std::string& Text(LabelId id) { return w.Scene().labels[id].text; }

    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
};

TEST_F(Tracking, WindowSitsBesidePointerAndFlipsAtTheEdges) {
    // Equality with the screen size keeps the window right of / below.
    const struct {
        int x, y, left, top;
    } rows[] = {
        {100, 100, 110, 110}, {922, 702, 932, 712}, {923, 703, 821, 637}, {1500, -40, 1398, -30}};
    for (const auto& row : rows) {
        MoveTo(row.x, row.y);
        EXPECT_EQ(env.view.bounds.left, row.left) << row.x;
        EXPECT_EQ(env.view.bounds.top, row.top) << row.y;
    }
}

TEST_F(Tracking, ToleranceGrowsWithTheRunsDurationAndHoldsTheWindow) {
    const struct {
        std::uint32_t elapsed;
        int tolerance;
    } rows[] = {{12, 0}, {13, 1}, {16, 2}, {27, 5}, {28, 6}, {5000, 6}};
    for (const auto& row : rows) {
        env.clock.step = row.elapsed;
        MoveTo(200, 200);
        EXPECT_EQ(w.MoveTolerance, row.tolerance) << row.elapsed;
    }
    env.clock.step = 19;  // tolerance 3
    MoveTo(100, 100);
    MoveTo(103, 97);
    EXPECT_EQ(env.view.bounds, (Rect{110, 110, 202, 166}));
    MoveTo(100, 104);
    EXPECT_EQ(env.view.bounds.top, 114);
}

TEST_F(Tracking, LabelTextsFollowTheNumberSettings) {
    env.screen.colourAt = [](int, int) { return MakeColour(200, 100, 50); };
    w.settings.ShowCmyk = true;
    const struct {
        bool hex, percent;
        const char *r, *g, *b, *c, *m, *y, *k;
    } rows[] = {
        {false, false, "R 200", "G 100", "B  50", "C   0", "M  39", "Y  58", "K  22"},
        {true, false, "R C8", "G 64", "B 32", "C  0", "M 27", "Y 3A", "K 16"},
        {false, true, "R  78", "G  39", "B  19", "C   0", "M  39", "Y  58", "K  22"},
        {true, true, "R 4E", "G 27", "B 13", "C  0", "M 27", "Y 3A", "K 16"},
    };
    for (const auto& row : rows) {
        w.settings.ShowHex = row.hex;
        w.settings.RgbAsPercent = row.percent;
        MoveTo(300, 300);
        EXPECT_EQ(Text(lblR) + Text(lblG) + Text(lblB), std::string(row.r) + row.g + row.b);
        EXPECT_EQ(Text(lblC) + Text(lblM) + Text(lblY) + Text(lblK),
                  std::string(row.c) + row.m + row.y + row.k);
    }
}

TEST_F(Tracking, GroupsThatAreOffKeepTheirText) {
    MoveTo(1023, 7);
    EXPECT_EQ(Text(lblPoint), "(0, 0)");
    EXPECT_EQ(Text(lblC), "C");
    w.settings.ShowCoordinates = true;
    MoveTo(1023, 7);
    EXPECT_EQ(Text(lblPoint), "(1023,7)");
    MoveTo(-5, -20);
    EXPECT_EQ(Text(lblPoint), "(-5,-20)");
    w.settings.ShowRgb = false;
    MoveTo(3, 4);
    EXPECT_EQ(Text(lblR), "R 251");  // still the red of (-5, -20)
}

TEST_F(Tracking, OneBlockReadCentredOnThePointer) {
    const int before = env.screen.blockReads;
    MoveTo(300, 200);
    EXPECT_EQ(env.screen.blockReads, before + 1);
    EXPECT_EQ(env.screen.lastBlock, (Rect{295, 195, 306, 206}));  // zoom 4: r = 5
    EXPECT_EQ(w.CurrentColor, MakeColour(44, 200, 50));
    EXPECT_TRUE(w.Scene().live);
    EXPECT_EQ(w.Scene().swatchPixels.At(4, 4), w.CurrentColor);
    w.settings.Zoom = 1;
    MoveTo(300, 200);
    EXPECT_EQ(env.screen.lastBlock, (Rect{280, 180, 321, 221}));
}

TEST_F(Tracking, FrozenColourOnlyMovesTheWindow) {
    w.settings.ShowCoordinates = true;
    env.clock.step = 20;
    MoveTo(100, 100);
    const ReadoutScene before = w.Scene();
    const Colour colour = w.CurrentColor;
    const int reads = env.screen.blockReads;

    w.TrackColor = false;
    env.clock.step = 0;
    MoveTo(400, 300);
    EXPECT_EQ(env.view.bounds.left, 410);
    EXPECT_EQ(env.screen.blockReads, reads);
    EXPECT_EQ(w.CurrentColor, colour);
    EXPECT_EQ(w.MoveTolerance, 3);
    for (int i = 0; i < kLabelCount; ++i)
        EXPECT_EQ(w.Scene().labels[i].text, before.labels[i].text);
    EXPECT_EQ(w.Scene().magnifier, before.magnifier);
}

}  // namespace
}  // namespace pixolet

#include <gtest/gtest.h>

#include "fakes/fake_environment.h"

namespace pixolet {
namespace {

// A shown readout window (92 by 56 with the fake font) on a 1024 x 768 screen.
class Tracking : public testing::Test {
  protected:
    void SetUp() override {
        env.screen.colourAt = [](int x, int y) {
            return MakeColour(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 50);
        };
        env.window.ShowHide(Sender::Window);
        ASSERT_TRUE(env.view.visible);
        ASSERT_EQ(env.view.bounds.Width(), 92);
        ASSERT_EQ(env.view.bounds.Height(), 56);
    }
    void MoveTo(int x, int y) {
        env.screen.cursor = {x, y};
        env.window.TrackingUpdate();
    }
    const std::string& Text(LabelId id) { return env.window.Scene().labels[id].text; }

    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
};

TEST_F(Tracking, WindowSitsBesidePointerAndFlipsAtTheEdges) {
    // Equality with the screen size keeps the window right of / below.
    const struct {
        int x, y, left, top;
    } rows[] = {{100, 100, 110, 110}, {922, 702, 932, 712},   {923, 702, 821, 712},
                {922, 703, 932, 637}, {1500, -40, 1398, -30}, {-300, 767, -290, 701}};
    for (const auto& row : rows) {
        MoveTo(row.x, row.y);
        EXPECT_EQ(env.view.bounds.left, row.left) << row.x << "," << row.y;
        EXPECT_EQ(env.view.bounds.top, row.top) << row.x << "," << row.y;
    }
}

TEST_F(Tracking, SmallMovesWithinToleranceLeaveTheWindow) {
    env.clock.step = 19;  // every run takes 19 ms: tolerance 3
    MoveTo(100, 100);
    ASSERT_EQ(w.MoveTolerance, 3);
    const std::size_t moves = env.view.moves.size();
    MoveTo(103, 97);
    EXPECT_EQ(env.view.moves.size(), moves);
    EXPECT_EQ(env.view.bounds.left, 110);
    MoveTo(100, 104);  // 4 pixels below the last placement
    EXPECT_EQ(env.view.bounds.left, 110);
    EXPECT_EQ(env.view.bounds.top, 114);
}

TEST_F(Tracking, ToleranceFollowsTheDurationOfTheRun) {
    const struct {
        std::uint32_t elapsed;
        int tolerance;
    } rows[] = {{0, 0}, {12, 0}, {13, 1}, {15, 1}, {16, 2}, {27, 5}, {28, 6}, {5000, 6}};
    for (const auto& row : rows) {
        env.clock.step = row.elapsed;
        MoveTo(200, 200);
        EXPECT_EQ(w.MoveTolerance, row.tolerance) << row.elapsed;
    }
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
        EXPECT_EQ(Text(lblR), row.r);
        EXPECT_EQ(Text(lblG), row.g);
        EXPECT_EQ(Text(lblB), row.b);
        EXPECT_EQ(Text(lblC), row.c);
        EXPECT_EQ(Text(lblM), row.m);
        EXPECT_EQ(Text(lblY), row.y);
        EXPECT_EQ(Text(lblK), row.k);
    }
}

TEST_F(Tracking, CoordinatesAndGroupsThatAreOff) {
    MoveTo(1023, 7);
    EXPECT_EQ(Text(lblPoint), "(0, 0)");  // off: keeps its text
    EXPECT_EQ(Text(lblC), "C");
    w.settings.ShowCoordinates = true;
    MoveTo(1023, 7);
    EXPECT_EQ(Text(lblPoint), "(1023,7)");
    MoveTo(-5, -20);
    EXPECT_EQ(Text(lblPoint), "(-5,-20)");
    w.settings.ShowRgb = false;
    MoveTo(3, 4);
    EXPECT_EQ(Text(lblR), "R 251");  // from (-5, -20): red byte of -5
}

TEST_F(Tracking, OneBlockReadCentredOnThePointer) {
    const int before = env.screen.blockReads;
    MoveTo(300, 200);
    EXPECT_EQ(env.screen.blockReads, before + 1);
    // Zoom 4 on a 39-pixel magnifier: 5 pixels each side.
    EXPECT_EQ(env.screen.lastBlock, (Rect{295, 195, 306, 206}));
    EXPECT_EQ(w.CurrentColor, MakeColour(44, 200, 50));
    EXPECT_TRUE(w.Scene().live);
    EXPECT_EQ(w.Scene().magnifier.Width(), 39);
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
    const int tolerance = w.MoveTolerance;
    const int reads = env.screen.blockReads;
    const int repaints = env.view.repaints;

    w.TrackColor = false;
    env.clock.step = 0;
    MoveTo(400, 300);
    EXPECT_EQ(env.view.bounds.left, 410);
    EXPECT_EQ(env.view.bounds.top, 310);
    EXPECT_EQ(env.screen.blockReads, reads);
    EXPECT_EQ(env.view.repaints, repaints);
    EXPECT_EQ(w.CurrentColor, colour);
    EXPECT_EQ(w.MoveTolerance, tolerance);
    for (int i = 0; i < kLabelCount; ++i)
        EXPECT_EQ(w.Scene().labels[i].text, before.labels[i].text);
    EXPECT_EQ(w.Scene().magnifier, before.magnifier);
}

TEST_F(Tracking, FrozenWindowStaysWhileTheReadoutFollows) {
    MoveTo(100, 100);
    w.FollowPointer = false;
    MoveTo(600, 500);
    EXPECT_EQ(env.view.bounds.left, 110);
    EXPECT_EQ(w.CurrentColor, MakeColour(88, 244, 50));
}

}  // namespace
}  // namespace pixolet

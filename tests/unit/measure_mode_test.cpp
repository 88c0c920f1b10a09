#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_environment.h"
#include "measure/meas_points.h"

namespace pixolet {
namespace {

class MeasuringMode : public testing::Test {
  protected:
    MeasuringMode() {
        env.screen.colourAt = [](int x, int y) {
            return MakeColour(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 77);
        };
        w.MutableScene().bar.maximum = 1280;
    }

    void AddAt(ScreenPoint p) {
        env.screen.cursor = p;
        w.AddMeasurePoint();
    }
    std::string Label(LabelId id) const { return w.Scene().labels[id].text; }
    void ExpectLabels(const char* dx, const char* dy, const char* d, const char* s) const {
        EXPECT_EQ(Label(lblDiffX), dx);
        EXPECT_EQ(Label(lblDiffY), dy);
        EXPECT_EQ(Label(lblDiff), d);
        EXPECT_EQ(Label(lblArea), s);
    }
    void ExpectScreenUntouched() const {
        for (const auto& [at, colour] : env.screen.written)
            EXPECT_EQ(colour, env.screen.colourAt(at.first, at.second))
                << "at (" << at.first << ", " << at.second << ")";
    }

    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
};

TEST_F(MeasuringMode, TogglingWhileHiddenOnlyFlipsTheMode) {
    w.ToggleMeasuringMode();
    EXPECT_TRUE(w.MeasuringMode);
    ASSERT_NE(w.MeasurePoints, nullptr);
    EXPECT_TRUE(w.MeasurePoints->Items().empty());
    ExpectLabels("", "", "", "");
    EXPECT_EQ(w.Scene().bar.position, 0);
    EXPECT_EQ(env.view.shows + env.view.hides, 0);

    w.ToggleMeasuringMode();
    EXPECT_FALSE(w.MeasuringMode);
    EXPECT_EQ(w.MeasurePoints, nullptr);
}

TEST_F(MeasuringMode, TogglingWhileShownReLaysOutTheWindowAndKeepsTheMode) {
    env.view.visible = true;
    w.ToggleMeasuringMode();
    EXPECT_TRUE(w.MeasuringMode);
    EXPECT_NE(w.MeasurePoints, nullptr);
    EXPECT_TRUE(env.view.visible);
    EXPECT_EQ(env.view.hides, 1);
    EXPECT_EQ(env.view.shows, 1);

    w.ToggleMeasuringMode();
    EXPECT_FALSE(w.MeasuringMode);
    EXPECT_EQ(w.MeasurePoints, nullptr);
    EXPECT_TRUE(env.view.visible);
    EXPECT_EQ(env.view.shows, 2);
}

TEST_F(MeasuringMode, LabelsAndBarFollowThePoints) {
    w.ToggleMeasuringMode();
    const struct {
        ScreenPoint at;
        const char* dx;
        const char* dy;
        const char* d;
        const char* s;
        int bar;
    } steps[] = {
        {{100, 100}, "dX      0", "dY      0", "d       0", "S       0", 0},
        {{103, 104}, "dX      3", "dY      4", "d       5", "S       0", 5},
        {{100, 104}, "dX      3", "dY      0", "d       3", "S       6", 3},
        {{101, 105}, "dX      1", "dY      1", "d       1", "S       4", 1},
        // Wider numbers widen the field.
        {{1234567, 105}, "dX 1234466", "dY      0", "d  1234466", "S 3086161", 1280},
    };
    for (const auto& s : steps) {
        const int repaints = env.view.repaints;
        AddAt(s.at);
        ExpectLabels(s.dx, s.dy, s.d, s.s);
        EXPECT_EQ(w.Scene().bar.position, s.bar);
        EXPECT_GT(env.view.repaints, repaints);
    }
}

TEST_F(MeasuringMode, AreaHalvesRoundUpAndTheBarStaysInRange) {
    w.ToggleMeasuringMode();
    w.MutableScene().bar.maximum = 4;
    for (ScreenPoint p : {ScreenPoint{0, 0}, ScreenPoint{1, 0}, ScreenPoint{0, 1}}) AddAt(p);
    EXPECT_EQ(Label(lblArea), "S       1");  // 0.5
    AddAt({3, 5});
    EXPECT_EQ(Label(lblDiff), "d       5");
    EXPECT_EQ(w.Scene().bar.position, 4);
    AddAt({5, 7});  // sqrt(8) = 2.83
    EXPECT_EQ(w.Scene().bar.position, 3);
}

TEST_F(MeasuringMode, ResetOutsideMeasuringModeChangesNothing) {
    w.MutableScene().labels[lblDiffX].text = "keep";
    w.MutableScene().bar.position = 7;
    w.ResetMeasurePoints();
    EXPECT_EQ(Label(lblDiffX), "keep");
    EXPECT_EQ(w.Scene().bar.position, 7);
    EXPECT_EQ(env.view.repaints, 0);
}

TEST_F(MeasuringMode, ResetRemovesMarkersAndEmptiesTheLabels) {
    w.ToggleMeasuringMode();
    AddAt({10, 10});
    AddAt({12, 11});
    w.ResetMeasurePoints();
    EXPECT_TRUE(w.MeasuringMode);
    EXPECT_TRUE(w.MeasurePoints->Items().empty());
    ExpectLabels("", "", "", "");
    EXPECT_EQ(w.Scene().bar.position, 0);
    ExpectScreenUntouched();
}

TEST_F(MeasuringMode, SwitchingOffRemovesEveryMarker) {
    w.ToggleMeasuringMode();
    for (int i = 0; i < 5; ++i) AddAt({20 + 2 * i, 30 + i});
    ASSERT_FALSE(env.screen.written.empty());
    w.ToggleMeasuringMode();
    ExpectScreenUntouched();
}

TEST_F(MeasuringMode, PaintRedrawsMarkersAwayFromTheWindow) {
    w.ToggleMeasuringMode();
    env.view.bounds = Rect{100, 100, 200, 200};
    AddAt({50, 50});
    AddAt({150, 150});
    env.screen.written.clear();  // something painted over both markers
    w.FormPaint();
    EXPECT_EQ(env.screen.written.count({50, 50}), 1u);
    EXPECT_EQ(env.screen.written.count({150, 150}), 0u);

    w.ToggleMeasuringMode();
    env.screen.written.clear();
    w.FormPaint();  // off: nothing to draw
    EXPECT_TRUE(env.screen.written.empty());
}

}  // namespace
}  // namespace pixolet

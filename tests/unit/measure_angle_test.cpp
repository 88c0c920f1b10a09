#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "measure/angle.h"
#include "measure/meas_points.h"

namespace pixolet {
namespace {

TEST(SegmentAngle, CounterClockwiseWithUpPositive) {
    const struct {
        ScreenPoint from, to;
        const char* text;
    } rows[] = {
        {{100, 100}, {200, 0}, "a   45.0\xB0"},
        {{100, 100}, {100, 200}, "a  270.0\xB0"},
        {{100, 100}, {200, 100}, "a    0.0\xB0"},
        {{100, 100}, {100, 0}, "a   90.0\xB0"},
        {{100, 100}, {0, 100}, "a  180.0\xB0"},
        {{100, 100}, {0, 200}, "a  225.0\xB0"},
        {{0, 0}, {3, 4}, "a  306.9\xB0"},    // 360 - 53.13
        {{0, 0}, {-3, -4}, "a  126.9\xB0"},  // 180 - 53.13
        // Just below the axis: 359.97 shows as 0.0, never 360.0.
        {{0, 0}, {2000, 1}, "a    0.0\xB0"},
        {{0, 0}, {1000, 1}, "a  359.9\xB0"},
        // No length: 0.
        {{5, 5}, {5, 5}, "a    0.0\xB0"},
        // Far apart on a wide desktop.
        {{-30000, 20000}, {30000, -20000}, "a   33.7\xB0"},
    };
    for (const auto& row : rows) {
        const double angle = SegmentAngle(row.from, row.to);
        EXPECT_GE(angle, 0.0);
        EXPECT_LT(angle, 360.0);
        EXPECT_EQ(AngleText(angle), row.text) << row.to.x << "," << row.to.y;
    }
}

TEST(MeasuringAngle, LabelOfTheLastSegmentEmptyBelowTwoPoints) {
    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
    w.settings.ShowAngle = true;
    w.ToggleMeasuringMode();
    auto addAt = [&](ScreenPoint p) {
        env.screen.cursor = p;
        w.AddMeasurePoint();
    };
    const std::string& label = w.Scene().labels[lblAngle].text;
    addAt({100, 100});
    EXPECT_EQ(label, "");
    addAt({200, 0});
    EXPECT_EQ(label, "a   45.0\xB0");
    addAt({200, 100});
    EXPECT_EQ(label, "a  270.0\xB0");
    ASSERT_TRUE(w.MeasurePoints->Angle().has_value());
    EXPECT_DOUBLE_EQ(*w.MeasurePoints->Angle(), 270.0);
    w.ResetMeasurePoints();
    EXPECT_EQ(label, "");
    EXPECT_FALSE(w.MeasurePoints->Angle().has_value());
}

}  // namespace
}  // namespace pixolet

#include <gtest/gtest.h>

#include <cmath>

#include "widgets/effects_label.h"

namespace pixolet {
namespace {

TEST(EffectsLabel, UnturnedTextGetsOnePixelAllRound) {
    EXPECT_EQ(EffectsAutoSize(55, 15, 0), (EffectsBox{57, 17, 1, 1}));
    EXPECT_EQ(EffectsAutoSize(55, 15, 360), (EffectsBox{57, 17, 1, 1}));
}

TEST(EffectsLabel, QuarterTurnSwapsTheSidesAndRisesFromTheBottom) {
    const EffectsBox box = EffectsAutoSize(55, 15, 90);
    EXPECT_EQ(box.width, 17);
    EXPECT_EQ(box.height, 57);
    // The text runs upwards, so its origin sits at the bottom left.
    EXPECT_EQ(box.posX, 1);
    EXPECT_EQ(box.posY, 56);
}

TEST(EffectsLabel, FortyDegreesRisesFromLowerLeftToUpperRight) {
    const EffectsBox box = EffectsAutoSize(55, 15, 40);
    EXPECT_LT(box.posX, box.width / 2);
    EXPECT_GT(box.posY, box.height / 2);
    const TurnedPoint end = TurnPoint(55, 0, 40);
    EXPECT_GT(end.x, 0);
    EXPECT_LT(end.y, 0);
}

// Every corner of the turned text lies inside the box, and the margins on
// opposite sides differ by at most a pixel, for a sweep of sizes and angles.
TEST(EffectsLabel, TurnedTextLiesWhollyInsideTheBoxAndCentred) {
    const int sizes[][2] = {{0, 0}, {1, 1}, {55, 15}, {72, 16}, {200, 40}, {7, 90}};
    for (const auto& s : sizes) {
        for (int angle = 0; angle <= 360; angle += 5) {
            const EffectsBox box = EffectsAutoSize(s[0], s[1], angle);
            double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
            for (int cx : {0, s[0]}) {
                for (int cy : {0, s[1]}) {
                    const TurnedPoint p = TurnPoint(cx, cy, angle);
                    minX = std::min(minX, box.posX + p.x);
                    maxX = std::max(maxX, box.posX + p.x);
                    minY = std::min(minY, box.posY + p.y);
                    maxY = std::max(maxY, box.posY + p.y);
                }
            }
            SCOPED_TRACE(testing::Message() << s[0] << "x" << s[1] << " at " << angle);
            EXPECT_GE(minX, 0.0);
            EXPECT_GE(minY, 0.0);
            EXPECT_LE(maxX, box.width);
            EXPECT_LE(maxY, box.height);
            EXPECT_LE(std::abs(minX - (box.width - maxX)), 1.0 + 1e-9);
            EXPECT_LE(std::abs(minY - (box.height - maxY)), 1.0 + 1e-9);
            // No more than the bounding box and its two spare pixels.
            EXPECT_LT(box.width, (maxX - minX) + 3.0);
            EXPECT_LT(box.height, (maxY - minY) + 3.0);
        }
    }
}

}  // namespace
}  // namespace pixolet

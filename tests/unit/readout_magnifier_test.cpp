#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "readout/magnifier.h"

namespace pixolet {
namespace {

TEST(Magnifier, RadiusRoundsTiesToEvenAndStaysInTheGrid) {
    const struct {
        int width, zoom, radius;
    } rows[] = {{39, 1, 20}, {41, 1, 20}, {39, 2, 10},  {39, 4, 5}, {39, 7, 3},
                {45, 1, 22}, {60, 1, 25}, {300, 2, 25}, {0, 4, 0}};
    for (const auto& row : rows)
        EXPECT_EQ(MagnifierRadius(row.width, row.zoom), row.radius) << row.width << "/" << row.zoom;
}

// A sample that names its own column and row, so that swapped indices show.
Colour SampleColour(int i, int j) {
    return MakeColour(static_cast<std::uint8_t>(i * 4), 7, static_cast<std::uint8_t>(j * 4));
}

// Pixel (x, y) shows cell ((x + h) div Z, (y + h) div Z): the first cell
// starts at -h, and the pointer's sample (r, r) lands in the middle.
TEST(Magnifier, CellsAreShiftedByHalfACell) {
    for (int width : {39, 41})
        for (int zoom : {1, 2, 4, 7}) {
            SCOPED_TRACE(testing::Message() << "W=" << width << " Z=" << zoom);
            const int radius = MagnifierRadius(width, zoom);
            const int side = 2 * radius + 1;
            std::vector<Colour> block;
            for (int j = 0; j < side; ++j)
                for (int i = 0; i < side; ++i) block.push_back(SampleColour(i, j));
            PixelBuffer out(width, width, kSilver);
            RenderMagnifier(block.data(), radius, zoom, kBlack, out);
            const int h = zoom / 2;
            const int c = width / 2;
            for (int y = 1; y < width - 1; ++y)
                for (int x = 1; x < width - 1; ++x) {
                    if ((y == c && std::abs(x - c) <= 5) || (x == c && std::abs(y - c) <= 5))
                        continue;  // crosshair
                    ASSERT_EQ(out.At(x, y), SampleColour((x + h) / zoom, (y + h) / zoom))
                        << x << "," << y;
                }
        }
}

TEST(Magnifier, CrosshairAndOutlineTakeTheirPenFromTheColour) {
    const struct {
        Colour current, pen;
    } rows[] = {{MakeColour(100, 100, 100), kBlack}, {MakeColour(100, 100, 99), kWhite}};
    const Colour cell = MakeColour(1, 2, 3);
    const std::vector<Colour> block(11 * 11, cell);
    for (const auto& row : rows) {
        PixelBuffer out(39, 39, kSilver);
        RenderMagnifier(block.data(), 5, 4, row.current, out);
        // (14,19)-(24,19) and (19,14)-(19,24), end points left out.
        EXPECT_EQ(out.At(14, 19), row.pen);
        EXPECT_EQ(out.At(23, 19), row.pen);
        EXPECT_EQ(out.At(24, 19), cell);
        EXPECT_EQ(out.At(19, 14), row.pen);
        EXPECT_EQ(out.At(19, 24), cell);
        for (int k : {0, 20, 38})
            EXPECT_TRUE(out.At(k, 0) == row.pen && out.At(k, 38) == row.pen &&
                        out.At(0, k) == row.pen && out.At(38, k) == row.pen);
        EXPECT_EQ(out.At(1, 1), cell);
    }
}

TEST(Magnifier, ClampedRadiusLeavesTheFarEdgesPlainAndTheSwatchHasAnOutline) {
    const std::vector<Colour> block(51 * 51, MakeColour(9, 9, 9));
    PixelBuffer out(120, 120, kBlue);  // a large font at zoom 1 would ask for r = 60
    RenderMagnifier(block.data(), MagnifierRadius(120, 1), 1, kBlack, out);
    EXPECT_EQ(out.At(50, 50), MakeColour(9, 9, 9));
    EXPECT_EQ(out.At(51, 50), kSilver);

    PixelBuffer swatch(9, 9, kWhite);
    RenderSwatch(MakeColour(200, 100, 50), swatch);
    for (int k = 0; k < 9; ++k)
        EXPECT_TRUE(swatch.At(k, 0) == kBlack && swatch.At(0, k) == kBlack &&
                    swatch.At(k, 8) == kBlack && swatch.At(8, k) == kBlack);
    EXPECT_EQ(swatch.At(1, 1), MakeColour(200, 100, 50));
    EXPECT_EQ(swatch.At(7, 7), MakeColour(200, 100, 50));
}

}  // namespace
}  // namespace pixolet

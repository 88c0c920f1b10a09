#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "readout/magnifier.h"

namespace pixolet {
namespace {

TEST(Magnifier, RadiusRoundsTiesToEvenAndStaysInTheGrid) {
    const struct {
        int width, zoom, radius;
    } rows[] = {{39, 1, 20}, {41, 1, 20},  {39, 2, 10}, {41, 2, 10}, {39, 4, 5},
                {41, 4, 5},  {39, 7, 3},   {41, 7, 3},  {45, 1, 22}, {51, 1, 25},
                {60, 1, 25}, {300, 2, 25}, {0, 4, 0},   {39, 0, 20}};
    for (const auto& row : rows)
        EXPECT_EQ(MagnifierRadius(row.width, row.zoom), row.radius)
            << "W=" << row.width << " Z=" << row.zoom;
}

// A sample that names its own column and row, so a swapped index shows.
Colour SampleColour(int i, int j) {
    return MakeColour(static_cast<std::uint8_t>(i * 4), 7, static_cast<std::uint8_t>(j * 4));
}

std::vector<Colour> SampleBlock(int radius) {
    const int side = 2 * radius + 1;
    std::vector<Colour> block(static_cast<std::size_t>(side * side));
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i)
            block[static_cast<std::size_t>(j * side + i)] = SampleColour(i, j);
    return block;
}

// Pixel (x, y) shows cell ((x + h) div Z, (y + h) div Z): the first cell starts
// at -h and the pointer's own sample, cell (r, r), lands near the middle.
TEST(Magnifier, CellsAreShiftedByHalfACell) {
    for (int width : {39, 41})
        for (int zoom : {1, 2, 4, 7}) {
            SCOPED_TRACE(testing::Message() << "W=" << width << " Z=" << zoom);
            const int radius = MagnifierRadius(width, zoom);
            const std::vector<Colour> block = SampleBlock(radius);
            PixelBuffer out(width, width, kSilver);
            RenderMagnifier(block.data(), radius, zoom, kBlack, out);
            const int shift = zoom / 2;
            const int c = width / 2;
            for (int y = 1; y < width - 1; ++y)
                for (int x = 1; x < width - 1; ++x) {
                    const bool onCross =
                        (y == c && std::abs(x - c) <= 5) || (x == c && std::abs(y - c) <= 5);
                    if (onCross) continue;
                    ASSERT_EQ(out.At(x, y), SampleColour((x + shift) / zoom, (y + shift) / zoom))
                        << x << "," << y;
                }
        }
}

TEST(Magnifier, PointerSampleIsTheCellInTheMiddle) {
    const struct {
        int width, zoom, x, y;  // a pixel of the pointer's cell, off the crosshair
    } rows[] = {
        {39, 1, 20, 20}, {39, 2, 20, 20}, {41, 2, 19, 19}, {39, 4, 18, 18}, {39, 7, 18, 24}};
    for (const auto& row : rows) {
        const int radius = MagnifierRadius(row.width, row.zoom);
        const std::vector<Colour> block = SampleBlock(radius);
        PixelBuffer out(row.width, row.width, kSilver);
        RenderMagnifier(block.data(), radius, row.zoom, kBlack, out);
        EXPECT_EQ(out.At(row.x, row.y), SampleColour(radius, radius))
            << row.width << "/" << row.zoom;
    }
}

TEST(Magnifier, CrosshairAndOutlineTakeTheirPenFromTheColour) {
    const struct {
        Colour current;
        Colour pen;
    } rows[] = {{MakeColour(100, 100, 100), kBlack},
                {MakeColour(100, 100, 99), kWhite},
                {MakeColour(255, 45, 0), kBlack},
                {kBlack, kWhite}};
    const Colour cell = MakeColour(1, 2, 3);
    const std::vector<Colour> block(11 * 11, cell);
    for (const auto& row : rows) {
        PixelBuffer out(39, 39, kSilver);
        RenderMagnifier(block.data(), 5, 4, row.current, out);
        // Lines from (14,19) to (24,19) and (19,14) to (19,24), end points left out.
        EXPECT_EQ(out.At(14, 19), row.pen);
        EXPECT_EQ(out.At(23, 19), row.pen);
        EXPECT_EQ(out.At(24, 19), cell);
        EXPECT_EQ(out.At(13, 19), cell);
        EXPECT_EQ(out.At(19, 14), row.pen);
        EXPECT_EQ(out.At(19, 23), row.pen);
        EXPECT_EQ(out.At(19, 24), cell);
        for (int k = 0; k < 39; ++k) {
            EXPECT_EQ(out.At(k, 0), row.pen);
            EXPECT_EQ(out.At(k, 38), row.pen);
            EXPECT_EQ(out.At(0, k), row.pen);
            EXPECT_EQ(out.At(38, k), row.pen);
        }
        EXPECT_EQ(out.At(1, 1), cell);
    }
}

TEST(Magnifier, ClampedRadiusLeavesTheFarEdgesPlain) {
    const int width = 120;  // a large font at zoom 1 would ask for r = 60
    const int radius = MagnifierRadius(width, 1);
    ASSERT_EQ(radius, kMaxSampleRadius);
    const std::vector<Colour> block(static_cast<std::size_t>(51 * 51), MakeColour(9, 9, 9));
    PixelBuffer out(width, width, kBlue);
    RenderMagnifier(block.data(), radius, 1, kBlack, out);
    EXPECT_EQ(out.At(50, 50), MakeColour(9, 9, 9));
    EXPECT_EQ(out.At(51, 50), kSilver);
    EXPECT_EQ(out.At(100, 100), kSilver);
}

TEST(Swatch, OutlineAroundTheColour) {
    PixelBuffer out(9, 9, kWhite);
    const Colour colour = MakeColour(200, 100, 50);
    RenderSwatch(colour, out);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool edge = x == 0 || y == 0 || x == 8 || y == 8;
            EXPECT_EQ(out.At(x, y), edge ? kBlack : colour) << x << "," << y;
        }
}

}  // namespace
}  // namespace pixolet

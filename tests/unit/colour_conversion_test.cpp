#include <gtest/gtest.h>

#include "readout/colour.h"
#include "readout/number_text.h"

namespace pixolet {
namespace {

struct ColourRow {
    int r, g, b;
    Cmyk factor100, factor50, factor0;
    int pr, pg, pb;  // truncated percentages
};

// The readout and the clipboard must show these very numbers.
const ColourRow kRows[] = {
    {255, 128, 0, {0, 50, 100, 0}, {0, 50, 100, 0}, {0, 50, 100, 0}, 100, 50, 0},
    {0, 0, 0, {0, 0, 0, 100}, {50, 50, 50, 50}, {100, 100, 100, 0}, 0, 0, 0},
    {255, 255, 255, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 100, 100, 100},
    {128, 128, 128, {0, 0, 0, 50}, {25, 25, 25, 25}, {50, 50, 50, 0}, 50, 50, 50},
    {200, 100, 50, {0, 39, 58, 22}, {11, 50, 69, 11}, {22, 61, 80, 0}, 78, 39, 19},
    {18, 52, 86, {27, 14, 0, 66}, {60, 47, 33, 33}, {93, 80, 66, 0}, 7, 20, 33},
    {1, 2, 3, {1, 0, 0, 99}, {51, 50, 50, 49}, {100, 99, 99, 0}, 0, 0, 1},
};

TEST(Colour, WorkedExamples) {
    for (const ColourRow& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.r << "," << row.g << "," << row.b);
        const auto r = static_cast<std::uint8_t>(row.r);
        const auto g = static_cast<std::uint8_t>(row.g);
        const auto b = static_cast<std::uint8_t>(row.b);
        EXPECT_EQ(RgbToCmyk(r, g, b, 100), row.factor100);
        EXPECT_EQ(RgbToCmyk(r, g, b, 50), row.factor50);
        EXPECT_EQ(RgbToCmyk(r, g, b, 0), row.factor0);
        EXPECT_EQ(ComponentPercent(row.r), row.pr);
        EXPECT_EQ(ComponentPercent(row.g), row.pg);
        EXPECT_EQ(ComponentPercent(row.b), row.pb);
    }
}

TEST(Colour, CmykStaysWithinPercentForEveryFactor) {
    for (int factor = 0; factor <= 100; factor += 5)
        for (int v = 0; v < 256; v += 3) {
            const auto c = static_cast<std::uint8_t>(v);
            const Cmyk k = RgbToCmyk(c, static_cast<std::uint8_t>(255 - v), 7, factor);
            EXPECT_LE(k.c, 100);
            EXPECT_LE(k.m, 100);
            EXPECT_LE(k.y, 100);
            EXPECT_LE(k.k, 100);
        }
}

TEST(NumberText, ReadoutFormatsPadWithBlanks) {
    const struct {
        int value;
        const char* decimal;
        const char* hex;
    } rows[] = {{0, "  0", " 0"},   {5, "  5", " 5"},   {10, " 10", " A"},    {42, " 42", "2A"},
                {100, "100", "64"}, {255, "255", "FF"}, {1000, "1000", "3E8"}};
    for (const auto& row : rows) {
        EXPECT_EQ(FormatDecimal(row.value, 3), row.decimal);
        EXPECT_EQ(FormatHex(static_cast<std::uint32_t>(row.value), 2), row.hex);
    }
    EXPECT_EQ(FormatDecimal(-5), "-5");
}

TEST(NumberText, RoundHalfEvenBreaksTiesToEven) {
    const struct {
        double in;
        int out;
    } rows[] = {{19.5, 20}, {20.5, 20}, {21.5, 22}, {0.5, 0},       {1.49, 1},
                {1.51, 2},  {-0.5, 0},  {-1.5, -2}, {1280.0, 1280}, {1e30, 2147483647}};
    for (const auto& row : rows) EXPECT_EQ(RoundHalfEven(row.in), row.out) << row.in;
}

}  // namespace
}  // namespace pixolet

#include <gtest/gtest.h>

#include "readout/colour.h"
#include "readout/number_text.h"

namespace pixolet {
namespace {

// The readout and the clipboard must show these very numbers: CMYK at
// factors 100, 50 and 0 rounds, the RGB percentages truncate.
TEST(Colour, WorkedExamples) {
    const struct {
        std::uint8_t r, g, b;
        Cmyk k100, k50, k0;
        int pr, pg, pb;
    } rows[] = {
        {255, 128, 0, {0, 50, 100, 0}, {0, 50, 100, 0}, {0, 50, 100, 0}, 100, 50, 0},
        {0, 0, 0, {0, 0, 0, 100}, {50, 50, 50, 50}, {100, 100, 100, 0}, 0, 0, 0},
        {255, 255, 255, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 100, 100, 100},
        {128, 128, 128, {0, 0, 0, 50}, {25, 25, 25, 25}, {50, 50, 50, 0}, 50, 50, 50},
        {200, 100, 50, {0, 39, 58, 22}, {11, 50, 69, 11}, {22, 61, 80, 0}, 78, 39, 19},
        {18, 52, 86, {27, 14, 0, 66}, {60, 47, 33, 33}, {93, 80, 66, 0}, 7, 20, 33},
        {1, 2, 3, {1, 0, 0, 99}, {51, 50, 50, 49}, {100, 99, 99, 0}, 0, 0, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << +row.r << "," << +row.g << "," << +row.b);
        EXPECT_EQ(RgbToCmyk(row.r, row.g, row.b, 100), row.k100);
        EXPECT_EQ(RgbToCmyk(row.r, row.g, row.b, 50), row.k50);
        EXPECT_EQ(RgbToCmyk(row.r, row.g, row.b, 0), row.k0);
        EXPECT_EQ(ComponentPercent(row.r), row.pr);
        EXPECT_EQ(ComponentPercent(row.g), row.pg);
        EXPECT_EQ(ComponentPercent(row.b), row.pb);
    }
}

TEST(NumberText, ReadoutFormatsPadWithBlanksAndRoundingBreaksTiesToEven) {
    const struct {
        int value;
        const char *decimal, *hex;
    } formats[] = {{0, "  0", " 0"},  {5, "  5", " 5"},   {10, " 10", " A"},
                   {42, " 42", "2A"}, {255, "255", "FF"}, {1000, "1000", "3E8"}};
    for (const auto& row : formats) {
        EXPECT_EQ(FormatDecimal(row.value, 3), row.decimal);
        EXPECT_EQ(FormatHex(static_cast<std::uint32_t>(row.value), 2), row.hex);
    }
    const struct {
        double in;
        int out;
    } rounding[] = {{19.5, 20}, {20.5, 20}, {1.49, 1}, {-1.5, -2}, {1e30, 2147483647}};
    for (const auto& row : rounding) EXPECT_EQ(RoundHalfEven(row.in), row.out) << row.in;
}

}  // namespace
}  // namespace pixolet

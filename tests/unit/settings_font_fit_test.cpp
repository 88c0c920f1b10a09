#include <gtest/gtest.h>

#include <limits>

#include "settings/font_fit.h"

namespace pixolet {
namespace {

FontDescription FontAt(int dpi) {
    FontDescription f;
    f.dpi = dpi;
    return f;
}

int FittedHeight(int points, int dpi) {
    FontDescription f = FontAt(dpi);
    SetPointSize(f, points);
    FitFontHeight(f);
    return f.height;
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, -1, 2), -3);
    EXPECT_EQ(MulDiv(7, 3, -2), -11);
    EXPECT_EQ(MulDiv(-7, -3, -2), -11);
    EXPECT_EQ(MulDiv(4, 1, 3), 1);
    EXPECT_EQ(MulDiv(-4, 1, 3), -1);
    EXPECT_EQ(MulDiv(-10, 72, 96), -8);  // -7.5
    EXPECT_EQ(MulDiv(8, 96, 72), 11);    // 10.67
}

TEST(MulDiv, FailsLikeThePlatformOnZeroDivisorAndOverflow) {
    const int big = std::numeric_limits<int>::max();
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(big, 2, 1), -1);
    EXPECT_EQ(MulDiv(big, big, big), big);
    EXPECT_EQ(MulDiv(std::numeric_limits<int>::min(), 1, 1), std::numeric_limits<int>::min());
}

TEST(FontFit, At96DpiKeepsTheSmallestCharacterOfEachSize) {
    const std::pair<int, int> cases[] = {{6, -8},   {7, -9},   {8, -10},  {9, -12},
                                         {10, -13}, {11, -14}, {12, -16}, {14, -18}};
    for (const auto& [points, height] : cases)
        EXPECT_EQ(FittedHeight(points, 96), height) << points;
}

TEST(FontFit, At120Dpi) {
    const std::pair<int, int> cases[] = {{8, -13},  {9, -15},  {10, -16},
                                         {11, -18}, {12, -20}, {14, -23}};
    for (const auto& [points, height] : cases)
        EXPECT_EQ(FittedHeight(points, 120), height) << points;
}

TEST(FontFit, SetPointSizeAloneGivesTheRoundedHeight) {
    FontDescription f = FontAt(96);
    SetPointSize(f, 8);
    EXPECT_EQ(f.height, -11);
    EXPECT_EQ(PointSizeOf(f), 8);
}

TEST(FontFit, TheFittedHeightStillGivesItsSizeAndTheNextOneDoesNot) {
    for (int dpi : {72, 96, 120, 144, 192, 240}) {
        for (int points = 1; points <= 96; ++points) {
            FontDescription f = FontAt(dpi);
            SetPointSize(f, points);
            FitFontHeight(f);
            EXPECT_EQ(PointSizeOf(f), points) << dpi << " dpi, " << points << " pt";
            FontDescription smaller = f;
            ++smaller.height;
            EXPECT_NE(PointSizeOf(smaller), points) << dpi << " dpi, " << points << " pt";
        }
    }
}

TEST(FontFit, TheDesignedFontIsAlreadyFitted) {
    FontDescription f;
    EXPECT_EQ(PointSizeOf(f), 8);
    FitFontHeight(f);
    EXPECT_EQ(f, FontDescription{});
}

TEST(FontFit, ZeroIsTheDefaultHeightAndANegativeSizeACellHeight) {
    // size, dpi, fitted height
    const int cases[][3] = {{0, 96, 0}, {0, 120, 0}, {-12, 96, 16}, {-8, 96, 11}, {-1, 96, 1}};
    for (const auto& c : cases) {
        FontDescription f = FontAt(c[1]);
        SetPointSize(f, c[0]);
        FitFontHeight(f);
        EXPECT_EQ(f.height, c[2]) << c[0] << " at " << c[1] << " dpi";
        EXPECT_EQ(PointSizeOf(f), c[0]);
    }
}

TEST(FontFit, PointSizesArePulledIntoTheAcceptedRange) {
    FontDescription f = FontAt(96);
    SetPointSize(f, std::numeric_limits<int>::min());
    EXPECT_EQ(PointSizeOf(f), kMinPointSize);
    FitFontHeight(f);
    EXPECT_EQ(PointSizeOf(f), kMinPointSize);
    SetPointSize(f, std::numeric_limits<int>::max());
    EXPECT_EQ(PointSizeOf(f), kMaxPointSize);
    FitFontHeight(f);
    EXPECT_EQ(PointSizeOf(f), kMaxPointSize);
}

TEST(FontFit, AMissingDpiCountsAs96) {
    EXPECT_EQ(FittedHeight(8, 0), -10);
    EXPECT_EQ(FittedHeight(8, -120), -10);
}

TEST(FontFit, AbsurdHeightsAndDpisEndWithoutOverflow) {
    for (int dpi : {1, 7, 96, std::numeric_limits<int>::max()}) {
        for (int height :
             {std::numeric_limits<int>::min(), -1, 0, 1, std::numeric_limits<int>::max()}) {
            FontDescription f = FontAt(dpi);
            f.height = height;
            const int size = PointSizeOf(f);
            FitFontHeight(f);
            EXPECT_GE(f.height, height);
            EXPECT_EQ(PointSizeOf(f), size) << dpi << " dpi, height " << height;
        }
    }
    FontDescription huge = FontAt(std::numeric_limits<int>::max());
    SetPointSize(huge, kMaxPointSize);
    EXPECT_EQ(huge.height, -MulDiv(kMaxPointSize, kMaxFontDpi, 72));
    FitFontHeight(huge);
    EXPECT_EQ(PointSizeOf(huge), kMaxPointSize);
}

}  // namespace
}  // namespace pixolet

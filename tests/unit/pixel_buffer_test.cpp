#include <gtest/gtest.h>

#include "ports/types.h"

namespace pixolet {
namespace {

TEST(PixelBuffer, LineStopsOneShortOfItsEndPoint) {
    PixelBuffer b(12, 12, kSilver);
    b.Line(1, 5, 10, 5, kBlack);
    EXPECT_EQ(b.At(1, 5), kBlack);
    EXPECT_EQ(b.At(9, 5), kBlack);
    EXPECT_EQ(b.At(10, 5), kSilver);
    b.Line(3, 1, 3, 4, kWhite);
    EXPECT_EQ(b.At(3, 1), kWhite);
    EXPECT_EQ(b.At(3, 3), kWhite);
    EXPECT_EQ(b.At(3, 4), kSilver);
}

TEST(PixelBuffer, DrawingIsClippedToTheBuffer) {
    PixelBuffer b(4, 4, kSilver);
    b.FillRect(-2, -2, 2, 2, kBlack);
    b.FillRect(3, 3, 10, 10, kWhite);
    EXPECT_EQ(b.At(0, 0), kBlack);
    EXPECT_EQ(b.At(1, 1), kBlack);
    EXPECT_EQ(b.At(2, 2), kSilver);
    EXPECT_EQ(b.At(3, 3), kWhite);
    b.Line(-5, 0, 10, 0, kBlue);
    EXPECT_EQ(b.At(3, 0), kBlue);
}

}  // namespace
}  // namespace pixolet

#include "platform/x11/pixel_format.h"

#include <gtest/gtest.h>

#include <vector>

namespace pixolet::x11 {
namespace {

struct FormatCase {
    const char* name;
    unsigned long red, green, blue;  // masks
    unsigned long pixel;
    Colour colour;
};

class PixelFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PixelFormatTest, ConvertsPixelToColour) {
    const FormatCase& c = GetParam();
    const PixelFormat format(c.red, c.green, c.blue);
    ASSERT_TRUE(format.Valid());
    EXPECT_EQ(format.ToColour(c.pixel), c.colour) << c.name;
}

TEST_P(PixelFormatTest, ConvertsColourBackToThePixel) {
    const FormatCase& c = GetParam();
    const PixelFormat format(c.red, c.green, c.blue);
    // Only the channel bits: padding bits of the pixel are not reproduced.
    const unsigned long channelBits = c.red | c.green | c.blue;
    EXPECT_EQ(format.ToPixel(c.colour), c.pixel & channelBits) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PixelFormatTest,
    ::testing::Values(
        // The usual 24-bit visual: the Colour has red in the low byte.
        FormatCase{"Rgb888Orange", 0xFF0000, 0x00FF00, 0x0000FF, 0xFF8005, 0x0580FF},
        FormatCase{"Rgb888Sample", 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0x563412},
        // The top byte of a 32-bit pixel is padding (or alpha) and is ignored.
        FormatCase{"Rgb888Padding", 0xFF0000, 0x00FF00, 0x0000FF, 0xAB123456, 0x563412},
        FormatCase{"Bgr888", 0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0x123456},
        // 5-6-5: full channels scale to 255, not 248 or 252.
        FormatCase{"Rgb565White", 0xF800, 0x07E0, 0x001F, 0xFFFF, kWhite},
        FormatCase{"Rgb565Red", 0xF800, 0x07E0, 0x001F, 0xF800, 0x0000FF},
        FormatCase{"Rgb565Green", 0xF800, 0x07E0, 0x001F, 0x07E0, 0x00FF00},
        FormatCase{"Rgb565Black", 0xF800, 0x07E0, 0x001F, 0x0000, kBlack},
        FormatCase{"Rgb565Mid", 0xF800, 0x07E0, 0x001F, (16u << 11) | (32u << 5) | 16u,
                   MakeColour(132, 130, 132)},
        // 10 bits per channel (depth 30).
        FormatCase{"Rgb101010White", 0x3FF00000, 0x000FFC00, 0x000003FF, 0x3FFFFFFF, kWhite},
        FormatCase{"Rgb101010Blue", 0x3FF00000, 0x000FFC00, 0x000003FF, 0x000003FF, kBlue}),
    [](const ::testing::TestParamInfo<FormatCase>& param) {
        return std::string(param.param.name);
    });

TEST(PixelFormatTest, EightBitColoursSurviveTheRoundTripThrough565) {
    // Markers write saved pixels back: a colour read from a 5-6-5 screen must
    // write the same pixel again.
    const PixelFormat format(0xF800, 0x07E0, 0x001F);
    for (unsigned long pixel = 0; pixel < 0x10000; pixel += 37)
        EXPECT_EQ(format.ToPixel(format.ToColour(pixel)), pixel) << pixel;
}

TEST(PixelFormatTest, VisualWithoutMasksIsInvalidAndReadsBlack) {
    const PixelFormat format(0, 0, 0);
    EXPECT_FALSE(format.Valid());
    EXPECT_EQ(format.ToColour(0xFFFFFF), kBlack);
}

struct LayoutCase {
    const char* name;
    int bitsPerPixel;
    bool msbFirst;
    std::vector<unsigned char> row;  // two pixels
    unsigned long second;            // value of pixel 1
};

class RawPixelTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(RawPixelTest, ReadsPixelInByteOrder) {
    const LayoutCase& c = GetParam();
    // Two rows with padding, to check the row stride as well.
    std::vector<unsigned char> data(c.row);
    data.resize(c.row.size() + 3, 0xEE);
    data.insert(data.end(), c.row.begin(), c.row.end());
    const ImageLayout layout{reinterpret_cast<const char*>(data.data()),
                             static_cast<int>(c.row.size() + 3), c.bitsPerPixel, c.msbFirst};
    ASSERT_TRUE(CanReadRaw(layout));
    EXPECT_EQ(ReadRawPixel(layout, 1, 0), c.second) << c.name;
    EXPECT_EQ(ReadRawPixel(layout, 1, 1), c.second) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, RawPixelTest,
    ::testing::Values(
        LayoutCase{"Lsb32", 32, false, {0, 0, 0, 0, 0x56, 0x34, 0x12, 0x00}, 0x123456},
        LayoutCase{"Msb32", 32, true, {0, 0, 0, 0, 0x00, 0x12, 0x34, 0x56}, 0x123456},
        LayoutCase{"Lsb24", 24, false, {0, 0, 0, 0x56, 0x34, 0x12}, 0x123456},
        LayoutCase{"Msb24", 24, true, {0, 0, 0, 0x12, 0x34, 0x56}, 0x123456},
        LayoutCase{"Lsb16", 16, false, {0, 0, 0x1F, 0xF8}, 0xF81F},
        LayoutCase{"Msb16", 16, true, {0, 0, 0xF8, 0x1F}, 0xF81F},
        LayoutCase{"Eight", 8, false, {0, 0x7B}, 0x7B}),
    [](const ::testing::TestParamInfo<LayoutCase>& param) {
        return std::string(param.param.name);
    });

TEST(RawPixelTest, UnusualDepthsAreLeftToXlib) {
    EXPECT_FALSE(CanReadRaw(ImageLayout{"x", 4, 1, false}));
    EXPECT_FALSE(CanReadRaw(ImageLayout{"x", 4, 4, false}));
    EXPECT_FALSE(CanReadRaw(ImageLayout{nullptr, 4, 32, false}));
}

}  // namespace
}  // namespace pixolet::x11

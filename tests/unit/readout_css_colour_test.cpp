#include <gtest/gtest.h>

#include <array>

#include "actions/clipboard_text.h"
#include "readout/colour_spaces.h"

namespace pixolet {
namespace {

struct CssRow {
    Colour colour;
    std::array<const char*, 4> texts;  // formats 5..8
};

TEST(CssColourText, TheFourStyleSheetFormats) {
    const CssRow rows[] = {
        {MakeColour(18, 52, 86),
         {"#123456", "rgb(18 52 86)", "hsl(210 65% 20%)", "oklch(31.9% 0.072 251.2)"}},
        {MakeColour(200, 100, 50),
         {"#C86432", "rgb(200 100 50)", "hsl(20 60% 49%)", "oklch(61.4% 0.142 45.1)"}},
        {MakeColour(0, 0, 255),
         {"#0000FF", "rgb(0 0 255)", "hsl(240 100% 50%)", "oklch(45.2% 0.313 264.1)"}},
        // The primaries and a secondary, against published values.
        {MakeColour(255, 0, 0),
         {"#FF0000", "rgb(255 0 0)", "hsl(0 100% 50%)", "oklch(62.8% 0.258 29.2)"}},
        {MakeColour(0, 255, 0),
         {"#00FF00", "rgb(0 255 0)", "hsl(120 100% 50%)", "oklch(86.6% 0.295 142.5)"}},
        {MakeColour(255, 0, 255),
         {"#FF00FF", "rgb(255 0 255)", "hsl(300 100% 50%)", "oklch(70.2% 0.322 328.4)"}},
        // Greys have no hue: zero chroma and hue, whatever the arithmetic.
        {kWhite, {"#FFFFFF", "rgb(255 255 255)", "hsl(0 0% 100%)", "oklch(100.0% 0 0)"}},
        {kBlack, {"#000000", "rgb(0 0 0)", "hsl(0 0% 0%)", "oklch(0.0% 0 0)"}},
        {MakeColour(128, 128, 128),
         {"#808080", "rgb(128 128 128)", "hsl(0 0% 50%)", "oklch(60.0% 0 0)"}},
        // Small components are zero-padded, never blank-padded.
        {MakeColour(5, 10, 15),
         {"#050A0F", "rgb(5 10 15)", "hsl(210 50% 4%)", "oklch(14.1% 0.015 244.1)"}},
    };
    for (const CssRow& row : rows)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ColourText(row.colour, kClipCssHex + i, 100), row.texts[i])
                << std::hex << row.colour << std::dec << " format " << kClipCssHex + i;
}

TEST(CssColourText, FormatsBeyondTheListWritePlainRgb) {
    EXPECT_EQ(kClipFormatCount, 9);
    for (int format : {9, 10, 100})
        EXPECT_EQ(ColourText(MakeColour(255, 128, 5), format, 100), "255 128   5") << format;
}

TEST(Hsl, HalvesRoundAwayFromZeroAndHueWrapsBelow360) {
    const struct {
        std::uint8_t r, g, b;
        Hsl hsl;
    } rows[] = {
        // L = 1 / 510 = 0.196 %.
        {1, 0, 0, {0, 100, 0}},
        {128, 0, 0, {0, 100, 25}},
        {51, 0, 0, {0, 100, 10}},
        // S = 2 / 16 = 12.5 % rounds up to 13.
        {9, 7, 7, {0, 13, 3}},
        // Hue 60 * 1 / 120 = 0.5 degrees rounds up to 1.
        {200, 81, 80, {1, 52, 55}},
        // Hue 359.76 rounds to 360, which is 0.
        {255, 0, 1, {0, 100, 50}},
        // Hue 30 exactly and 90 exactly.
        {255, 128, 1, {30, 100, 50}},
        {128, 255, 1, {90, 100, 50}},
        // L = 255 / 510 * 100 = 50 exactly; S = 127 / 255 = 49.8 %.
        {191, 64, 64, {0, 50, 50}},
    };
    for (const auto& row : rows) {
        const Hsl got = RgbToHsl(row.r, row.g, row.b);
        EXPECT_EQ(got, row.hsl) << int(row.r) << "," << int(row.g) << "," << int(row.b) << " -> "
                                << got.hue << " " << got.saturation << " " << got.lightness;
    }
}

TEST(Oklch, LightnessOfWhiteIsOneAndHueStaysBelow360) {
    const Oklch white = RgbToOklch(255, 255, 255);
    EXPECT_NEAR(white.lightness, 1.0, 1e-6);
    EXPECT_NEAR(white.chroma, 0.0, 1e-6);
    for (int v = 0; v < 256; v += 5) {
        const auto c = static_cast<std::uint8_t>(v);
        for (const Oklch& lch :
             {RgbToOklch(c, 0, 255), RgbToOklch(255, c, 0), RgbToOklch(0, 255, c)}) {
            EXPECT_GE(lch.hue, 0.0);
            EXPECT_LT(lch.hue, 360.0);
            EXPECT_LE(lch.chroma, 0.33);
        }
    }
}

}  // namespace
}  // namespace pixolet

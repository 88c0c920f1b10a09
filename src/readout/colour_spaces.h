// Conversions of an 8-bit sRGB colour into the colour spaces of CSS colour
// texts: HSL in whole units and OKLCh.
#pragma once

#include <cstdint>

namespace pixolet {

// Hue in whole degrees 0..359, saturation and lightness in whole percent,
// each rounded to the nearest unit with halves away from zero. A grey has
// hue 0 and saturation 0.
struct Hsl {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
    friend bool operator==(const Hsl&, const Hsl&) = default;
};
Hsl RgbToHsl(std::uint8_t r, std::uint8_t g, std::uint8_t b);

// OKLCh: lightness 0..1, chroma (0 and up, about 0.32 at most for sRGB) and
// hue in degrees 0 <= h < 360, unrounded.
struct Oklch {
    double lightness = 0.0;
    double chroma = 0.0;
    double hue = 0.0;
};
// sRGB to linear light, linear sRGB to CIE XYZ (D65), XYZ to LMS, the cube
// root, LMS to OKLab, and OKLab's a and b to chroma and hue.
Oklch RgbToOklch(std::uint8_t r, std::uint8_t g, std::uint8_t b);

// An sRGB component 0..255 as linear light 0..1 (the sRGB transfer curve,
// with the linear part below 0.04045).
double LinearLight(std::uint8_t v);

}  // namespace pixolet

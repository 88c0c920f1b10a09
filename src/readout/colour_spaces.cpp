#include "readout/colour_spaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pixolet {

namespace {

// numerator / denominator to the nearest integer, halves away from zero, for
// a numerator of 0 or more and a positive denominator.
int RoundedQuotient(int numerator, int denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

}  // namespace

Hsl RgbToHsl(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    // Exact rational arithmetic on the bytes, so that halves are found
    // exactly and round away from zero.
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    const int sum = max + min;
    const int delta = max - min;
    Hsl hsl;
    // L = (max + min) / 2 on the 0..1 scale: sum / 510.
    hsl.lightness = RoundedQuotient(100 * sum, 510);
    if (delta == 0) return hsl;
    // S = delta / (1 - |2L - 1|), in bytes: delta / (255 - |sum - 255|).
    hsl.saturation = RoundedQuotient(100 * delta, 255 - std::abs(sum - 255));
    // The hue's sixth of the circle from the largest component, as a
    // multiple of 1/delta degrees.
    int numerator = 0;
    if (max == r)
        numerator = 60 * (g - b);
    else if (max == g)
        numerator = 60 * (b - r) + 120 * delta;
    else
        numerator = 60 * (r - g) + 240 * delta;
    if (numerator < 0) numerator += 360 * delta;
    hsl.hue = RoundedQuotient(numerator, delta) % 360;
    return hsl;
}

double LinearLight(std::uint8_t v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

Oklch RgbToOklch(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const double lr = LinearLight(r);
    const double lg = LinearLight(g);
    const double lb = LinearLight(b);

    // Linear sRGB to CIE XYZ, D65 white, the exact rational matrix.
    const double x = 506752.0 / 1228815 * lr + 87881.0 / 245763 * lg + 12673.0 / 70218 * lb;
    const double y = 87098.0 / 409605 * lr + 175762.0 / 245763 * lg + 12673.0 / 175545 * lb;
    const double z = 7918.0 / 409605 * lr + 87881.0 / 737289 * lg + 1001167.0 / 1053270 * lb;

    // XYZ to the cone responses, then their cube roots.
    const double l =
        std::cbrt(0.8190224379967030 * x + 0.3619062600528904 * y - 0.1288737815209879 * z);
    const double m =
        std::cbrt(0.0329836539323885 * x + 0.9292868615863434 * y + 0.0361446663506424 * z);
    const double s =
        std::cbrt(0.0481771893596242 * x + 0.2642395317527308 * y + 0.6335478284694309 * z);

    // To OKLab.
    const double labL = 0.2104542683093140 * l + 0.7936177747023054 * m - 0.0040720430116193 * s;
    const double labA = 1.9779985324311684 * l - 2.4285922420485799 * m + 0.4505937096174110 * s;
    const double labB = 0.0259040424655478 * l + 0.7827717124575296 * m - 0.8086757549230774 * s;

    Oklch out;
    out.lightness = labL;
    out.chroma = std::hypot(labA, labB);
    double hue = std::atan2(labB, labA) * 180.0 / std::numbers::pi;
    if (hue < 0.0) hue += 360.0;
    out.hue = hue >= 360.0 ? 0.0 : hue;
    return out;
}

}  // namespace pixolet

#include "settings/font_fit.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace pixolet {

namespace {

int EffectiveDpi(int dpi) {
    return dpi <= 0 ? 96 : std::min(dpi, kMaxFontDpi);
}

// a * b / c rounded to nearest, halves away from zero; c != 0. Exact for
// every int operand.
std::int64_t MulDivRounded(std::int64_t a, std::int64_t b, std::int64_t c) {
    const std::int64_t product = a * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t p = product < 0 ? -product : product;
    const std::int64_t d = c < 0 ? -c : c;
    const std::int64_t q = (p + d / 2) / d;
    return negative ? -q : q;
}

int SaturatedInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

std::int64_t PointSizeAt(std::int64_t height, int dpi) {
    return -MulDivRounded(height, 72, dpi);
}

}  // namespace

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const std::int64_t q = MulDivRounded(number, numerator, denominator);
    if (q < std::numeric_limits<int>::min() || q > std::numeric_limits<int>::max()) return -1;
    return static_cast<int>(q);
}

int PointSizeOf(const FontDescription& font) {
    return SaturatedInt(PointSizeAt(font.height, EffectiveDpi(font.dpi)));
}

void SetPointSize(FontDescription& font, int points) {
    const int p = std::clamp(points, kMinPointSize, kMaxPointSize);
    // Within the clamps the height fits an int comfortably.
    font.height = static_cast<int>(-MulDivRounded(p, EffectiveDpi(font.dpi), 72));
}

void FitFontHeight(FontDescription& font) {
    const int dpi = EffectiveDpi(font.dpi);
    const std::int64_t size = PointSizeAt(font.height, dpi);
    // Each step changes the exact size by 72/dpi points, so the rounded size
    // changes within dpi/72 + 1 steps: the loop is short and always ends.
    std::int64_t height = font.height;
    do {
        ++height;
    } while (PointSizeAt(height, dpi) == size);
    // Setting the size again before this height would change nothing here:
    // the description holds only the height.
    font.height = SaturatedInt(height - 1);
}

}  // namespace pixolet

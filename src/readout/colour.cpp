#include "readout/colour.h"

#include <algorithm>

namespace pixolet {

namespace {
// Nearest integer of v * 100 / 255. No byte value lies on a half, so the
// integer form matches the floating-point rounding exactly.
int RoundedPercent(int v) { return (200 * v + 255) / 510; }
}  // namespace

Cmyk RgbToCmyk(std::uint8_t r, std::uint8_t g, std::uint8_t b, int factorK) {
    const int pr = RoundedPercent(r);
    const int pg = RoundedPercent(g);
    const int pb = RoundedPercent(b);
    int k = 100 - std::max({pr, pg, pb});
    k = k * factorK / 100;
    return Cmyk{static_cast<std::uint8_t>(100 - pr - k), static_cast<std::uint8_t>(100 - pg - k),
                static_cast<std::uint8_t>(100 - pb - k), static_cast<std::uint8_t>(k)};
}

}  // namespace pixolet

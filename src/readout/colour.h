// The arithmetic behind every number the program shows or copies.
#pragma once

#include <cstdint>

namespace pixolet {

struct Cmyk {
    std::uint8_t c = 0;
    std::uint8_t m = 0;
    std::uint8_t y = 0;
    std::uint8_t k = 0;
    friend bool operator==(const Cmyk&, const Cmyk&) = default;
};

// Component percentages rounded to the nearest percent, K = 100 - the
// largest, scaled by `factorK` (0..100, truncating), then C, M, Y.
Cmyk RgbToCmyk(std::uint8_t r, std::uint8_t g, std::uint8_t b, int factorK);

// v * 100 div 255, truncating: the readout's and the clipboard's RGB
// percentage (not the rounded percentage of the CMYK conversion).
constexpr int ComponentPercent(int v) { return v * 100 / 255; }

}  // namespace pixolet

#include "readout/area_sample.h"

#include <algorithm>
#include <cstddef>

namespace pixolet {

Colour SampleMean(const Colour* block, int radius, int size) {
    const int half = std::clamp((size - 1) / 2, 0, std::max(radius, 0));
    const int side = 2 * radius + 1;
    const int n = 2 * half + 1;
    const int count = n * n;
    int sums[3] = {0, 0, 0};
    for (int row = radius - half; row <= radius + half; ++row) {
        for (int column = radius - half; column <= radius + half; ++column) {
            const Colour c = block[static_cast<std::size_t>(row) * static_cast<std::size_t>(side) +
                                   static_cast<std::size_t>(column)];
            sums[0] += RedOf(c);
            sums[1] += GreenOf(c);
            sums[2] += BlueOf(c);
        }
    }
    // Halves away from zero; the sums are never negative.
    auto mean = [count](int sum) {
        return static_cast<std::uint8_t>((2 * sum + count) / (2 * count));
    };
    return MakeColour(mean(sums[0]), mean(sums[1]), mean(sums[2]));
}

}  // namespace pixolet

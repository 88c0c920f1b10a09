// Area sampling: the colour of the readout as the mean of the N by N screen
// pixels centred on the pointer.
#pragma once

#include "ports/types.h"

namespace pixolet {

// The sample sizes offered: a single pixel, 3 by 3 and 5 by 5.
inline constexpr int kSampleSizes[] = {1, 3, 5};

// The mean of the `size` by `size` cells centred in a row-major block of
// (2 * radius + 1) by (2 * radius + 1) colours, each channel rounded to the
// nearest integer with halves away from zero. A size below 1 counts as 1;
// one wider than the block takes the whole block.
Colour SampleMean(const Colour* block, int radius, int size);

}  // namespace pixolet

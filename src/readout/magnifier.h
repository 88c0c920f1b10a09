// The magnifier and the colour swatch of the readout, painted into pixel
// buffers that the view shows as they are.
#pragma once

#include <array>

#include "ports/types.h"

namespace pixolet {

// The sample grid around the pointer holds at most 51 by 51 colours, which
// bounds the sampling radius to 25.
constexpr int kMaxSampleRadius = 25;
constexpr int kSampleGridSide = 2 * kMaxSampleRadius + 1;
using SampleGrid = std::array<Colour, kSampleGridSide * kSampleGridSide>;

// Screen pixels sampled on each side of the pointer for a magnifier `width`
// pixels wide with cells of `zoom` pixels: width / (2 * zoom) rounded to the
// nearest integer, ties to the even one. A large readout font at a small zoom
// asks for more than the grid holds; the radius then stops at 25 and the
// magnifier's far edges keep its plain fill.
int MagnifierRadius(int width, int zoom);

// Paints the magnifier into `out` (its size is the magnifier's): the samples
// as zoom-by-zoom cells shifted left and up by zoom div 2, so that the
// pointer's pixel is the cell in the middle, then the crosshair and the
// outline in black over light colours (R + G + B >= 300) and in white over
// dark ones. `samples` is the (2r+1) by (2r+1) block around the pointer,
// row-major.
void RenderMagnifier(const Colour* samples, int radius, int zoom, Colour current, PixelBuffer& out);

// How the magnifier shows a block of samples.
struct MagnifierLook {
    int radius = 0;      // samples shown on each side of the pointer's
    int zoom = 1;        // cell size in pixels at 100 % scale
    int scale = 1;       // whole factor of the monitor's scale
    int sampleSize = 1;  // side of the averaged square, outlined when above 1
};

// The same at any scale: cells of zoom * scale pixels, the crosshair's arms
// and every line `scale` pixels thick, the crosshair reaching 5 * scale
// pixels each way. `block` is row-major, (2 * blockRadius + 1) square,
// centred on the pointer; blockRadius may exceed look.radius (the area
// sample may need more than the magnifier shows). With a sample size above
// 1 the N by N cells of the sample get a ring just outside them in the
// crosshair's colour.
void RenderMagnifier(const Colour* block, int blockRadius, const MagnifierLook& look,
                     Colour current, PixelBuffer& out);

// Paints the swatch into `out` (its size is the swatch's): a black outline,
// `scale` pixels thick, around the current colour.
void RenderSwatch(Colour current, PixelBuffer& out, int scale = 1);

// The pen of the crosshair and the outline for a colour.
constexpr Colour CrosshairColour(Colour c) {
    return RedOf(c) + GreenOf(c) + BlueOf(c) >= 300 ? kBlack : kWhite;
}

}  // namespace pixolet

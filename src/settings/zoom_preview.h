// The Zoom page's preview: what a magnifier step looks like, shown on the
// maker's logo instead of the screen.
#pragma once

#include "ports/types.h"

namespace pixolet {

inline constexpr int kZoomBoxSize = 42;
// The sample's centre in the logo bitmap: half the logo image control's size
// (139 x 48), five pixels left of its middle.
inline constexpr int kZoomSampleX = 139 / 2 - 5;
inline constexpr int kZoomSampleY = 48 / 2;

// Radius of the sampled block for a step: ((42 div step) + 1) div 2.
int ZoomPreviewRadius(int step);

// The box as it paints itself: white inside a black one-pixel outline.
PixelBuffer PlainZoomBox();

// The box with the logo's pixels around the sample centre, each drawn as a
// step x step cell from one pixel inside the box's top-left corner, clipped
// to the box, then the outline. The step is held within 1..7; logo pixels
// outside the bitmap read as white.
PixelBuffer RenderZoomPreview(const PixelBuffer& logo, int step);

}  // namespace pixolet

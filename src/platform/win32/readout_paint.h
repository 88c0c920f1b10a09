// Painting of the core's ReadoutScene onto any device context: the window's
// back buffer in use, a memory bitmap in the tests.
#pragma once

#include <windows.h>

#include "ports/font_description.h"
#include "ports/types.h"
#include "readout/readout_scene.h"

namespace pixolet::win32 {

// A Colour (0x00BBGGRR) as a 32-bit DIB pixel (0x00RRGGBB).
constexpr DWORD DibPixel(Colour c) {
    return (static_cast<DWORD>(RedOf(c)) << 16) | (static_cast<DWORD>(GreenOf(c)) << 8) | BlueOf(c);
}

// The readout font's description for CreateFontIndirectA. The height is in
// pixels already: a negative one is the character height.
LOGFONTA ToLogFont(const FontDescription& font);

// Paints the whole scene at the DC's origin: silver background, magnifier
// and swatch (their pixels 1:1 while live, their plain look otherwise), the
// visible labels in `font` with `textColour`, the distance bar and the blue
// frame. Lines are the scene's scale thick: `font` must be the one made at
// the dpi of that scale. Everything selected into `dc` is put back.
void PaintScene(HDC dc, const ReadoutScene& scene, HFONT font, Colour textColour);

}  // namespace pixolet::win32

#include "readout/magnifier.h"

#include <algorithm>

namespace pixolet {

int MagnifierRadius(int width, int zoom) {
    if (width <= 0) return 0;
    // Zoom is kept within 1..7 by the settings; a zero would divide by zero.
    const int divisor = 2 * std::max(zoom, 1);
    // Exact rounding of width / divisor with ties to even, in integers.
    int radius = width / divisor;
    const int twiceRemainder = 2 * (width % divisor);
    if (twiceRemainder > divisor || (twiceRemainder == divisor && radius % 2 != 0)) ++radius;
    return std::min(radius, kMaxSampleRadius);
}

void RenderMagnifier(const Colour* samples, int radius, int zoom, Colour current,
                     PixelBuffer& out) {
    const int w = out.Width();
    const int h = out.Height();
    const int z = std::max(zoom, 1);
    const int shift = z / 2;
    const int side = 2 * radius + 1;

    // Parts the cells do not reach (only when the radius was clamped) show
    // the magnifier's plain fill rather than an older picture.
    if (side * z - shift < std::max(w, h)) out.FillRect(0, 0, w, h, kSilver);

    for (int i = 0; i < side; ++i) {
        const int left = i * z - shift;
        if (left >= w) break;
        for (int j = 0; j < side; ++j) {
            const int top = j * z - shift;
            if (top >= h) break;
            out.FillRect(left, top, left + z, top + z,
                         samples[static_cast<std::size_t>(j) * static_cast<std::size_t>(side) +
                                 static_cast<std::size_t>(i)]);
        }
    }

    const Colour pen = CrosshairColour(current);
    const int cx = w / 2;
    const int cy = h / 2;
    out.Line(cx - 5, cy, cx + 5, cy, pen);
    out.Line(cx, cy - 5, cx, cy + 5, pen);
    out.Line(0, 0, w - 1, 0, pen);
    out.Line(w - 1, 0, w - 1, h - 1, pen);
    out.Line(w - 1, h - 1, 0, h - 1, pen);
    out.Line(0, h - 1, 0, 0, pen);
}

void RenderSwatch(Colour current, PixelBuffer& out) {
    const int w = out.Width();
    const int h = out.Height();
    out.FillRect(0, 0, w, h, kBlack);
    out.FillRect(1, 1, w - 1, h - 1, current);
}

}  // namespace pixolet

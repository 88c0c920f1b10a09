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
    RenderMagnifier(samples, radius, MagnifierLook{radius, zoom, 1, 1}, current, out);
}

namespace {

// A frame `thickness` pixels wide just inside left..right-1 by top..bottom-1.
void Ring(PixelBuffer& out, int left, int top, int right, int bottom, int thickness, Colour c) {
    out.FillRect(left, top, right, top + thickness, c);
    out.FillRect(left, bottom - thickness, right, bottom, c);
    out.FillRect(left, top, left + thickness, bottom, c);
    out.FillRect(right - thickness, top, right, bottom, c);
}

}  // namespace

void RenderMagnifier(const Colour* block, int blockRadius, const MagnifierLook& look,
                     Colour current, PixelBuffer& out) {
    const int w = out.Width();
    const int h = out.Height();
    const int k = std::max(look.scale, 1);
    const int z = std::max(look.zoom, 1) * k;
    const int shift = z / 2;
    const int radius = std::clamp(look.radius, 0, std::max(blockRadius, 0));
    const int side = 2 * radius + 1;
    const int blockSide = 2 * blockRadius + 1;
    const int offset = blockRadius - radius;

    // Parts the cells do not reach (only when the radius was clamped) show
    // the magnifier's plain fill rather than an older picture.
    if (side * z - shift < std::max(w, h)) out.FillRect(0, 0, w, h, kSilver);

    for (int i = 0; i < side; ++i) {
        const int left = i * z - shift;
        if (left >= w) break;
        for (int j = 0; j < side; ++j) {
            const int top = j * z - shift;
            if (top >= h) break;
            const std::size_t index =
                static_cast<std::size_t>(j + offset) * static_cast<std::size_t>(blockSide) +
                static_cast<std::size_t>(i + offset);
            out.FillRect(left, top, left + z, top + z, block[index]);
        }
    }

    const Colour pen = CrosshairColour(current);
    const int half = std::max(look.sampleSize, 1) / 2;
    if (half > 0) {
        const int first = (radius - half) * z - shift;
        const int end = (radius + half + 1) * z - shift;
        Ring(out, first - k, first - k, end + k, end + k, k, pen);
    }

    // The centre of the picture at 100 %, scaled: at any scale the
    // magnifier is the 100 % one with every pixel k by k.
    const int cx = k * (w / k / 2);
    const int cy = k * (h / k / 2);
    out.FillRect(cx - 5 * k, cy, cx + 5 * k, cy + k, pen);
    out.FillRect(cx, cy - 5 * k, cx + k, cy + 5 * k, pen);
    Ring(out, 0, 0, w, h, k, pen);
}

void RenderSwatch(Colour current, PixelBuffer& out, int scale) {
    const int w = out.Width();
    const int h = out.Height();
    const int k = std::max(scale, 1);
    out.FillRect(0, 0, w, h, kBlack);
    out.FillRect(k, k, w - k, h - k, current);
}

}  // namespace pixolet

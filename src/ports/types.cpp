#include "ports/types.h"

#include <cstdlib>

namespace pixolet {

void PixelBuffer::FillRect(int left, int top, int right, int bottom, Colour c) {
    const int l = std::max(left, 0);
    const int t = std::max(top, 0);
    const int r = std::min(right, width_);
    const int b = std::min(bottom, height_);
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x) pixels_[Index(x, y)] = c;
}

void PixelBuffer::Line(int x0, int y0, int x1, int y1, Colour c) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        Set(x, y, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

}  // namespace pixolet

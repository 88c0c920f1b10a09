#include "settings/zoom_preview.h"

#include <algorithm>

namespace pixolet {

namespace {

constexpr int kMinStep = 1;
constexpr int kMaxStep = 7;

void DrawOutline(PixelBuffer& box) {
    const int last = kZoomBoxSize - 1;
    box.Line(0, 0, last, 0, kBlack);
    box.Line(last, 0, last, last, kBlack);
    box.Line(last, last, 0, last, kBlack);
    box.Line(0, last, 0, 0, kBlack);
}

Colour LogoPixel(const PixelBuffer& logo, int x, int y) {
    if (x < 0 || y < 0 || x >= logo.Width() || y >= logo.Height()) return kWhite;
    return logo.At(x, y);
}

}  // namespace

int ZoomPreviewRadius(int step) {
    step = std::clamp(step, kMinStep, kMaxStep);
    return ((kZoomBoxSize / step) + 1) / 2;
}

PixelBuffer PlainZoomBox() {
    PixelBuffer box(kZoomBoxSize, kZoomBoxSize, kWhite);
    DrawOutline(box);
    return box;
}

PixelBuffer RenderZoomPreview(const PixelBuffer& logo, int step) {
    step = std::clamp(step, kMinStep, kMaxStep);
    const int radius = ZoomPreviewRadius(step);
    PixelBuffer box(kZoomBoxSize, kZoomBoxSize, kWhite);
    for (int a = 0; a <= 2 * radius; ++a) {
        for (int b = 0; b <= 2 * radius; ++b) {
            const Colour c = LogoPixel(logo, kZoomSampleX + a - radius, kZoomSampleY + b - radius);
            box.FillRect(1 + a * step, 1 + b * step, 1 + (a + 1) * step, 1 + (b + 1) * step, c);
        }
    }
    DrawOutline(box);
    return box;
}

}  // namespace pixolet

// The tracking update: runs on every pointer move while the readout window is
// shown, so it reuses its buffers and strings and allocates nothing once the
// window's size has settled.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "readout/area_sample.h"
#include "readout/colour.h"
#include "readout/contrast.h"
#include "readout/magnifier.h"
#include "readout/number_text.h"
#include "readout/readout_scale.h"
#include "readout/readout_window.h"

namespace pixolet {

namespace {

// Gap between the pointer and the window.
constexpr std::int64_t kPointerGap = 10;

// "<letter> " followed by the value in the readout's number format: "%2x"
// in hexadecimal, "%3d" in decimal.
void SetNumberLabel(SceneLabel& label, char letter, int value, bool hex) {
    label.text.assign(1, letter);
    label.text += ' ';
    label.text += hex ? FormatHex(static_cast<std::uint32_t>(value), 2) : FormatDecimal(value, 3);
}

void SetPointLabel(SceneLabel& label, ScreenPoint at) {
    label.text.assign(1, '(');
    label.text += FormatDecimal(at.x);
    label.text += ',';
    label.text += FormatDecimal(at.y);
    label.text += ')';
}

// A buffer of the given size, replaced only when the size changed.
void EnsureSize(PixelBuffer& buffer, int width, int height, Colour fill) {
    if (buffer.Width() != width || buffer.Height() != height)
        buffer = PixelBuffer(width, height, fill);
}

// How far the window may lag behind the pointer, from the duration of the
// last run: nothing up to 12 ms, one pixel more for every further 3 ms, at
// most 6.
int ToleranceFor(std::uint32_t elapsedMs) {
    const std::int64_t t = (static_cast<std::int64_t>(elapsedMs) - 10) / 3;
    return static_cast<int>(std::clamp<std::int64_t>(t, 0, 6));
}

}  // namespace

void TfrmPixoletMain::TrackingUpdate() {
    const std::uint32_t start = ports_.clock.TickCount();
    const ScreenPoint at = ports_.screen.CursorPos();
    // A pointer on a monitor of another scale: laid out again first, so that
    // the window's move below uses its new size.
    ApplyMonitorDpi(ports_.view.MonitorDpi(at));

    Rect oldPlace{};
    bool moved = false;
    if (FollowPointer) {
        // Right of and below the pointer, flipped to its left or above it
        // where the window would cross the primary screen's right or bottom
        // edge. Wide arithmetic: coordinates may be anywhere on the desktop.
        const Size screen = ports_.screen.PrimarySize();
        const Rect bounds = ports_.view.Bounds();
        const std::int64_t w = bounds.Width();
        const std::int64_t h = bounds.Height();
        const std::int64_t newLeft =
            screen.width >= w + at.x + kPointerGap ? at.x + kPointerGap : at.x - w - kPointerGap;
        const std::int64_t newTop =
            screen.height >= h + at.y + kPointerGap ? at.y + kPointerGap : at.y - h - kPointerGap;
        if (std::llabs(bounds.left - newLeft) > MoveTolerance ||
            std::llabs(bounds.top - newTop) > MoveTolerance) {
            ports_.view.Move(static_cast<int>(newLeft), static_cast<int>(newTop));
            oldPlace = bounds;
            moved = true;
        }
    }

    if (!TrackColor) return;

    // One read of the whole block around the pointer; its centre is the
    // pointer's own pixel. It reaches as far as the magnifier shows and the
    // area sample needs.
    const int zoom = settings.Zoom;
    const int scale = scene_.scale;
    const int sampleSize = settings.SampleSize;
    const int radius = MagnifierRadius(scene_.zoom.width, zoom * scale);
    const int blockRadius = std::max(radius, std::min(sampleSize / 2, kMaxSampleRadius));
    const Rect block{at.x - blockRadius, at.y - blockRadius, at.x + blockRadius + 1,
                     at.y + blockRadius + 1};
    ports_.screen.ReadBlock(block, samples_.data());
    if (moved && !Intersect(block, oldPlace).Empty()) SampledOverOldPlace = true;
    CurrentColor = SampleMean(samples_.data(), blockRadius, sampleSize);

    int r = RedOf(CurrentColor);
    int g = GreenOf(CurrentColor);
    int b = BlueOf(CurrentColor);
    const Cmyk cmyk = RgbToCmyk(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                static_cast<std::uint8_t>(b), settings.CmykFactorK);

    EnsureSize(scene_.magnifier, scene_.zoom.width, scene_.zoom.height, kSilver);
    RenderMagnifier(samples_.data(), blockRadius, MagnifierLook{radius, zoom, scale, sampleSize},
                    CurrentColor, scene_.magnifier);
    EnsureSize(scene_.swatchPixels, scene_.swatch.width, scene_.swatch.height, kWhite);
    RenderSwatch(CurrentColor, scene_.swatchPixels, scale);

    // A group whose setting is off keeps its old text.
    const bool hex = settings.ShowHex;
    auto& labels = scene_.labels;
    if (settings.ShowCmyk) {
        SetNumberLabel(labels[lblC], 'C', cmyk.c, hex);
        SetNumberLabel(labels[lblM], 'M', cmyk.m, hex);
        SetNumberLabel(labels[lblY], 'Y', cmyk.y, hex);
        SetNumberLabel(labels[lblK], 'K', cmyk.k, hex);
    }
    if (settings.ShowRgb) {
        if (settings.RgbAsPercent) {
            r = ComponentPercent(r);
            g = ComponentPercent(g);
            b = ComponentPercent(b);
        }
        SetNumberLabel(labels[lblR], 'R', r, hex);
        SetNumberLabel(labels[lblG], 'G', g, hex);
        SetNumberLabel(labels[lblB], 'B', b, hex);
    }
    if (settings.ShowCoordinates) SetPointLabel(labels[lblPoint], at);
    if (settings.ShowContrast) UpdateContrastLine();

    scene_.live = true;
    ports_.view.Repaint();

    MoveTolerance = ToleranceFor(ports_.clock.TickCount() - start);
}

void TfrmPixoletMain::UpdateContrastLine() {
    // Empty until something has been copied.
    std::string& text = scene_.labels[lblContrast].text;
    if (HasCopiedColor)
        text = ContrastText(CurrentColor, CopiedColor);
    else
        text.clear();
}

}  // namespace pixolet

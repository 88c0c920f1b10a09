#include "platform/win32/readout_paint.h"

#include <algorithm>
#include <vector>

#include "platform/win32/font_chooser.h"
#include "platform/win32/gdi_handles.h"

namespace pixolet::win32 {

namespace {

// Colour and COLORREF share their layout (0x00BBGGRR).
COLORREF ToColorRef(Colour c) {
    return static_cast<COLORREF>(c & 0xFFFFFFU);
}

void Fill(HDC dc, int left, int top, int right, int bottom, Colour c) {
    const RECT r{left, top, right, bottom};
    const Brush brush(CreateSolidBrush(ToColorRef(c)));
    if (brush) FillRect(dc, &r, brush.get());
}

// An outline `thickness` pixels wide inside left..right-1 by top..bottom-1.
void Outline(HDC dc, int left, int top, int width, int height, Colour c, int thickness) {
    if (width <= 0 || height <= 0) return;
    const int t = std::max(thickness, 1);
    Fill(dc, left, top, left + width, top + t, c);
    Fill(dc, left, top + height - t, left + width, top + height, c);
    Fill(dc, left, top, left + t, top + height, c);
    Fill(dc, left + width - t, top, left + width, top + height, c);
}

void Blit(HDC dc, int left, int top, const PixelBuffer& pixels) {
    const int width = pixels.Width();
    const int height = pixels.Height();
    if (width <= 0 || height <= 0) return;
    std::vector<DWORD> bits(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::transform(pixels.Data(), pixels.Data() + bits.size(), bits.begin(), DibPixel);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, like the buffer
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
}

// The buffers come from the core at the window's scale already; only the
// plain look is drawn here, its outline `scale` pixels thick.
void PaintShape(HDC dc, const SceneShape& shape, const PixelBuffer& pixels, bool live,
                Colour plainFill, int scale) {
    if (shape.width <= 0 || shape.height <= 0) return;
    if (live && pixels.Width() == shape.width && pixels.Height() == shape.height) {
        Blit(dc, shape.left, shape.top, pixels);
        return;
    }
    Fill(dc, shape.left, shape.top, shape.left + shape.width, shape.top + shape.height, plainFill);
    Outline(dc, shape.left, shape.top, shape.width, shape.height, kBlack, scale);
}

// The disabled distance bar: a sunken groove with a grey thumb at the
// position, as the Linux view draws it. It is worked out in pixels of 100 %
// and each of those drawn `scale` by `scale`, so that a larger scale paints
// the same bar magnified.
void PaintBar(HDC dc, const SceneBar& bar, int scale) {
    const SceneShape& b = bar.bounds;
    const int width = b.width / scale;
    const int height = b.height / scale;
    if (width <= 2 || height <= 0) return;
    const int mid = b.top + height / 2 * scale;
    Fill(dc, b.left, mid - scale, b.left + b.width, mid, 0x808080);
    Fill(dc, b.left, mid, b.left + b.width, mid + scale, kWhite);
    const int span = width - 3;
    const int maximum = std::max(bar.maximum, 1);
    const int position = std::clamp(bar.position, 0, maximum);
    const int x =
        b.left + scale * static_cast<int>(static_cast<long long>(span) * position / maximum);
    Fill(dc, x, b.top, x + 3 * scale, b.top + b.height, 0xA0A0A0);
}

void PaintLabels(HDC dc, const ReadoutScene& scene, HFONT font, Colour textColour) {
    const SelectGuard selected(dc, font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, ToColorRef(textColour));
    const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    for (const SceneLabel& label : scene.labels) {
        if (!label.visible || label.text.empty()) continue;
        // Plain text at the label's top-left: an ampersand stays itself.
        TextOutA(dc, label.left, label.top, label.text.data(), static_cast<int>(label.text.size()));
    }
    SetTextAlign(dc, oldAlign);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

}  // namespace

LOGFONTA ToLogFont(const FontDescription& font) {
    // The readout draws at the dpi its description was made for.
    LOGFONTA log = LogFontFrom(font, font.dpi);
    if (log.lfHeight == 0) log.lfHeight = FontDescription{}.height;
    // The columns line up only in a monospaced face: where the face is
    // missing, the system's fallback must be one too.
    log.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    return log;
}

void PaintScene(HDC dc, const ReadoutScene& scene, HFONT font, Colour textColour) {
    const int scale = std::max(scene.scale, 1);
    Fill(dc, 0, 0, scene.width, scene.height, kSilver);
    PaintShape(dc, scene.zoom, scene.magnifier, scene.live, kSilver, scale);
    PaintShape(dc, scene.swatch, scene.swatchPixels, scene.live, kWhite, scale);
    if (font) PaintLabels(dc, scene, font, textColour);
    if (scene.bar.visible) PaintBar(dc, scene.bar, scale);
    Outline(dc, 0, 0, scene.width, scene.height, kBlue, scale);
}

}  // namespace pixolet::win32

#include "platform/x11/pixel_format.h"

namespace pixolet::x11 {

PixelFormat::PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask)
    : red_(MakeChannel(redMask)), green_(MakeChannel(greenMask)), blue_(MakeChannel(blueMask)) {}

PixelFormat::Channel PixelFormat::MakeChannel(unsigned long mask) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    while (((mask >> c.shift) & 1UL) == 0) ++c.shift;
    // Only the contiguous run of bits from the lowest one counts.
    while (c.shift + c.bits < static_cast<int>(sizeof(unsigned long) * 8) &&
           ((mask >> (c.shift + c.bits)) & 1UL) != 0)
        ++c.bits;
    // Wider channels than 16 bits do not exist; keep the arithmetic in range.
    if (c.bits > 16) {
        c.shift += c.bits - 16;
        c.bits = 16;
    }
    c.maximum = (1UL << c.bits) - 1;
    c.mask = c.maximum << c.shift;
    return c;
}

std::uint8_t PixelFormat::To8(const Channel& c, unsigned long pixel) {
    if (c.bits == 0) return 0;
    const unsigned long v = (pixel & c.mask) >> c.shift;
    if (c.bits == 8) return static_cast<std::uint8_t>(v);
    return static_cast<std::uint8_t>((v * 255 + c.maximum / 2) / c.maximum);
}

unsigned long PixelFormat::From8(const Channel& c, std::uint8_t value) {
    if (c.bits == 0) return 0;
    const unsigned long v =
        c.bits == 8 ? value : (static_cast<unsigned long>(value) * c.maximum + 127) / 255;
    return v << c.shift;
}

Colour PixelFormat::ToColour(unsigned long pixel) const {
    return MakeColour(To8(red_, pixel), To8(green_, pixel), To8(blue_, pixel));
}

unsigned long PixelFormat::ToPixel(Colour colour) const {
    return From8(red_, RedOf(colour)) | From8(green_, GreenOf(colour)) |
           From8(blue_, BlueOf(colour));
}

bool CanReadRaw(const ImageLayout& layout) {
    switch (layout.bitsPerPixel) {
        case 8:
        case 16:
        case 24:
        case 32:
            return layout.data != nullptr;
        default:
            return false;
    }
}

unsigned long ReadRawPixel(const ImageLayout& layout, int x, int y) {
    const int bytes = layout.bitsPerPixel / 8;
    const auto* p = reinterpret_cast<const unsigned char*>(layout.data) +
                    static_cast<std::ptrdiff_t>(y) * layout.bytesPerLine +
                    static_cast<std::ptrdiff_t>(x) * bytes;
    unsigned long value = 0;
    if (layout.msbFirst) {
        for (int i = 0; i < bytes; ++i) value = (value << 8) | p[i];
    } else {
        for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    }
    return value;
}

}  // namespace pixolet::x11

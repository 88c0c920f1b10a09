// Conversion between the pixel values of an X image or visual and Colours,
// worked out from the visual's channel masks so that any true-colour depth
// (24-bit, 16-bit 5-6-5, 30-bit) reads correctly.
#pragma once

#include <cstdint>

#include "ports/types.h"

namespace pixolet::x11 {

class PixelFormat {
  public:
    PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask);

    // False for visuals without channel masks (colour-mapped ones), whose
    // pixels then read as black.
    bool Valid() const { return red_.bits > 0 && green_.bits > 0 && blue_.bits > 0; }

    Colour ToColour(unsigned long pixel) const;
    unsigned long ToPixel(Colour colour) const;

  private:
    struct Channel {
        unsigned long mask = 0;
        int shift = 0;
        int bits = 0;
        unsigned long maximum = 0;
    };
    static Channel MakeChannel(unsigned long mask);
    static std::uint8_t To8(const Channel& c, unsigned long pixel);
    static unsigned long From8(const Channel& c, std::uint8_t value);

    Channel red_;
    Channel green_;
    Channel blue_;
};

// Where an image's pixels lie in memory, as an XImage describes them.
struct ImageLayout {
    const char* data = nullptr;
    int bytesPerLine = 0;
    int bitsPerPixel = 0;
    bool msbFirst = false;  // the image's byte order
};

// Whether ReadRawPixel understands this layout (8, 16, 24 and 32 bits per
// pixel, either byte order).
bool CanReadRaw(const ImageLayout& layout);
unsigned long ReadRawPixel(const ImageLayout& layout, int x, int y);

}  // namespace pixolet::x11

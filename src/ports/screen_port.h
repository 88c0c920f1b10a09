// Reading and drawing on the whole screen.
#pragma once

#include <cstddef>

#include "ports/types.h"

namespace pixolet {

class ScreenPort {
public:
    virtual ~ScreenPort() = default;

    virtual ScreenPoint CursorPos() = 0;
    // Size of the primary screen in pixels.
    virtual Size PrimarySize() = 0;
    // Reads the block `area` into `out` (row-major, area.Width() per row) in
    // one go. Samples outside every screen get one fixed colour.
    virtual void ReadBlock(const Rect& area, Colour* out) = 0;
    // Single pixels, drawn over every window. Pixels off the screen are
    // skipped on write and read as the fixed colour.
    virtual void ReadPixels(const ScreenPoint* points, Colour* out, std::size_t count) = 0;
    virtual void WritePixels(const ScreenPoint* points, const Colour* colours,
                             std::size_t count) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds, wrapping like a 32-bit tick counter.
    virtual std::uint32_t TickCount() = 0;
};

}  // namespace pixolet

// Value types shared by the portable core and the platform ports.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pixolet {

// A screen pixel as the screen reports it: red in the low byte, green in the
// second, blue in the third, top byte zero.
using Colour = std::uint32_t;

constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr Colour MakeColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kSilver = 0xC0C0C0;
constexpr Colour kBlue = 0xFF0000;  // pure blue in the Colour layout

// Screen coordinates; origin at the primary screen's top-left corner.
struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are exclusive.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr std::int32_t Width() const { return right - left; }
    constexpr std::int32_t Height() const { return bottom - top; }
    constexpr bool Contains(ScreenPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool Empty() const { return right <= left || bottom <= top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.Empty()) return Rect{};
    return r;
}

// An owned, row-major block of Colours. Drawing is clipped to the buffer, the
// way drawing on a window surface is clipped to that surface.
class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, Colour fill = kBlack)
        : width_(std::max(width, 0)), height_(std::max(height, 0)),
          pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    const Colour* Data() const { return pixels_.data(); }

    Colour At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Colour c) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[Index(x, y)] = c;
    }
    // Fills left..right-1 by top..bottom-1, clipped.
    void FillRect(int left, int top, int right, int bottom, Colour c);
    // A line covers its start point and stops one pixel short of its end
    // point. Only horizontal, vertical and 45-degree lines are exact; others
    // use Bresenham steps.
    void Line(int x0, int y0, int x1, int y1, Colour c);

    friend bool operator==(const PixelBuffer&, const PixelBuffer&) = default;

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
};

}  // namespace pixolet

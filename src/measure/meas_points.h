// Measuring points with their on-screen markers, and their geometry.
// A marker is a plus sign of 7 + 7 pixels painted straight onto the screen;
// each point keeps the pixels it covered and puts them back when it goes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "ports/screen_port.h"
#include "ports/types.h"

namespace pixolet {

class ReadoutView;

class TMeasPoint {
  public:
    TMeasPoint(ScreenPort& screen, ScreenPoint at);
    ~TMeasPoint();  // restores the screen
    TMeasPoint(const TMeasPoint&) = delete;
    TMeasPoint& operator=(const TMeasPoint&) = delete;

    void Draw();
    void Restore();

    std::int32_t X;
    std::int32_t Y;
    bool Drawn = false;
    std::array<Colour, 7> SavedHorizontal{};  // (X-3, Y) .. (X+3, Y)
    std::array<Colour, 7> SavedVertical{};    // (X, Y-3) .. (X, Y+3)
    Colour MarkColor = kBlack;

  private:
    ScreenPort& screen_;
};

class TMeasPoints {
  public:
    explicit TMeasPoints(ScreenPort& screen);
    ~TMeasPoints();  // Clear
    TMeasPoints(const TMeasPoints&) = delete;
    TMeasPoints& operator=(const TMeasPoints&) = delete;

    void Add(ScreenPoint at);
    void Clear();
    void Redraw();
    // The window over which markers are not redrawn (the readout window).
    void SetWindow(const ReadoutView* window);

    std::int32_t DeltaX() const;
    std::int32_t DeltaY() const;
    double Distance() const;
    double Area() const;
    // Direction of the segment from the last but one point to the last one
    // (see SegmentAngle); nothing with fewer than two points.
    std::optional<double> Angle() const;

    const std::vector<std::unique_ptr<TMeasPoint>>& Items() const { return items_; }

  private:
    ScreenPort& screen_;
    std::vector<std::unique_ptr<TMeasPoint>> items_;
    const ReadoutView* window_ = nullptr;
};

}  // namespace pixolet

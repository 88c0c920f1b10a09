#include "measure/meas_points.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "measure/angle.h"
#include "ports/readout_view_port.h"

namespace pixolet {

namespace {

constexpr int kArm = 3;             // a stroke reaches 3 pixels each way
constexpr std::size_t kStroke = 7;  // pixels per stroke
constexpr int kMarginAroundWindow = 4;

// A mark must stand out from the pixel it covers. The threshold lies well
// below the middle of the range on purpose: a grey of 100 already gets black.
constexpr int kBlackMarkThreshold = 300;

// The 14 marker positions: the horizontal stroke left to right, then the
// vertical stroke top to bottom. The centre appears in both.
std::array<ScreenPoint, 2 * kStroke> MarkerPixels(std::int32_t x, std::int32_t y) {
    std::array<ScreenPoint, 2 * kStroke> points{};
    for (int i = -kArm; i <= kArm; ++i) {
        points[static_cast<std::size_t>(i + kArm)] = ScreenPoint{x + i, y};
        points[kStroke + static_cast<std::size_t>(i + kArm)] = ScreenPoint{x, y + i};
    }
    return points;
}

// |a - b| without overflowing for coordinates at the ends of the range.
std::int32_t AbsDiff(std::int32_t a, std::int32_t b) {
    const std::int64_t d = std::llabs(static_cast<std::int64_t>(a) - b);
    return d > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                        : static_cast<std::int32_t>(d);
}

}  // namespace

TMeasPoint::TMeasPoint(ScreenPort& screen, ScreenPoint at) : X(at.x), Y(at.y), screen_(screen) {}

TMeasPoint::~TMeasPoint() {
    Restore();
}

void TMeasPoint::Draw() {
    const auto points = MarkerPixels(X, Y);
    if (!Drawn) {
        // Both strokes plus the centre once more, in one read.
        std::array<ScreenPoint, 2 * kStroke + 1> reads{};
        std::copy(points.begin(), points.end(), reads.begin());
        reads.back() = ScreenPoint{X, Y};
        std::array<Colour, 2 * kStroke + 1> saved{};
        screen_.ReadPixels(reads.data(), saved.data(), reads.size());
        std::copy_n(saved.begin(), kStroke, SavedHorizontal.begin());
        std::copy_n(saved.begin() + kStroke, kStroke, SavedVertical.begin());

        const Colour centre = saved.back();
        const int sum = RedOf(centre) + GreenOf(centre) + BlueOf(centre);
        MarkColor = sum >= kBlackMarkThreshold ? kBlack : kWhite;
        Drawn = true;
    }
    std::array<Colour, 2 * kStroke> colours{};
    colours.fill(MarkColor);
    screen_.WritePixels(points.data(), colours.data(), points.size());
}

void TMeasPoint::Restore() {
    if (!Drawn) return;
    // Horizontal first, then vertical: the centre goes back last, from the
    // vertical stroke's copy.
    const auto points = MarkerPixels(X, Y);
    std::array<Colour, 2 * kStroke> colours{};
    std::copy(SavedHorizontal.begin(), SavedHorizontal.end(), colours.begin());
    std::copy(SavedVertical.begin(), SavedVertical.end(), colours.begin() + kStroke);
    screen_.WritePixels(points.data(), colours.data(), points.size());
}

TMeasPoints::TMeasPoints(ScreenPort& screen) : screen_(screen) {}

TMeasPoints::~TMeasPoints() {
    Clear();
}

void TMeasPoints::Add(ScreenPoint at) {
    items_.push_back(std::make_unique<TMeasPoint>(screen_, at));
    items_.back()->Draw();
}

void TMeasPoints::Clear() {
    // Newest first: a newer marker may have saved pixels of an older one, so
    // undoing in reverse leaves the screen as it was before the oldest.
    while (!items_.empty()) items_.pop_back();
}

void TMeasPoints::Redraw() {
    Rect keepOut{};
    if (window_ != nullptr) {
        const Rect b = window_->Bounds();
        keepOut = Rect{b.left - kMarginAroundWindow, b.top - kMarginAroundWindow,
                       b.right + kMarginAroundWindow, b.bottom + kMarginAroundWindow};
    }
    for (const auto& point : items_) {
        // Near the readout window the marker is left alone: the window paints
        // there itself, and drawing would save the window's pixels.
        if (window_ == nullptr || !keepOut.Contains(ScreenPoint{point->X, point->Y})) point->Draw();
    }
}

void TMeasPoints::SetWindow(const ReadoutView* window) {
    // Newest first, for the same reason as Clear.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        (*it)->Restore();
        (*it)->Drawn = false;
    }
    window_ = window;
    Redraw();
}

std::int32_t TMeasPoints::DeltaX() const {
    const std::size_t n = items_.size();
    return n < 2 ? 0 : AbsDiff(items_[n - 1]->X, items_[n - 2]->X);
}

std::int32_t TMeasPoints::DeltaY() const {
    const std::size_t n = items_.size();
    return n < 2 ? 0 : AbsDiff(items_[n - 1]->Y, items_[n - 2]->Y);
}

double TMeasPoints::Distance() const {
    const long double dx = DeltaX();
    const long double dy = DeltaY();
    return static_cast<double>(std::sqrt(dx * dx + dy * dy));
}

std::optional<double> TMeasPoints::Angle() const {
    const std::size_t n = items_.size();
    if (n < 2) return std::nullopt;
    const TMeasPoint& from = *items_[n - 2];
    const TMeasPoint& to = *items_[n - 1];
    return SegmentAngle(ScreenPoint{from.X, from.Y}, ScreenPoint{to.X, to.Y});
}

double TMeasPoints::Area() const {
    const std::size_t n = items_.size();
    if (n < 3) return 0.0;
    // Shoelace sum in 64 bits: a polygon spread over a wide multi-screen
    // desktop can overflow 32 bits.
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const TMeasPoint& a = *items_[i];
        const TMeasPoint& b = *items_[(i + 1) % n];
        sum += (static_cast<std::int64_t>(a.X) - b.X) * (static_cast<std::int64_t>(a.Y) + b.Y);
    }
    return std::fabs(static_cast<double>(sum)) / 2.0;
}

}  // namespace pixolet

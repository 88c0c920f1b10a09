#include "widgets/effects_label.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pixolet {

TurnedPoint TurnPoint(double x, double y, int angleDegrees) {
    const double a = (angleDegrees % 360) * std::numbers::pi / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    // Counter-clockwise as the eye sees it, with y pointing down.
    return TurnedPoint{x * c + y * s, -x * s + y * c};
}

EffectsBox EffectsAutoSize(int textWidth, int textHeight, int angleDegrees) {
    const double w = std::max(textWidth, 0);
    const double h = std::max(textHeight, 0);
    const TurnedPoint corners[] = {TurnPoint(0, 0, angleDegrees), TurnPoint(w, 0, angleDegrees),
                                   TurnPoint(0, h, angleDegrees), TurnPoint(w, h, angleDegrees)};
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const TurnedPoint& p : corners) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    // A tiny epsilon keeps sin(90) style results such as 1e-15 from adding
    // a whole pixel.
    constexpr double kEps = 1e-9;
    const double spanX = maxX - minX;
    const double spanY = maxY - minY;
    EffectsBox box;
    box.width = static_cast<int>(std::ceil(spanX - kEps)) + 2;
    box.height = static_cast<int>(std::ceil(spanY - kEps)) + 2;
    // Equal margins on both sides, rounded to whole pixels; the spare pixel
    // on each side absorbs the rounding.
    box.posX = static_cast<int>(std::lround((box.width - spanX) / 2.0 - minX));
    box.posY = static_cast<int>(std::lround((box.height - spanY) / 2.0 - minY));
    return box;
}

}  // namespace pixolet

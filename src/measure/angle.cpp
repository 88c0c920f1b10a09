#include "measure/angle.h"

#include <cmath>
#include <numbers>

#include "readout/number_text.h"

namespace pixolet {

double SegmentAngle(ScreenPoint from, ScreenPoint to) {
    // Screen y grows downwards; up counts as positive here.
    const double dx = static_cast<double>(to.x) - from.x;
    const double dy = static_cast<double>(from.y) - to.y;
    if (dx == 0.0 && dy == 0.0) return 0.0;
    double degrees = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
    if (degrees < 0.0) degrees += 360.0;
    return degrees >= 360.0 ? 0.0 : degrees;
}

std::string AngleText(double degrees) {
    // Tenths, halves away from zero; 359.95 and above come round to 0.0.
    long long tenths = std::llround(degrees * 10.0);
    tenths %= 3600;
    if (tenths < 0) tenths += 3600;
    std::string number = FormatDecimal(tenths / 10) + '.' + FormatDecimal(tenths % 10);
    std::string text = "a ";
    if (number.size() < 6) text.append(6 - number.size(), ' ');
    text += number;
    text += '\xB0';
    return text;
}

}  // namespace pixolet

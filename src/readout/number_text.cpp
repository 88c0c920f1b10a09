#include "readout/number_text.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace pixolet {

namespace {

std::string PadLeft(std::string digits, int width) {
    if (width > 0 && static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), ' ');
    return digits;
}

}  // namespace

std::string FormatDecimal(std::int64_t value, int width) {
    return PadLeft(std::to_string(value), width);
}

std::string FormatHex(std::uint32_t value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(value));
    return PadLeft(buffer, width);
}

std::string FormatFixed0(double value, int width) {
    if (std::isnan(value)) return PadLeft("nan", width);
    if (std::isinf(value)) return PadLeft(value < 0 ? "-inf" : "inf", width);
    const double rounded = std::round(value);  // halves away from zero
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", rounded == 0.0 ? 0.0 : rounded);
    return PadLeft(buffer, width);
}

int RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kMin = std::numeric_limits<int>::min();
    constexpr double kMax = std::numeric_limits<int>::max();
    if (value <= kMin) return std::numeric_limits<int>::min();
    if (value >= kMax) return std::numeric_limits<int>::max();
    const double whole = std::floor(value);
    const double fraction = value - whole;
    double result = whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) result += 1.0;
    return static_cast<int>(result);
}

}  // namespace pixolet

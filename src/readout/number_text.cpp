#include "readout/number_text.h"

#include <cmath>
#include <cstdio>

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

}  // namespace pixolet

#include "readout/contrast.h"

#include <algorithm>
#include <cmath>

#include "readout/colour_spaces.h"
#include "readout/number_text.h"

namespace pixolet {

namespace {

// The ratio is a quotient of sums of powers, so a ratio that is exactly a
// threshold or a whole hundredth (21 for black against white) can come out a
// few units in the last place below it; a margin far below anything the
// two decimals show keeps such a ratio on its threshold.
constexpr double kTolerance = 1e-9;

}  // namespace

double RelativeLuminance(Colour c) {
    return 0.2126 * LinearLight(RedOf(c)) + 0.7152 * LinearLight(GreenOf(c)) +
           0.0722 * LinearLight(BlueOf(c));
}

double ContrastRatio(Colour a, Colour b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string_view ContrastGrade(double ratio) {
    if (ratio + kTolerance >= 7.0) return "AAA";
    if (ratio + kTolerance >= 4.5) return "AA";
    if (ratio + kTolerance >= 3.0) return "AA large";
    return "fail";
}

std::string ContrastText(Colour a, Colour b) {
    const double ratio = ContrastRatio(a, b);
    // Hundredths, cut: never shows a colour pair as passing a grade it fails.
    const auto hundredths = static_cast<long long>(std::floor(ratio * 100.0 + kTolerance));
    std::string text = FormatDecimal(hundredths / 100);
    text += '.';
    const long long cents = hundredths % 100;
    if (cents < 10) text += '0';
    text += FormatDecimal(cents);
    text += ":1 ";
    text += ContrastGrade(ratio);
    return text;
}

}  // namespace pixolet

// The contrast between two colours as the accessibility guidelines for web
// content (2.x) define it: relative luminances, their ratio, and the grade.
#pragma once

#include <string>
#include <string_view>

#include "ports/types.h"

namespace pixolet {

// 0 for black to 1 for white: 0.2126 R + 0.7152 G + 0.0722 B of the linear
// components.
double RelativeLuminance(Colour c);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black
// against white. The order of the two colours does not matter.
double ContrastRatio(Colour a, Colour b);

// "AAA" from 7, "AA" from 4.5, "AA large" from 3, else "fail", judged on
// the exact ratio.
std::string_view ContrastGrade(double ratio);

// The readout's contrast line: the ratio with two decimals, cut rather than
// rounded (4.499 shows as 4.49), ":1", a blank and the grade:
// "12.71:1 AAA".
std::string ContrastText(Colour a, Colour b);

// The widest contrast line, for the layout: a grade of "AA large" needs a
// ratio below 4.5, so one digit before the point.
inline constexpr std::string_view kWidestContrastText = "8.88:1 AA large";

}  // namespace pixolet

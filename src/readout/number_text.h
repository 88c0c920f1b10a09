// The number formats of labels and clipboard texts: a width pads on the left
// with blanks (never zeros) and a wider value widens the field.
#pragma once

#include <cstdint>
#include <string>

namespace pixolet {

// "%<width>d"
std::string FormatDecimal(std::int64_t value, int width = 0);
// "%<width>x", upper-case digits
std::string FormatHex(std::uint32_t value, int width = 0);
// "%<width>.0f" with halves rounded away from zero (C's printf rounds them
// to even, which would show an area of 0.5 as 0).
std::string FormatFixed0(double value, int width = 0);

// Nearest integer, a tie going to the even one, for reals rounded outside
// text formatting (the screen diagonal, the distance bar). Values beyond the
// int range saturate.
int RoundHalfEven(double value);

}  // namespace pixolet

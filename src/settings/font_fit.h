// Point sizes of the readout font. A FontDescription holds its size as a
// height in pixels (negative: a character height, without internal leading)
// at `dpi` pixels per inch; a point size is derived from it and back.
#pragma once

#include "settings/settings.h"

namespace pixolet {

// The point sizes the program accepts; a stored size outside them is pulled
// to the nearest end, so that a damaged store cannot make absurd heights.
// A size of 0 gives the height 0, the default size; a negative size gives a
// positive height, a cell height in pixels (with internal leading). Both
// give the same size back, so they survive a save.
constexpr int kMaxPointSize = 1638;
constexpr int kMinPointSize = -kMaxPointSize;
// A font's dpi of 0 or less counts as 96; one above this limit as the limit.
constexpr int kMaxFontDpi = 9600;

// number * numerator / denominator rounded to the nearest integer, halves
// away from zero; -1 when the denominator is 0 or the result does not fit,
// as the platform's MulDiv does.
int MulDiv(int number, int numerator, int denominator);

// The size in points that the font's height gives: -MulDiv(height, 72, dpi).
int PointSizeOf(const FontDescription& font);

// Sets the height to -MulDiv(points, dpi, 72), points pulled into
// kMinPointSize..kMaxPointSize.
void SetPointSize(FontDescription& font, int points);

// Run right after a point size has been set: moves the height to the one
// nearest zero (the smallest character) that still gives the same point
// size. At 96 dpi, 8 points become a 10-pixel character, not 11.
void FitFontHeight(FontDescription& font);

}  // namespace pixolet

// The direction of a measured segment.
#pragma once

#include <string>

#include "ports/types.h"

namespace pixolet {

// Degrees counter-clockwise from the positive x axis, with up on the screen
// as positive: 0 <= angle < 360. (100, 100) to (200, 0) is 45; to
// (100, 200) it is 270. A segment of no length has the angle 0.
double SegmentAngle(ScreenPoint from, ScreenPoint to);

// The measuring column's angle label: "a", a blank, the angle with one
// decimal in a field of six, and the degree sign (Latin-1 0xB0):
// "a   45.0\xB0". An angle that rounds to 360.0 shows as 0.0.
std::string AngleText(double degrees);

}  // namespace pixolet

// The refresh rate of the display, for pacing the readout to its frames.
#pragma once

typedef struct _XDisplay Display;

namespace pixolet::x11 {

// Frames per second of the CRTC showing the primary output (or the first
// active one) as RandR reports it; 0 when it cannot be read.
double RefreshRate(Display* display);

}  // namespace pixolet::x11

// Under a Wayland session the program talks to Xwayland, which shows it only
// the windows, pixels and input of other X11 programs. The user is told so
// once, at start, on standard error.
#pragma once

typedef struct _XDisplay Display;

namespace pixolet::x11 {

// The X server is Xwayland: it announces its XWAYLAND extension.
bool IsXwayland(Display* display);

// Writes the notice to standard error when `display` is Xwayland.
void NoteXwayland(Display* display);

}  // namespace pixolet::x11

#include "platform/x11/xwayland_notice.h"

#include <X11/Xlib.h>

#include <cstdio>

namespace pixolet::x11 {

bool IsXwayland(Display* display) {
    if (display == nullptr) return false;
    int opcode = 0;
    int firstEvent = 0;
    int firstError = 0;
    return XQueryExtension(display, "XWAYLAND", &opcode, &firstEvent, &firstError) != 0;
}

void NoteXwayland(Display* display) {
    if (!IsXwayland(display)) return;
    std::fputs(
        "pixolet: the X server is Xwayland, so this is a Wayland session: Pixolet sees\n"
        "pixolet: only the windows of X11 programs. Over the windows of Wayland programs\n"
        "pixolet: it reads no colours, and its shortcuts do not act while they have the\n"
        "pixolet: focus.\n",
        stderr);
}

}  // namespace pixolet::x11

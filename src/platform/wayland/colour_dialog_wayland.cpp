#include "platform/wayland/colour_dialog_wayland.h"

#include "actions/dialog_paste_worker.h"
#include "ports/accessibility_port.h"

namespace pixolet::wayland {

bool WaylandColourDialog::PasteIntoToolkitDialog(Colour colour) {
    if (!worker_) return false;
    return worker_->Post(DialogPasteJob{kAnyOtherProcess, colour});
}

}  // namespace pixolet::wayland

#include "platform/x11/colour_dialog_x11.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>

#include "actions/dialog_paste_worker.h"
#include "platform/x11/desktop_x11.h"
#include "platform/x11/x11_util.h"

namespace pixolet::x11 {
namespace {

std::optional<XProperty> ReadNamedProperty(Display* display, Window window, const char* name,
                                           Atom type, long maxItems) {
    return ReadProperty(display, window, XInternAtom(display, name, False), type, maxItems);
}

// Format-32 items come as longs whatever the platform's word size.
const unsigned long* Longs(const XProperty& p) {
    return reinterpret_cast<const unsigned long*>(p.data.get());
}

bool IsDialogWindow(Display* display, Window window) {
    if (const auto types = ReadNamedProperty(display, window, "_NET_WM_WINDOW_TYPE", XA_ATOM, 32);
        types && types->format == 32 && types->items > 0) {
        // The first type the window manager understands counts; dialogs name
        // theirs first.
        return Longs(*types)[0] == XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    }
    // Without a type, a transient window is a dialog.
    Window owner = 0;
    XErrorTrap trap(display, false);
    return XGetTransientForHint(display, window, &owner) && !trap.Failed() && owner != 0;
}

// A window without WM_CLIENT_MACHINE is taken to be local.
bool IsLocalClient(Display* display, Window window) {
    const auto machine =
        ReadNamedProperty(display, window, "WM_CLIENT_MACHINE", AnyPropertyType, 256);
    if (!machine || machine->format != 8) return true;
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof host - 1) != 0) return true;
    const std::string client(reinterpret_cast<const char*>(machine->data.get()), machine->items);
    return client == host;
}

}  // namespace

std::optional<int> DialogWindowProcess(Display* display, unsigned long window) {
    if (!display || window == 0 || !IsDialogWindow(display, window)) return std::nullopt;
    const auto pid = ReadNamedProperty(display, window, "_NET_WM_PID", XA_CARDINAL, 1);
    if (!pid || pid->format != 32 || pid->items < 1) return std::nullopt;
    const unsigned long value = Longs(*pid)[0];
    if (value == 0 || value > static_cast<unsigned long>(INT_MAX)) return std::nullopt;
    if (!IsLocalClient(display, window)) return std::nullopt;
    return static_cast<int>(value);
}

X11ColourDialog::X11ColourDialog(DialogPasteWorker* worker, const char* displayName)
    : display_(displayName), worker_(worker) {}

std::optional<std::string> X11ColourDialog::ActiveWindowClass() {
    if (!display_) return std::nullopt;
    const unsigned long active = ActiveWindow(display_.get());
    if (active == 0) return std::nullopt;
    return WindowClass(display_.get(), active).value_or(std::string());
}

void X11ColourDialog::SetFieldText(int, const std::string&) {}

bool X11ColourDialog::PasteIntoToolkitDialog(Colour colour) {
    if (!worker_ || !display_) return false;
    const auto pid = DialogWindowProcess(display_.get(), ActiveWindow(display_.get()));
    // Our own dialogs are never a target.
    if (!pid || *pid == static_cast<int>(getpid())) return false;
    return worker_->Post(DialogPasteJob{*pid, colour});
}

}  // namespace pixolet::x11

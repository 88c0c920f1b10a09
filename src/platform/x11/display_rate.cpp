#include "platform/x11/display_rate.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>

namespace pixolet::x11 {

namespace {

struct ResourcesFree {
    void operator()(XRRScreenResources* r) const { XRRFreeScreenResources(r); }
};
struct CrtcFree {
    void operator()(XRRCrtcInfo* c) const { XRRFreeCrtcInfo(c); }
};
struct OutputFree {
    void operator()(XRROutputInfo* o) const { XRRFreeOutputInfo(o); }
};

double ModeRate(const XRRModeInfo& mode) {
    double lines = mode.vTotal;
    if (mode.modeFlags & RR_DoubleScan) lines *= 2;
    if (mode.modeFlags & RR_Interlace) lines /= 2;
    if (mode.hTotal == 0 || lines <= 0) return 0.0;
    return static_cast<double>(mode.dotClock) / (mode.hTotal * lines);
}

double CrtcRate(Display* display, XRRScreenResources* resources, RRCrtc crtc) {
    if (crtc == 0) return 0.0;
    const std::unique_ptr<XRRCrtcInfo, CrtcFree> info(XRRGetCrtcInfo(display, resources, crtc));
    if (!info || info->mode == 0) return 0.0;
    for (int i = 0; i < resources->nmode; ++i)
        if (resources->modes[i].id == info->mode) return ModeRate(resources->modes[i]);
    return 0.0;
}

}  // namespace

double RefreshRate(Display* display) {
    int event = 0;
    int error = 0;
    if (!display || !XRRQueryExtension(display, &event, &error)) return 0.0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 3))
        return 0.0;
    const Window root = DefaultRootWindow(display);
    const std::unique_ptr<XRRScreenResources, ResourcesFree> resources(
        XRRGetScreenResourcesCurrent(display, root));
    if (!resources) return 0.0;
    // The primary output's CRTC first, then the first CRTC that shows a mode.
    if (const RROutput primary = XRRGetOutputPrimary(display, root); primary != 0) {
        const std::unique_ptr<XRROutputInfo, OutputFree> output(
            XRRGetOutputInfo(display, resources.get(), primary));
        if (output) {
            const double rate = CrtcRate(display, resources.get(), output->crtc);
            if (rate > 0.0) return rate;
        }
    }
    for (int i = 0; i < resources->ncrtc; ++i) {
        const double rate = CrtcRate(display, resources.get(), resources->crtcs[i]);
        if (rate > 0.0) return rate;
    }
    return 0.0;
}

}  // namespace pixolet::x11

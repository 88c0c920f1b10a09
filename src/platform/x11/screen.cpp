#include "platform/x11/screen.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/x11/x11_util.h"

namespace pixolet::x11 {
namespace {

// A bounding box of scattered points larger than this is read point by point
// rather than in one image.
constexpr long long kMaxBoundingArea = 256 * 256;

}  // namespace

X11Screen::X11Screen(const char* displayName) : display_(displayName) {
    Display* dpy = display_.get();
    if (!dpy) return;
    const int screen = DefaultScreen(dpy);
    root_ = RootWindow(dpy, screen);
    size_ = Size{DisplayWidth(dpy, screen), DisplayHeight(dpy, screen)};
    const Visual* visual = DefaultVisual(dpy, screen);
    visualFormat_ = PixelFormat(visual->red_mask, visual->green_mask, visual->blue_mask);
    // The root's size changes with the screen configuration; its
    // ConfigureNotify keeps size_ current without a round trip per run.
    XSelectInput(dpy, root_, StructureNotifyMask);
    // IncludeInferiors lets the markers paint over the windows on the root;
    // the default ClipByChildren would only reach the bare desktop.
    XGCValues values{};
    values.subwindow_mode = IncludeInferiors;
    values.graphics_exposures = False;
    markerGc_ = std::make_unique<XGc>(dpy, root_, GCSubwindowMode | GCGraphicsExposures, &values);
}

X11Screen::~X11Screen() {
    // The graphics context goes before its connection.
    markerGc_.reset();
}

void X11Screen::ProcessEvents() {
    Display* dpy = display_.get();
    while (XPending(dpy) > 0) {
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type == ConfigureNotify && event.xconfigure.window == root_) {
            size_ = Size{event.xconfigure.width, event.xconfigure.height};
        } else if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        }
    }
}

ScreenPoint X11Screen::CursorPos() {
    Display* dpy = display_.get();
    if (!dpy) return lastCursor_;
    Window rootReturn = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int winX = 0;
    int winY = 0;
    unsigned int mask = 0;
    XErrorTrap trap(dpy, false);
    // False: the pointer is on another screen of a multi-screen display; the
    // last known position is the best answer then.
    if (XQueryPointer(dpy, root_, &rootReturn, &child, &rootX, &rootY, &winX, &winY, &mask) &&
        !trap.Failed())
        lastCursor_ = ScreenPoint{rootX, rootY};
    return lastCursor_;
}

Size X11Screen::PrimarySize() {
    if (display_) ProcessEvents();
    return size_;
}

bool X11Screen::GetImage(const Rect& area, Colour* out, int stride) {
    Display* dpy = display_.get();
    XImagePtr image;
    {
        XErrorTrap trap(dpy, false);
        image.reset(XGetImage(dpy, root_, area.left, area.top, static_cast<unsigned>(area.Width()),
                              static_cast<unsigned>(area.Height()), AllPlanes, ZPixmap));
        if (trap.Failed()) image.reset();
    }
    if (!image) return false;
    PixelFormat format(image->red_mask, image->green_mask, image->blue_mask);
    if (!format.Valid()) format = visualFormat_;
    const ImageLayout layout{image->data, image->bytes_per_line, image->bits_per_pixel,
                             image->byte_order == MSBFirst};
    const bool raw = CanReadRaw(layout);
    const int width = area.Width();
    const int height = area.Height();
    for (int y = 0; y < height; ++y) {
        Colour* row = out + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel =
                raw ? ReadRawPixel(layout, x, y) : XGetPixel(image.get(), x, y);
            row[x] = format.ToColour(pixel);
        }
    }
    return true;
}

void X11Screen::ReadBlock(const Rect& area, Colour* out) {
    const int width = std::max(area.Width(), 0);
    const int height = std::max(area.Height(), 0);
    std::fill_n(out, static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                kOffScreenColour);
    if (!display_ || width == 0 || height == 0) return;
    ProcessEvents();
    // A request that reaches beyond the root fails as a whole (BadMatch):
    // read the part on the screen, the rest keeps the fixed colour.
    const Rect visible = Intersect(area, RootRect());
    if (visible.Empty()) return;
    Colour* first = out + static_cast<std::ptrdiff_t>(visible.top - area.top) * width +
                    (visible.left - area.left);
    if (!GetImage(visible, first, width)) {
        // The screen may have shrunk since the last configure event.
        std::fill_n(out, static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                    kOffScreenColour);
    }
}

void X11Screen::ReadPixels(const ScreenPoint* points, Colour* out, std::size_t count) {
    std::fill_n(out, count, kOffScreenColour);
    if (!display_ || count == 0) return;
    ProcessEvents();
    const Rect screen = RootRect();
    Rect box{std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(),
             std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min()};
    for (std::size_t i = 0; i < count; ++i) {
        if (!screen.Contains(points[i])) continue;
        box.left = std::min(box.left, points[i].x);
        box.top = std::min(box.top, points[i].y);
        box.right = std::max(box.right, points[i].x + 1);
        box.bottom = std::max(box.bottom, points[i].y + 1);
    }
    if (box.Empty()) return;
    const long long area = static_cast<long long>(box.Width()) * box.Height();
    if (area > kMaxBoundingArea) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!screen.Contains(points[i])) continue;
            GetImage(Rect{points[i].x, points[i].y, points[i].x + 1, points[i].y + 1}, out + i, 1);
        }
        return;
    }
    std::vector<Colour> block(static_cast<std::size_t>(area), kOffScreenColour);
    if (!GetImage(box, block.data(), box.Width())) return;
    for (std::size_t i = 0; i < count; ++i) {
        if (!box.Contains(points[i])) continue;
        out[i] = block[static_cast<std::size_t>(points[i].y - box.top) *
                           static_cast<std::size_t>(box.Width()) +
                       static_cast<std::size_t>(points[i].x - box.left)];
    }
}

void X11Screen::WritePixels(const ScreenPoint* points, const Colour* colours, std::size_t count) {
    if (!display_ || !markerGc_ || !*markerGc_ || count == 0) return;
    ProcessEvents();
    Display* dpy = display_.get();
    const Rect screen = RootRect();
    XErrorTrap trap(dpy);  // syncs on exit: the pixels are on the screen on return
    bool haveForeground = false;
    Colour foreground = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!screen.Contains(points[i])) continue;
        if (!haveForeground || colours[i] != foreground) {
            foreground = colours[i];
            haveForeground = true;
            XSetForeground(dpy, markerGc_->get(), visualFormat_.ToPixel(foreground));
        }
        XDrawPoint(dpy, root_, markerGc_->get(), points[i].x, points[i].y);
    }
    XFlush(dpy);
}

}  // namespace pixolet::x11

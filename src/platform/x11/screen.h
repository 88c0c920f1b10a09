// The whole screen as the root window of the X display: pointer position,
// size, pixel reads with XGetImage and marker pixels drawn over every window.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/x11/pixel_format.h"
#include "platform/x11/x11_display.h"
#include "ports/screen_port.h"

namespace pixolet::x11 {

class XGc;

// Pixels outside the root window (beyond the desktop's edge) read as this.
constexpr Colour kOffScreenColour = kBlack;

// Uses a connection of its own (it drains that connection's events), from
// the GUI thread only.
class X11Screen : public ScreenPort {
  public:
    explicit X11Screen(const char* displayName = nullptr);
    ~X11Screen() override;
    X11Screen(const X11Screen&) = delete;
    X11Screen& operator=(const X11Screen&) = delete;

    // False when the display could not be opened; every operation is then
    // harmless and reads black.
    bool IsOpen() const { return static_cast<bool>(display_); }
    Display* display() const { return display_.get(); }

    ScreenPoint CursorPos() override;
    Size PrimarySize() override;
    void ReadBlock(const Rect& area, Colour* out) override;
    void ReadPixels(const ScreenPoint* points, Colour* out, std::size_t count) override;
    void WritePixels(const ScreenPoint* points, const Colour* colours, std::size_t count) override;

  private:
    Rect RootRect() const { return Rect{0, 0, size_.width, size_.height}; }
    void ProcessEvents();
    // One XGetImage of `area` (inside the root) into `out`, `stride` Colours
    // per row. False when the server refused it.
    bool GetImage(const Rect& area, Colour* out, int stride);

    XDisplay display_;
    unsigned long root_ = 0;
    Size size_{};
    PixelFormat visualFormat_{0, 0, 0};
    std::unique_ptr<XGc> markerGc_;
    ScreenPoint lastCursor_{};
};

}  // namespace pixolet::x11

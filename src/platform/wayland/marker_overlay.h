// The measuring markers. A Wayland client cannot write the screen's pixels,
// so the markers are drawn, in the look they have on X11 (a plus of 7 + 7
// pixels in black or white), on a transparent layer surface over the
// pointer's output that takes no input. The core's point list is the truth:
// the overlay shows exactly its drawn points and goes when there are none
// (reset, leaving measuring mode, quit).
#pragma once

#include <memory>
#include <vector>

#include "ports/types.h"

struct wl_output;

namespace pixolet::wayland {

class WaylandConnection;
class LayerSurface;
class ShmBuffer;

struct Marker {
    ScreenPoint at{};
    Colour colour = kBlack;
    friend bool operator==(const Marker&, const Marker&) = default;
};

class MarkerOverlay {
  public:
    explicit MarkerOverlay(WaylandConnection& connection);
    ~MarkerOverlay();
    MarkerOverlay(const MarkerOverlay&) = delete;
    MarkerOverlay& operator=(const MarkerOverlay&) = delete;

    // Shows these markers (output-local coordinates) on `output`.
    void Show(wl_output* output, const std::vector<Marker>& markers);
    bool Shown() const { return static_cast<bool>(surface_); }

  private:
    void Paint();

    WaylandConnection& connection_;
    wl_output* output_ = nullptr;
    std::vector<Marker> markers_;
    std::unique_ptr<LayerSurface> surface_;
    std::vector<std::unique_ptr<ShmBuffer>> buffers_;
};

}  // namespace pixolet::wayland

// The pick session's overlay: one transparent layer surface over each whole
// output that takes the pointer, and on one of them the keyboard while the
// session lasts (exclusive keyboard interactivity). Wayland tells a client
// the pointer's position only over its own surfaces, so this is how the
// readout can follow the pointer anywhere.
#pragma once

#include <memory>
#include <vector>

struct wl_surface;
struct wl_output;

namespace pixolet::wayland {

class WaylandConnection;
class LayerSurface;
class ShmBuffer;

class SessionOverlay {
  public:
    explicit SessionOverlay(WaylandConnection& connection);
    ~SessionOverlay();
    SessionOverlay(const SessionOverlay&) = delete;
    SessionOverlay& operator=(const SessionOverlay&) = delete;

    void Start();
    void End();
    bool Active() const { return active_; }
    // The outputs changed: cover the new set.
    void OutputsChanged();
    // The output a surface of the overlay covers; null for other surfaces.
    wl_output* OutputOf(wl_surface* surface) const;

  private:
    struct Cover;
    void AddCover(wl_output* output, bool keyboard);

    WaylandConnection& connection_;
    std::vector<std::unique_ptr<Cover>> covers_;
    bool active_ = false;
};

}  // namespace pixolet::wayland

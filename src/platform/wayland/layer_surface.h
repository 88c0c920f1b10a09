// A surface of our own on the compositor's overlay layer (layer-shell): the
// readout, the pick session's overlay and the measuring markers. The
// compositor sizes and places it by anchors and margins and tells its size
// in a configure event; nothing may be attached before that.
#pragma once

#include <cstdint>
#include <functional>

struct wl_surface;
struct wl_output;
struct zwlr_layer_surface_v1;

namespace pixolet::wayland {

class WaylandConnection;

class LayerSurface {
  public:
    // `onConfigure` gets the size the compositor chose; `onClosed` runs when
    // the compositor takes the surface away (its output went).
    LayerSurface(WaylandConnection& connection, wl_output* output, const char* role,
                 std::function<void(int, int)> onConfigure, std::function<void()> onClosed);
    ~LayerSurface();
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    bool Valid() const { return layer_ != nullptr; }
    wl_surface* Surface() const { return surface_; }
    zwlr_layer_surface_v1* Layer() const { return layer_; }
    wl_output* Output() const { return output_; }
    bool Configured() const { return configured_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // No pointer or touch input ever reaches it: events go to what is below.
    void ClearInputRegion();
    void Commit();

  private:
    static void Configure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial,
                          std::uint32_t width, std::uint32_t height);
    static void Closed(void* data, zwlr_layer_surface_v1* layer);

    WaylandConnection& connection_;
    wl_output* output_;
    wl_surface* surface_ = nullptr;
    zwlr_layer_surface_v1* layer_ = nullptr;
    std::function<void(int, int)> onConfigure_;
    std::function<void()> onClosed_;
    bool configured_ = false;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace pixolet::wayland

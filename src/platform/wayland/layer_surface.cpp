#include "platform/wayland/layer_surface.h"

#include <wayland-client.h>

#include "platform/wayland/protocols.h"
#include "platform/wayland/wayland_connection.h"

namespace pixolet::wayland {

LayerSurface::LayerSurface(WaylandConnection& connection, wl_output* output, const char* role,
                           std::function<void(int, int)> onConfigure,
                           std::function<void()> onClosed)
    : connection_(connection),
      output_(output),
      onConfigure_(std::move(onConfigure)),
      onClosed_(std::move(onClosed)) {
    if (!connection.Compositor() || !connection.LayerShell()) return;
    surface_ = wl_compositor_create_surface(connection.Compositor());
    layer_ = zwlr_layer_shell_v1_get_layer_surface(connection.LayerShell(), surface_, output,
                                                   ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, role);
    static const zwlr_layer_surface_v1_listener listener = {Configure, Closed};
    zwlr_layer_surface_v1_add_listener(layer_, &listener, this);
    // Panels' exclusive zones do not push it about: it lies where placed.
    zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
}

LayerSurface::~LayerSurface() {
    if (layer_) zwlr_layer_surface_v1_destroy(layer_);
    if (surface_) wl_surface_destroy(surface_);
    connection_.Flush();
}

void LayerSurface::ClearInputRegion() {
    wl_region* empty = wl_compositor_create_region(connection_.Compositor());
    wl_surface_set_input_region(surface_, empty);
    wl_region_destroy(empty);
}

void LayerSurface::Commit() {
    wl_surface_commit(surface_);
    connection_.Flush();
}

void LayerSurface::Configure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial,
                             std::uint32_t width, std::uint32_t height) {
    auto* self = static_cast<LayerSurface*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    self->configured_ = true;
    self->width_ = static_cast<int>(width);
    self->height_ = static_cast<int>(height);
    if (self->onConfigure_) self->onConfigure_(self->width_, self->height_);
}

void LayerSurface::Closed(void* data, zwlr_layer_surface_v1*) {
    auto* self = static_cast<LayerSurface*>(data);
    if (self->onClosed_) {
        // The callback may destroy this object: it runs last.
        const auto closed = self->onClosed_;
        closed();
    }
}

}  // namespace pixolet::wayland

#include "platform/wayland/marker_overlay.h"

#include <wayland-client.h>

#include <cstring>

#include "platform/wayland/layer_surface.h"
#include "platform/wayland/protocols.h"
#include "platform/wayland/shm_buffer.h"
#include "platform/wayland/wayland_connection.h"

namespace pixolet::wayland {

namespace {

constexpr int kArm = 3;  // a stroke reaches 3 pixels each way

}  // namespace

MarkerOverlay::MarkerOverlay(WaylandConnection& connection) : connection_(connection) {}

MarkerOverlay::~MarkerOverlay() {
    surface_.reset();
    buffers_.clear();
}

void MarkerOverlay::Show(wl_output* output, const std::vector<Marker>& markers) {
    if (markers.empty()) {
        markers_.clear();
        if (surface_) {
            surface_.reset();
            buffers_.clear();
        }
        return;
    }
    if (surface_ && output == output_ && markers == markers_) return;
    markers_ = markers;
    if (!surface_ || output != output_) {
        surface_.reset();
        buffers_.clear();
        output_ = output;
        surface_ = std::make_unique<LayerSurface>(
            connection_, output, "pixolet-markers", [this](int, int) { Paint(); },
            [this] { surface_.reset(); });
        if (!surface_->Valid()) {
            surface_.reset();
            return;
        }
        zwlr_layer_surface_v1* layer = surface_->Layer();
        zwlr_layer_surface_v1_set_anchor(
            layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                       ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        zwlr_layer_surface_v1_set_size(layer, 0, 0);
        zwlr_layer_surface_v1_set_keyboard_interactivity(
            layer, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
        surface_->ClearInputRegion();
        surface_->Commit();
        return;  // painted at the configure
    }
    Paint();
}

void MarkerOverlay::Paint() {
    if (!surface_ || !surface_->Configured()) return;
    const int width = surface_->Width();
    const int height = surface_->Height();
    if (width <= 0 || height <= 0) return;
    ShmBuffer* free = nullptr;
    for (const auto& b : buffers_)
        if (!b->Busy() && b->Width() == width && b->Height() == height) free = b.get();
    if (!free) {
        auto buffer =
            std::make_unique<ShmBuffer>(connection_.Shm(), width, height, WL_SHM_FORMAT_ARGB8888);
        if (!buffer->Valid()) return;
        free = buffer.get();
        buffers_.push_back(std::move(buffer));
    }
    std::memset(free->Data(), 0,
                static_cast<std::size_t>(free->Stride()) * static_cast<std::size_t>(height));
    for (const Marker& m : markers_) {
        const std::uint32_t pixel = 0xFF000000u | (std::uint32_t{RedOf(m.colour)} << 16) |
                                    (std::uint32_t{GreenOf(m.colour)} << 8) | BlueOf(m.colour);
        auto put = [&](int x, int y) {
            if (x < 0 || y < 0 || x >= width || y >= height) return;
            reinterpret_cast<std::uint32_t*>(free->Data() + static_cast<std::ptrdiff_t>(y) *
                                                                free->Stride())[x] = pixel;
        };
        for (int i = -kArm; i <= kArm; ++i) {
            put(m.at.x + i, m.at.y);
            put(m.at.x, m.at.y + i);
        }
    }
    wl_surface* surface = surface_->Surface();
    wl_surface_attach(surface, free->Buffer(), 0, 0);
    wl_surface_damage_buffer(surface, 0, 0, width, height);
    free->MarkBusy();
    surface_->Commit();
}

}  // namespace pixolet::wayland

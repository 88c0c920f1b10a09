#include "platform/wayland/session_overlay.h"

#include <wayland-client.h>

#include "platform/wayland/layer_surface.h"
#include "platform/wayland/protocols.h"
#include "platform/wayland/shm_buffer.h"
#include "platform/wayland/wayland_connection.h"

namespace pixolet::wayland {

struct SessionOverlay::Cover {
    std::unique_ptr<LayerSurface> surface;
    std::unique_ptr<ShmBuffer> buffer;
};

SessionOverlay::SessionOverlay(WaylandConnection& connection) : connection_(connection) {}

SessionOverlay::~SessionOverlay() {
    End();
}

void SessionOverlay::Start() {
    if (active_) return;
    active_ = true;
    bool keyboard = true;
    for (const auto& output : connection_.Outputs()) {
        AddCover(output->output, keyboard);
        keyboard = false;
    }
    connection_.Flush();
}

void SessionOverlay::End() {
    if (!active_) return;
    active_ = false;
    covers_.clear();
    connection_.Flush();
}

void SessionOverlay::OutputsChanged() {
    if (!active_) return;
    End();
    Start();
}

void SessionOverlay::AddCover(wl_output* output, bool keyboard) {
    auto cover = std::make_unique<Cover>();
    Cover* raw = cover.get();
    cover->surface = std::make_unique<LayerSurface>(
        connection_, output, "pixolet-session",
        [this, raw, output](int width, int height) {
            if (Output* o = connection_.FindOutput(output)) {
                o->logicalWidth = width;
                o->logicalHeight = height;
            }
            if (width <= 0 || height <= 0) return;
            if (!raw->buffer || raw->buffer->Width() != width || raw->buffer->Height() != height) {
                // All zero: fully transparent. The surface is there for the
                // input only.
                raw->buffer = std::make_unique<ShmBuffer>(connection_.Shm(), width, height,
                                                          WL_SHM_FORMAT_ARGB8888);
            }
            if (!raw->buffer->Valid()) return;
            wl_surface_attach(raw->surface->Surface(), raw->buffer->Buffer(), 0, 0);
            wl_surface_damage_buffer(raw->surface->Surface(), 0, 0, width, height);
            raw->surface->Commit();
        },
        [this] {
            // Its output went: the next change of outputs covers anew.
            connection_.Flush();
        });
    if (!cover->surface->Valid()) return;
    zwlr_layer_surface_v1* layer = cover->surface->Layer();
    zwlr_layer_surface_v1_set_anchor(
        layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                   ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_size(layer, 0, 0);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layer, keyboard ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE
                        : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    cover->surface->Commit();
    covers_.push_back(std::move(cover));
}

wl_output* SessionOverlay::OutputOf(wl_surface* surface) const {
    for (const auto& cover : covers_)
        if (cover->surface && cover->surface->Surface() == surface) return cover->surface->Output();
    return nullptr;
}

}  // namespace pixolet::wayland

#include "platform/wayland/readout_surface.h"

#include <wayland-client.h>

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "platform/wayland/layer_surface.h"
#include "platform/wayland/protocols.h"
#include "platform/wayland/shm_buffer.h"
#include "platform/wayland/wayland_connection.h"
#include "readout/readout_window.h"

namespace pixolet::wayland {

namespace {

// More would mean the compositor holds them all: it has not shown the
// earlier ones yet, and a newer picture replaces them anyway.
constexpr std::size_t kMaxBuffers = 3;

}  // namespace

ReadoutSurface::ReadoutSurface(WaylandConnection& connection) : connection_(connection) {
    SetFont(FontDescription{});
}

ReadoutSurface::~ReadoutSurface() {
    surface_.reset();
    buffers_.clear();
}

void ReadoutSurface::Attach(TfrmPixoletMain* window, linux_common::PopupMenu* menu,
                            linux_common::CoreCall guard) {
    window_ = window;
    menu_ = menu;
    guard_ = std::move(guard);
}

int ReadoutSurface::TextWidth(std::string_view text) const {
    return painter_.TextWidth(text);
}

int ReadoutSurface::TextHeight(std::string_view) const {
    return painter_.TextHeight();
}

Rect ReadoutSurface::Bounds() const {
    return Rect{left_, top_, left_ + width_, top_ + height_};
}

void ReadoutSurface::Move(int left, int top) {
    if (left == left_ && top == top_) return;
    left_ = left;
    top_ = top;
    if (!surface_) return;
    zwlr_layer_surface_v1_set_margin(surface_->Layer(), top_, 0, 0, left_);
    surface_->Commit();
}

void ReadoutSurface::Resize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    painted_.Invalidate();
    if (!surface_) return;
    zwlr_layer_surface_v1_set_size(surface_->Layer(), static_cast<std::uint32_t>(width_),
                                   static_cast<std::uint32_t>(height_));
    // The new size comes with the next picture.
    Repaint(true);
}

void ReadoutSurface::Show() {
    if (visible_) return;
    visible_ = true;
    // The session's overlay first: surfaces made later lie above it.
    if (visibilityObserver_) visibilityObserver_(true);
    CreateSurface();
}

void ReadoutSurface::Hide() {
    if (!visible_) return;
    visible_ = false;
    surface_.reset();
    if (visibilityObserver_) visibilityObserver_(false);
}

void ReadoutSurface::FollowOutput() {
    if (!visible_ || !outputSource_ || outputSource_() == output_) return;
    CreateSurface();
}

void ReadoutSurface::CreateSurface() {
    surface_.reset();
    output_ = outputSource_ ? outputSource_() : nullptr;
    surface_ = std::make_unique<LayerSurface>(
        connection_, output_, "pixolet-readout", [this](int, int) { Repaint(true); },
        [this] {
            // Its output went: on the pointer's output again, later.
            surface_.reset();
        });
    if (!surface_->Valid()) {
        surface_.reset();
        return;
    }
    zwlr_layer_surface_v1* layer = surface_->Layer();
    zwlr_layer_surface_v1_set_anchor(
        layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
    zwlr_layer_surface_v1_set_size(layer, static_cast<std::uint32_t>(width_),
                                   static_cast<std::uint32_t>(height_));
    zwlr_layer_surface_v1_set_margin(layer, top_, 0, 0, left_);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layer, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    surface_->ClearInputRegion();
    // The first commit carries no picture; the configure answers it.
    surface_->Commit();
    painted_.Invalidate();
}

void ReadoutSurface::Repaint(bool now) {
    if (!surface_ || !surface_->Configured()) return;
    if (now || !window_) painted_.Invalidate();
    if (!window_) {
        PaintAndPresent(QRegion(0, 0, width_, height_));
        return;
    }
    damage_.clear();
    if (painted_.Change(window_->Scene(), *this, damage_)) {
        PaintAndPresent(QRegion(0, 0, width_, height_));
    } else if (!damage_.empty()) {
        PaintAndPresent(painter_.DamageRegion(damage_) & QRect(0, 0, width_, height_));
    }
}

void ReadoutSurface::PaintAndPresent(const QRegion& region) {
    if (backing_.width() != width_ || backing_.height() != height_) {
        backing_ = QImage(width_, height_, QImage::Format_RGB32);
        // A new size is painted whole.
        PaintAndPresent(QRegion(0, 0, width_, height_).united(region));
        return;
    }
    if (region.isEmpty()) return;
    {
        QPainter painter(&backing_);
        painter.setClipRegion(region);
        painter_.Paint(painter, region, region.boundingRect(),
                       window_ ? &window_->Scene() : nullptr, QSize(width_, height_));
    }
    if (window_ && guard_) guard_([this] { window_->FormPaint(); });
    Present(region);
}

ShmBuffer* ReadoutSurface::FreeBuffer() {
    // Buffers of an old size go once the compositor has let them go.
    buffers_.erase(std::remove_if(buffers_.begin(), buffers_.end(),
                                  [this](const auto& b) {
                                      return !b->Busy() &&
                                             (b->Width() != width_ || b->Height() != height_);
                                  }),
                   buffers_.end());
    for (const auto& b : buffers_)
        if (!b->Busy() && b->Width() == width_ && b->Height() == height_) return b.get();
    if (buffers_.size() >= kMaxBuffers) return nullptr;
    auto buffer =
        std::make_unique<ShmBuffer>(connection_.Shm(), width_, height_, WL_SHM_FORMAT_XRGB8888);
    if (!buffer->Valid()) return nullptr;
    buffer->SetReleased([this] {
        if (!presentWaiting_) return;
        presentWaiting_ = false;
        Present(QRegion(0, 0, width_, height_));
    });
    buffers_.push_back(std::move(buffer));
    return buffers_.back().get();
}

void ReadoutSurface::Present(const QRegion& region) {
    if (!surface_ || !surface_->Configured()) return;
    ShmBuffer* buffer = FreeBuffer();
    if (!buffer) {
        // All still with the compositor: this picture waits until one comes
        // back, and is then presented whole.
        presentWaiting_ = true;
        return;
    }
    // The whole picture: a buffer may hold one several pictures old. At the
    // readout's size this is a few hundred kilobytes at most.
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    for (int y = 0; y < height_; ++y)
        std::memcpy(buffer->Data() + static_cast<std::ptrdiff_t>(y) * buffer->Stride(),
                    backing_.constScanLine(y), rowBytes);
    wl_surface* surface = surface_->Surface();
    wl_surface_attach(surface, buffer->Buffer(), 0, 0);
    for (const QRect& r : region)
        wl_surface_damage_buffer(surface, r.x(), r.y(), r.width(), r.height());
    buffer->MarkBusy();
    surface_->Commit();
}

void ReadoutSurface::SetFont(const FontDescription& font) {
    painter_.SetFont(font);
    painted_.Invalidate();
    Repaint(true);
}

void ReadoutSurface::SetShowCaption(std::string_view caption) {
    if (menu_) menu_->SetShowCaption(caption);
}

void ReadoutSurface::SetMenuShortcuts(Shortcut showHide, Shortcut quit) {
    if (menu_) menu_->SetShortcuts(showHide, quit);
}

}  // namespace pixolet::wayland

// The readout window on Wayland: a layer surface on the overlay layer,
// anchored at the output's top-left corner and placed by its margins, that
// takes no input (an empty input region, no keyboard) and is painted into
// shared-memory buffers with exactly the X11 readout's pixels (the shared
// ScenePainter). Each tracking update repaints only the parts of the scene
// that changed and tells the compositor only those.
#pragma once

#include <QImage>
#include <QRegion>
#include <functional>
#include <memory>
#include <vector>

#include "platform/linux/scene_painter.h"
#include "platform/linux/tray.h"
#include "ports/readout_view_port.h"
#include "readout/scene_damage.h"

struct wl_output;

namespace pixolet {
class TfrmPixoletMain;
}

namespace pixolet::wayland {

class WaylandConnection;
class LayerSurface;
class ShmBuffer;

class ReadoutSurface : public ReadoutView {
  public:
    explicit ReadoutSurface(WaylandConnection& connection);
    ~ReadoutSurface() override;
    ReadoutSurface(const ReadoutSurface&) = delete;
    ReadoutSurface& operator=(const ReadoutSurface&) = delete;

    void Attach(TfrmPixoletMain* window, linux_common::PopupMenu* menu,
                linux_common::CoreCall guard);
    // Told true when the window is shown and false when it is hidden,
    // before the surface is made or after it is gone.
    void SetVisibilityObserver(std::function<void(bool)> observer) {
        visibilityObserver_ = std::move(observer);
    }
    // Which output the window goes on (the pointer's).
    void SetOutputSource(std::function<wl_output*()> source) { outputSource_ = std::move(source); }
    // The pointer is now over another output: the window moves there.
    void FollowOutput();

    // ReadoutView.
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;
    bool IsVisible() const override { return visible_; }
    Rect Bounds() const override;
    void Move(int left, int top) override;
    void Resize(int width, int height) override;
    void Show() override;
    void Hide() override;
    void Repaint(bool now = false) override;
    void SetFont(const FontDescription& font) override;
    void SetShowCaption(std::string_view caption) override;
    void SetMenuShortcuts(Shortcut showHide, Shortcut quit) override;

  private:
    void CreateSurface();
    void PaintAndPresent(const QRegion& region);
    void Present(const QRegion& region);
    ShmBuffer* FreeBuffer();

    WaylandConnection& connection_;
    TfrmPixoletMain* window_ = nullptr;
    linux_common::PopupMenu* menu_ = nullptr;
    linux_common::CoreCall guard_;
    std::function<void(bool)> visibilityObserver_;
    std::function<wl_output*()> outputSource_;
    linux_common::ScenePainter painter_;
    PaintedScene painted_;
    std::vector<Rect> damage_;
    // What the window shows; buffers get copies of it.
    QImage backing_;
    std::vector<std::unique_ptr<ShmBuffer>> buffers_;
    std::unique_ptr<LayerSurface> surface_;
    wl_output* output_ = nullptr;
    bool visible_ = false;
    bool presentWaiting_ = false;
    int left_ = 0;
    int top_ = 0;
    int width_ = 1;
    int height_ = 1;
};

}  // namespace pixolet::wayland

// The readout window on the screen, painting the scene that the core's
// TfrmPixoletMain computes. It is not managed by the window manager
// (override-redirect): a move is one request to the server instead of a
// round through the window manager, it has no frame, no taskbar or pager
// entry and never takes the focus, sits exactly where it is placed, and the
// TopmostKeeper keeps it above every managed window. Each tracking update
// repaints only the parts of the scene that changed. While it follows the
// pointer it takes no pointer input at all.
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/linux/scene_painter.h"
#include "platform/linux/tray.h"
#include "platform/x11/configure_echo_filter.h"
#include "platform/x11/topmost_keeper.h"
#include "ports/readout_view_port.h"
#include "readout/readout_scene.h"
#include "readout/scene_damage.h"

namespace pixolet {
class TfrmPixoletMain;
}

namespace pixolet::x11 {

using linux_common::CoreCall;
using linux_common::PopupMenu;

class ReadoutWidget : public QWidget, public ReadoutView {
    Q_OBJECT
  public:
    ReadoutWidget();
    ~ReadoutWidget() override;

    // Wiring that exists only once the core's window has been created.
    void Attach(TfrmPixoletMain* window, PopupMenu* menu, CoreCall guard);
    // Told true when the window is shown and false when it is hidden.
    void SetVisibilityObserver(std::function<void(bool)> observer) {
        visibilityObserver_ = std::move(observer);
    }

    // ReadoutView.
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;
    bool IsVisible() const override { return isVisible(); }
    Rect Bounds() const override;
    void Move(int left, int top) override;
    void Resize(int width, int height) override;
    void Show() override;
    void Hide() override;
    void SetPointerPassThrough(bool passThrough) override;
    void Repaint(bool now = false) override;
    void SetFont(const FontDescription& font) override;
    int MonitorDpi(ScreenPoint at) const override;
    void SetShowCaption(std::string_view caption) override;
    void SetMenuShortcuts(Shortcut showHide, Shortcut quit) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    // Asks for a paint of what differs from the scene painted last.
    void UpdateChangedParts();
    // Gives the native window the input shape that passThrough_ asks for.
    void ApplyInputShape();

    TfrmPixoletMain* window_ = nullptr;
    PopupMenu* menu_ = nullptr;
    CoreCall guard_;
    std::function<void(bool)> visibilityObserver_;
    FontDescription fontDescription_;
    // The pointer passes through to the windows beneath (an empty input
    // shape): a window beside the pointer is otherwise run into by every
    // quick move, and each report over it would wake the program.
    bool passThrough_ = true;
    TopmostKeeper topmost_;
    ConfigureEchoFilter configureEchoes_{*this};
    // The scene as the paint asked for last will show it, and the parts a
    // new scene changes (kept to reuse their storage).
    PaintedScene painted_;
    std::vector<Rect> damage_;
    linux_common::ScenePainter painter_;
};

}  // namespace pixolet::x11

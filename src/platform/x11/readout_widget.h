// The readout window on the screen: a frameless, always-on-top tool window
// that never takes the focus and has no taskbar entry, painting the scene
// that the core's TfrmPixoletMain computes.
#pragma once

#include <QFont>
#include <QWidget>
#include <functional>

#include "platform/x11/tray.h"
#include "ports/readout_view_port.h"

namespace pixolet {
class TfrmPixoletMain;
}

namespace pixolet::x11 {

// The readout font as Qt draws it: family, pixel size (a negative height is
// the character height), styles. "Courier New" and friends resolve through
// fontconfig's substitutes.
QFont ToQFont(const FontDescription& description);

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
    void Repaint(bool now = false) override;
    void SetFont(const FontDescription& font) override;
    void SetShowCaption(std::string_view caption) override;
    void SetMenuShortcuts(Shortcut showHide, Shortcut quit) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void MarkSkipTaskbar();

    TfrmPixoletMain* window_ = nullptr;
    PopupMenu* menu_ = nullptr;
    CoreCall guard_;
    std::function<void(bool)> visibilityObserver_;
    FontDescription fontDescription_;
    QFont font_;
    QColor textColour_;
};

}  // namespace pixolet::x11

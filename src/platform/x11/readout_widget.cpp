#include "platform/x11/readout_widget.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHideEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>
#include <cmath>

#include "readout/readout_window.h"

// Xlib after Qt: its macros clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

namespace pixolet::x11 {

ReadoutWidget::ReadoutWidget()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("Pixolet"));
    SetFont(FontDescription{});
    if (auto* app = QCoreApplication::instance()) app->installNativeEventFilter(&configureEchoes_);
}

ReadoutWidget::~ReadoutWidget() {
    if (auto* app = QCoreApplication::instance()) app->removeNativeEventFilter(&configureEchoes_);
}

void ReadoutWidget::Attach(TfrmPixoletMain* window, PopupMenu* menu, CoreCall guard) {
    window_ = window;
    menu_ = menu;
    guard_ = std::move(guard);
}

int ReadoutWidget::TextWidth(std::string_view text) const {
    return painter_.TextWidth(text);
}

int ReadoutWidget::TextHeight(std::string_view) const {
    return painter_.TextHeight();
}

Rect ReadoutWidget::Bounds() const {
    const QRect g = geometry();
    return Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void ReadoutWidget::Move(int left, int top) {
    // Every move request costs the server and the window manager a round;
    // one to the place the window already has changes nothing.
    if (pos() == QPoint(left, top)) return;
    move(left, top);
}

void ReadoutWidget::Resize(int width, int height) {
    painted_.Invalidate();
    setFixedSize(width, height);
}

void ReadoutWidget::Show() {
    if (isVisible()) return;
    // The native window exists from here on; it gets its input shape before
    // it is mapped, so not even the first report lands on it.
    winId();
    ApplyInputShape();
    show();
    // Mapping leaves a window where it was stacked when it was created.
    raise();
}

void ReadoutWidget::Hide() {
    hide();
}

void ReadoutWidget::SetPointerPassThrough(bool passThrough) {
    if (passThrough == passThrough_) return;
    passThrough_ = passThrough;
    if (testAttribute(Qt::WA_WState_Created)) ApplyInputShape();
}

void ReadoutWidget::ApplyInputShape() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* dpy = x11 ? x11->display() : nullptr;
    if (!dpy) return;
    int event = 0;
    int error = 0;
    if (!XShapeQueryExtension(dpy, &event, &error)) return;
    const auto id = static_cast<Window>(winId());
    if (passThrough_) {
        // No rectangles: the window covers no point where the pointer could
        // be, so events and clicks go to whatever lies beneath.
        XShapeCombineRectangles(dpy, id, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
    } else {
        // No mask: the input shape is the window's own shape again.
        XShapeCombineMask(dpy, id, ShapeInput, 0, 0, None, ShapeSet);
    }
    XFlush(dpy);
}

void ReadoutWidget::Repaint(bool now) {
    if (now) {
        painted_.Invalidate();
        repaint();
        return;
    }
    UpdateChangedParts();
}

void ReadoutWidget::UpdateChangedParts() {
    if (!window_) {
        update();
        return;
    }
    damage_.clear();
    if (painted_.Change(window_->Scene(), *this, damage_)) {
        update();
    } else if (!damage_.empty()) {
        update(painter_.DamageRegion(damage_));
    }
}

void ReadoutWidget::SetFont(const FontDescription& font) {
    fontDescription_ = font;
    painter_.SetFont(font);
    painted_.Invalidate();
    update();
}

int ReadoutWidget::MonitorDpi(ScreenPoint at) const {
    // With the toolkit's own scaling off, a screen's logical dpi is what the
    // desktop set: Xft.dpi, for every monitor alike on X11.
    const QScreen* screen = QGuiApplication::screenAt(QPoint(at.x, at.y));
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 0.0;
    if (dpi >= 1.0) return static_cast<int>(std::lround(dpi));
    return 96;
}

void ReadoutWidget::SetShowCaption(std::string_view caption) {
    if (menu_) menu_->SetShowCaption(caption);
}

void ReadoutWidget::SetMenuShortcuts(Shortcut showHide, Shortcut quit) {
    if (menu_) menu_->SetShortcuts(showHide, quit);
}

void ReadoutWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter_.Paint(painter, event->region(), event->rect(), window_ ? &window_->Scene() : nullptr,
                   size());
    if (window_ && guard_) guard_([this] { window_->FormPaint(); });
}

void ReadoutWidget::contextMenuEvent(QContextMenuEvent* event) {
    // PopupMenu1 is the window's context menu as well as the tray icon's.
    if (menu_) menu_->popup(event->globalPos());
}

void ReadoutWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A newly mapped window is painted whole.
    painted_.Invalidate();
    if (!event->spontaneous()) topmost_.Watch(winId());
    // Only the program's own show and hide: the window system's map and
    // unmap notices arrive later and would undo a newer state.
    if (visibilityObserver_ && !event->spontaneous()) visibilityObserver_(true);
}

void ReadoutWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) topmost_.Unwatch();
    if (visibilityObserver_ && !event->spontaneous()) visibilityObserver_(false);
}

}  // namespace pixolet::x11

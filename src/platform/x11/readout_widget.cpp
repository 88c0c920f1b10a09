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

namespace {

QColor ToQColor(Colour c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// Into `image`, whose storage is reused while the size stays.
void ToImage(const PixelBuffer& buffer, QImage& image) {
    if (image.width() != buffer.Width() || image.height() != buffer.Height())
        image = QImage(buffer.Width(), buffer.Height(), QImage::Format_RGB32);
    for (int y = 0; y < buffer.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < buffer.Width(); ++x) {
            const Colour c = buffer.At(x, y);
            line[x] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
        }
    }
}

QRect ToQRect(const SceneShape& s) {
    return QRect(s.left, s.top, s.width, s.height);
}

// A shape's plain look between tracking updates: its fill with a black
// one-pixel outline.
void PaintPlainShape(QPainter& painter, const SceneShape& shape, const QColor& fill) {
    if (shape.width <= 0 || shape.height <= 0) return;
    painter.fillRect(shape.left, shape.top, shape.width, shape.height, fill);
    painter.setPen(Qt::black);
    painter.drawRect(shape.left, shape.top, shape.width - 1, shape.height - 1);
}

void PaintShape(QPainter& painter, const SceneShape& shape, const PixelBuffer& pixels, bool live,
                const QColor& plainFill, QImage& image) {
    if (live && pixels.Width() == shape.width && pixels.Height() == shape.height) {
        ToImage(pixels, image);
        painter.drawImage(shape.left, shape.top, image);
    } else
        PaintPlainShape(painter, shape, plainFill);
}

// The disabled distance bar: a sunken groove with a grey thumb at the
// position, every part `scale` pixels thick.
void PaintBar(QPainter& painter, const SceneBar& bar, int scale) {
    const SceneShape& b = bar.bounds;
    const int k = std::max(scale, 1);
    if (b.width <= 2 * k || b.height <= 0) return;
    const int mid = b.top + b.height / 2;
    painter.fillRect(b.left, mid - k, b.width, k, QColor(0x80, 0x80, 0x80));
    painter.fillRect(b.left, mid, b.width, k, Qt::white);
    const int thumb = 3 * k;
    const int span = b.width - thumb;
    const int maximum = std::max(bar.maximum, 1);
    const int position = std::clamp(bar.position, 0, maximum);
    const int x = b.left + static_cast<int>(static_cast<long long>(span) * position / maximum);
    painter.fillRect(x, b.top, thumb, b.height, QColor(0xA0, 0xA0, 0xA0));
}

// The window's blue frame, `scale` pixels thick.
void PaintFrame(QPainter& painter, int width, int height, int scale) {
    const int k = std::max(scale, 1);
    const QColor blue = ToQColor(kBlue);
    painter.fillRect(0, 0, width, k, blue);
    painter.fillRect(0, height - k, width, k, blue);
    painter.fillRect(0, 0, k, height, blue);
    painter.fillRect(width - k, 0, k, height, blue);
}

}  // namespace

QFont ToQFont(const FontDescription& d) {
    QFont font(QString::fromLocal8Bit(d.name.data(), qsizetype(d.name.size())));
    font.setStyleHint(QFont::AnyStyle, QFont::PreferMatch);
    const int height = d.height == 0 ? -10 : d.height;
    if (height < 0) {
        font.setPixelSize(-height);
    } else {
        // A positive height is the whole cell; take the character height
        // that gives a cell of about that size.
        font.setPixelSize(height);
        const int cell = QFontMetrics(font).height();
        if (cell > height) font.setPixelSize(std::max(1, height * height / cell));
    }
    font.setBold(d.bold);
    font.setItalic(d.italic);
    font.setUnderline(d.underline);
    font.setStrikeOut(d.strikeOut);
    return font;
}

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
    return QFontMetrics(font_).horizontalAdvance(Latin1(text));
}

int ReadoutWidget::TextHeight(std::string_view) const {
    return QFontMetrics(font_).height();
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
        // Italic and overhanging glyphs reach a little past their text's
        // advance.
        QRegion region;
        for (const Rect& r : damage_)
            region += QRect(r.left, r.top, r.Width(), r.Height())
                          .adjusted(-inkMargin_, -1, inkMargin_, 1);
        update(region);
    }
}

void ReadoutWidget::SetFont(const FontDescription& font) {
    fontDescription_ = font;
    font_ = ToQFont(font);
    textColour_ = ToQColor(font.colour);
    const QFontMetrics metrics(font_);
    inkMargin_ = 1 + std::max({2, -metrics.minLeftBearing(), -metrics.minRightBearing()});
    painted_.Invalidate();
    for (LabelWidth& cached : labelWidths_) cached.valid = false;
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
    // Everything inside the asked-for region is painted from the current
    // scene; what lies outside it is skipped (the painter clips to it).
    const QRegion& region = event->region();
    QPainter painter(this);
    painter.fillRect(event->rect(), ToQColor(kSilver));
    if (window_) {
        const ReadoutScene& scene = window_->Scene();
        if (region.intersects(ToQRect(scene.zoom)))
            PaintShape(painter, scene.zoom, scene.magnifier, scene.live, ToQColor(kSilver),
                       zoomImage_);
        if (region.intersects(ToQRect(scene.swatch)))
            PaintShape(painter, scene.swatch, scene.swatchPixels, scene.live, Qt::white,
                       swatchImage_);
        painter.setFont(font_);
        painter.setPen(textColour_);
        const QFontMetrics metrics(font_);
        for (std::size_t i = 0; i < scene.labels.size(); ++i) {
            const SceneLabel& label = scene.labels[i];
            if (!label.visible) continue;
            const QRect box(label.left - inkMargin_, label.top - 1,
                            LabelAdvance(i, label.text) + 2 * inkMargin_, metrics.height() + 2);
            if (!region.intersects(box)) continue;
            // Plain text at the label's top-left: no background, and an
            // ampersand stays an ampersand.
            painter.drawText(QPoint(label.left, label.top + metrics.ascent()), Latin1(label.text));
        }
        if (scene.bar.visible) PaintBar(painter, scene.bar, scene.scale);
    }
    PaintFrame(painter, width(), height(), window_ ? window_->Scene().scale : 1);
    if (window_ && guard_) guard_([this] { window_->FormPaint(); });
}

int ReadoutWidget::LabelAdvance(std::size_t index, const std::string& text) {
    LabelWidth& cached = labelWidths_[index];
    if (!cached.valid || cached.text != text) {
        cached.text = text;
        cached.advance = TextWidth(text);
        cached.valid = true;
    }
    return cached.advance;
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

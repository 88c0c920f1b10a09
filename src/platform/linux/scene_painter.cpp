#include "platform/linux/scene_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace pixolet::linux_common {

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

ScenePainter::ScenePainter() {
    SetFont(FontDescription{});
}

void ScenePainter::SetFont(const FontDescription& font) {
    font_ = ToQFont(font);
    textColour_ = ToQColor(font.colour);
    const QFontMetrics metrics(font_);
    inkMargin_ = 1 + std::max({2, -metrics.minLeftBearing(), -metrics.minRightBearing()});
    for (LabelWidth& cached : labelWidths_) cached.valid = false;
}

int ScenePainter::TextWidth(std::string_view text) const {
    return QFontMetrics(font_).horizontalAdvance(Latin1(text));
}

int ScenePainter::TextHeight() const {
    return QFontMetrics(font_).height();
}

QRegion ScenePainter::DamageRegion(const std::vector<Rect>& damage) const {
    QRegion region;
    for (const Rect& r : damage)
        region +=
            QRect(r.left, r.top, r.Width(), r.Height()).adjusted(-inkMargin_, -1, inkMargin_, 1);
    return region;
}

void ScenePainter::Paint(QPainter& painter, const QRegion& region, const QRect& bounding,
                         const ReadoutScene* scene, const QSize& size) {
    // Everything inside the asked-for region is painted from the current
    // scene; what lies outside it is skipped (the painter clips to it).
    painter.fillRect(bounding, ToQColor(kSilver));
    if (scene) {
        if (region.intersects(ToQRect(scene->zoom)))
            PaintShape(painter, scene->zoom, scene->magnifier, scene->live, ToQColor(kSilver),
                       zoomImage_);
        if (region.intersects(ToQRect(scene->swatch)))
            PaintShape(painter, scene->swatch, scene->swatchPixels, scene->live, Qt::white,
                       swatchImage_);
        painter.setFont(font_);
        painter.setPen(textColour_);
        const QFontMetrics metrics(font_);
        for (std::size_t i = 0; i < scene->labels.size(); ++i) {
            const SceneLabel& label = scene->labels[i];
            if (!label.visible) continue;
            const QRect box(label.left - inkMargin_, label.top - 1,
                            LabelAdvance(i, label.text) + 2 * inkMargin_, metrics.height() + 2);
            if (!region.intersects(box)) continue;
            // Plain text at the label's top-left: no background, and an
            // ampersand stays an ampersand.
            painter.drawText(QPoint(label.left, label.top + metrics.ascent()), Latin1(label.text));
        }
        if (scene->bar.visible) PaintBar(painter, scene->bar, scene->scale);
    }
    PaintFrame(painter, size.width(), size.height(), scene ? scene->scale : 1);
}

int ScenePainter::LabelAdvance(std::size_t index, const std::string& text) {
    LabelWidth& cached = labelWidths_[index];
    if (!cached.valid || cached.text != text) {
        cached.text = text;
        cached.advance = TextWidth(text);
        cached.valid = true;
    }
    return cached.advance;
}

}  // namespace pixolet::linux_common

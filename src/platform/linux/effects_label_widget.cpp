#include "platform/linux/effects_label_widget.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace pixolet::linux_common {

QFont PixelFont(const char* family, int pixelSize) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixelSize);
    return font;
}

EffectsLabelWidget* EffectsLabelWidget::MakeProgramCaption(const QString& caption,
                                                           QWidget* parent) {
    auto* title = new EffectsLabelWidget(caption, 40, parent);
    title->setFont(PixelFont("Arial", 13));
    QPalette blue = title->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    title->setPalette(blue);
    title->move(12, 50);
    title->AutoSize();
    return title;
}

EffectsLabelWidget::EffectsLabelWidget(const QString& caption, int angleDegrees, QWidget* parent)
    : QWidget(parent), caption_(caption), angle_(angleDegrees) {
    setAttribute(Qt::WA_NoMousePropagation);
    AutoSize();
}

void EffectsLabelWidget::AutoSize() {
    const QFontMetrics metrics(font());
    box_ = EffectsAutoSize(metrics.horizontalAdvance(caption_), metrics.height(), angle_);
    resize(box_.width, box_.height);
}

void EffectsLabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(isEnabled() ? palette().color(QPalette::WindowText) : QColor(0x80, 0x80, 0x80));
    // The origin is the text's top-left reference point; Qt draws from the
    // baseline, one ascent lower in the turned frame.
    painter.translate(box_.posX, box_.posY);
    painter.rotate(-angle_);
    painter.drawText(QPointF(0, QFontMetrics(font()).ascent()), caption_);
}

void EffectsLabelWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) AutoSize();
    QWidget::changeEvent(event);
}

}  // namespace pixolet::linux_common

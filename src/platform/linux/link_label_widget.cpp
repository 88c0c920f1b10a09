#include "platform/linux/link_label_widget.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <optional>

namespace pixolet::linux_common {

namespace {

QColor ToQColor(Colour c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

std::optional<LabelButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return LabelButton::Left;
        case Qt::RightButton:
            return LabelButton::Right;
        case Qt::MiddleButton:
            return LabelButton::Middle;
        default:
            return std::nullopt;
    }
}

// The face that stands in for the designed one may run wider; a smaller
// size keeps the whole caption readable instead of cutting both ends off.
QFont FittedFont(QFont font, const QString& caption, int width) {
    constexpr int kSmallest = 8;
    while (font.pixelSize() > kSmallest && QFontMetrics(font).horizontalAdvance(caption) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

}  // namespace

LinkLabelWidget::LinkLabelWidget(const std::string& caption, QWidget* parent)
    : QWidget(parent), state_(caption) {
    // Clicks belong to the label, never to the window below it (the splash
    // closes on a double-click on its free area only).
    setAttribute(Qt::WA_NoMousePropagation);
    Refresh();
}

void LinkLabelWidget::Refresh() {
    QFont f = font();
    f.setUnderline(state_.Underline());
    setFont(f);
    setEnabled(state_.Enabled());
    if (state_.HandCursor())
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    update();
}

bool LinkLabelWidget::OpenWithDesktop(const std::string& target) {
    // A bare host name goes to the browser as a web address, the way the
    // desktop's own run dialogs take it.
    const QUrl url = QUrl::fromUserInput(
        QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size())));
    return url.isValid() && QDesktopServices::openUrl(url);
}

void LinkLabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QString caption =
        QString::fromUtf8(state_.Caption().data(), static_cast<qsizetype>(state_.Caption().size()));
    painter.setFont(FittedFont(font(), caption, width()));
    painter.setPen(ToQColor(state_.TextColour()));
    // Centred, one line, no accelerator processing.
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption);
}

void LinkLabelWidget::mousePressEvent(QMouseEvent* event) {
    if (const auto button = ButtonOf(event->button())) {
        state_.MouseDown(*button);
        update();
    }
    event->accept();
}

void LinkLabelWidget::mouseReleaseEvent(QMouseEvent* event) {
    const auto button = ButtonOf(event->button());
    if (!button) return;
    state_.MouseUp(*button);
    // A click is a left release over the label; elsewhere it only restores
    // the colour.
    if (*button == LabelButton::Left && rect().contains(event->position().toPoint())) {
        state_.Click(opener_);
        Refresh();
    }
    update();
    event->accept();
}

}  // namespace pixolet::linux_common

#include "platform/linux/splash_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <string>

#include "platform/linux/core_text.h"
#include "platform/linux/effects_label_widget.h"
#include "platform/linux/maker_links.h"
#include "settings/properties_dialog.h"

namespace pixolet::linux_common {

namespace {

QLabel* MakeImage(QWidget* parent, const char* resource, const QRect& bounds,
                  Qt::Alignment alignment) {
    auto* image = new QLabel(parent);
    image->setPixmap(QPixmap(QString::fromLatin1(resource)));
    image->setGeometry(bounds);
    image->setAlignment(alignment);
    image->setAttribute(Qt::WA_NoMousePropagation);
    return image;
}

}  // namespace

TfrmStart::TfrmStart(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(PixelFont("MS Sans Serif", 11));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    MakeImage(this, ":/pixolet/icon.xpm", QRect(14, 12, 41, 37), Qt::AlignLeft | Qt::AlignTop);

    EffectsLabelWidget::MakeProgramCaption(QStringLiteral("Pixolet 2"), this);

    QLabel* logo =
        MakeImage(this, ":/pixolet/velmora.xpm", QRect(101, 10, 139, 48), Qt::AlignCenter);
    logo->setToolTip(FromCoreText(SplashLogoHint()));

    const MakerLinks links = CreateMakerLinks(this, 99, std::string(kMakerMailAddress));
    lblOrvessa = links.partner;
    PxSimpleLabel1 = links.maker;
    PxSimpleLabel3 = links.mail;

    CentreOnScreen();

    // The timer runs from creation; it can only fire once the message loop
    // runs, so a slow start keeps the splash up longer.
    Timer1.setInterval(kTimerIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &TfrmStart::Timer1Timer);
    Timer1.start();
}

void TfrmStart::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - kClientWidth) / 2,
             area.top() + (area.height() - kClientHeight) / 2);
    }
}

void TfrmStart::paintEvent(QPaintEvent*) {
    // Panel1: a raised outer and a lowered inner bevel, one pixel each.
    QPainter painter(this);
    const QColor light = Qt::white;
    const QColor shadow(0x80, 0x80, 0x80);
    const QColor dark(0x40, 0x40, 0x40);
    const int r = width() - 1;
    const int b = height() - 1;
    auto bevel = [&](int inset, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(inset, inset, r - inset, inset);
        painter.drawLine(inset, inset, inset, b - inset);
        painter.setPen(bottomRight);
        painter.drawLine(inset, b - inset, r - inset, b - inset);
        painter.drawLine(r - inset, inset, r - inset, b - inset);
    };
    // On a white panel the raised edge's light side would vanish, so it is
    // drawn in silver.
    bevel(0, QColor(0xC0, 0xC0, 0xC0), dark);
    bevel(1, shadow, light);
}

void TfrmStart::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) hide();
}

void TfrmStart::Timer1Timer() {
    Timer1.stop();
    hide();
}

}  // namespace pixolet::linux_common

// Drops the server's echo of the readout window's own moves before Qt sees
// it. Qt answers every ConfigureNotify of a top-level window with a
// synchronous TranslateCoordinates round trip and marks the frame margins
// stale, which costs a few more round trips at the next geometry change:
// about five waits for the server on every tracking update that moves the
// window. For a window the window manager does not manage (no frame, the
// root as parent) a notice that reports exactly the geometry Qt already
// holds, at an unchanged size, tells it nothing, so it is filtered out;
// every other notice (a size change, another program moving the window, an
// echo of an older move) reaches Qt as before.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QSize>

class QWidget;

namespace pixolet::x11 {

class ConfigureEchoFilter : public QAbstractNativeEventFilter {
  public:
    // Filters for `window` (a top-level widget) while installed.
    explicit ConfigureEchoFilter(const QWidget& window) : window_(window) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    const QWidget& window_;
    QSize lastSize_;
};

}  // namespace pixolet::x11

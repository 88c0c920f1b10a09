#include "platform/x11/configure_echo_filter.h"

#include <xcb/xproto.h>

#include <QByteArray>
#include <QSize>
#include <QWidget>

namespace pixolet::x11 {

bool ConfigureEchoFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CONFIGURE_NOTIFY) return false;
    const auto* configure = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
    // Only the window's own notice (StructureNotify), not its parent's
    // view of it.
    if (configure->event != configure->window || !window_.testAttribute(Qt::WA_WState_Created) ||
        configure->window != window_.winId())
        return false;
    // A size change always reaches Qt: it repaints after a shrink.
    const QSize size(configure->width, configure->height);
    const bool sameSize = size == lastSize_;
    lastSize_ = size;
    // Not a synthetic notice (window managers send those) either.
    if (!sameSize || (event->response_type & 0x80) != 0 || !window_.isVisible()) return false;
    const QRect g = window_.geometry();
    return configure->x == g.x() && configure->y == g.y() && size == g.size();
}
}  // namespace pixolet::x11

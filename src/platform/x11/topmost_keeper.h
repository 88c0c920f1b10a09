// Keeps the readout window above every window that the window manager
// stacks. The readout is not managed (override-redirect: its moves go
// straight to the server, with no round through the window manager), so
// nothing keeps it on top for it. Two notices say that something may have
// been stacked above it: the window's own visibility turning obscured, and
// the window manager's stacking list on the root window changing. Only then
// is the stacking looked at, and the readout restacked above the topmost
// managed window. Windows that are not managed either (menus, tooltips)
// keep their place above it, as they have above any managed window.
// Neither notice comes from the readout's own moves, so following the
// pointer costs nothing here.
#pragma once

#include <QObject>
#include <memory>

#include "platform/x11/x11_display.h"

class QSocketNotifier;

namespace pixolet::x11 {

class TopmostKeeper : public QObject {
    Q_OBJECT
  public:
    explicit TopmostKeeper(QObject* parent = nullptr);
    ~TopmostKeeper() override;
    TopmostKeeper(const TopmostKeeper&) = delete;
    TopmostKeeper& operator=(const TopmostKeeper&) = delete;

    // Starts keeping `window` on top (while it is shown) on a connection of
    // its own, and puts it on top at once. Nothing when the display cannot
    // be opened.
    void Watch(unsigned long window);
    // Stops watching: a hidden window asks for no notices.
    void Unwatch();

  private:
    void Drain();
    void KeepOnTop();
    void Select(long windowMask, long rootMask);

    XDisplay display_;
    std::unique_ptr<QSocketNotifier> notifier_;
    unsigned long window_ = 0;
    unsigned long stackingAtom_ = 0;
};

}  // namespace pixolet::x11

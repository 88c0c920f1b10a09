// Termination signals (SIGINT, SIGTERM, SIGHUP) turned into a Qt signal on
// the GUI thread, so that the program closes its readout window (and takes
// its screen markers off the screen) instead of dying mid-drawing.
#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace pixolet::linux_common {

// One per process: the signal handlers write into this object's pipe.
class SignalBridge : public QObject {
    Q_OBJECT
  public:
    explicit SignalBridge(QObject* parent = nullptr);
    // Puts the previous signal dispositions back.
    ~SignalBridge() override;

    // False when the pipe or the handlers could not be set up (or another
    // bridge is active); the signals then keep their default action.
    bool IsActive() const { return active_; }

  signals:
    void terminationRequested();

  private:
    void ReadPipe();

    bool active_ = false;
    int readFd_ = -1;
    int writeFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace pixolet::linux_common

#include "platform/linux/signal_bridge.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>

namespace pixolet::linux_common {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = static_cast<int>(sizeof kSignals / sizeof kSignals[0]);

// Read by the handler: a lock-free atomic is async-signal-safe.
std::atomic<int> g_writeFd{-1};
struct sigaction g_previous[kSignalCount];

extern "C" void OnTerminationSignal(int) {
    const int savedErrno = errno;
    const int fd = g_writeFd.load(std::memory_order_relaxed);
    if (fd >= 0) {
        const char byte = 1;
        // A full pipe already holds a pending request: dropping this one is
        // harmless.
        [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

SignalBridge::SignalBridge(QObject* parent) : QObject(parent) {
    if (g_writeFd.load() >= 0) return;  // another bridge is active
    int fds[2] = {-1, -1};
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readFd_ = fds[0];
    writeFd_ = fds[1];
    g_writeFd.store(writeFd_);

    struct sigaction action {};
    action.sa_handler = &OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        if (sigaction(kSignals[i], &action, &g_previous[i]) != 0) {
            for (int j = 0; j < i; ++j) sigaction(kSignals[j], &g_previous[j], nullptr);
            g_writeFd.store(-1);
            close(readFd_);
            close(writeFd_);
            readFd_ = writeFd_ = -1;
            return;
        }
    }
    notifier_ = std::make_unique<QSocketNotifier>(readFd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SignalBridge::ReadPipe);
    active_ = true;
}

SignalBridge::~SignalBridge() {
    if (!active_) return;
    for (int i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &g_previous[i], nullptr);
    g_writeFd.store(-1);
    notifier_.reset();
    close(readFd_);
    close(writeFd_);
}

void SignalBridge::ReadPipe() {
    char buffer[64];
    bool any = false;
    // Several signals may have arrived; they ask for one thing.
    while (read(readFd_, buffer, sizeof buffer) > 0) any = true;
    if (any) emit terminationRequested();
}

}  // namespace pixolet::linux_common

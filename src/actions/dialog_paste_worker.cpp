#include "actions/dialog_paste_worker.h"

#include <chrono>
#include <utility>

namespace pixolet {
namespace {

// While idle the port is served this often, so that what the accessibility
// bus sends meanwhile does not pile up.
constexpr std::chrono::seconds kIdleService{1};

}  // namespace

DialogPasteWorker::DialogPasteWorker(PortFactory factory, Report report)
    : factory_(std::move(factory)), report_(std::move(report)) {}

DialogPasteWorker::~DialogPasteWorker() {
    RequestStop();
    if (thread_.joinable()) thread_.join();
}

void DialogPasteWorker::RequestStop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    idle_.notify_all();
}

bool DialogPasteWorker::Post(const DialogPasteJob& job) {
    {
        std::lock_guard lock(mutex_);
        if (stop_ || jobs_.size() >= kMaxWaiting) return false;
        jobs_.push_back(job);
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
    return true;
}

void DialogPasteWorker::WaitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return stop_ || (jobs_.empty() && !busy_); });
}

bool DialogPasteWorker::Stopping() {
    std::lock_guard lock(mutex_);
    return stop_;
}

void DialogPasteWorker::Run() {
    const std::unique_ptr<AccessibilityPort> port = factory_ ? factory_() : nullptr;
    const DialogPasteWaits waits{
        [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); },
        [this] { return Stopping(); }};
    std::unique_lock lock(mutex_);
    while (!stop_) {
        if (jobs_.empty()) {
            idle_.notify_all();
            if (!wake_.wait_for(lock, kIdleService, [this] { return stop_ || !jobs_.empty(); })) {
                lock.unlock();
                if (port) port->ServiceIdle();
                lock.lock();
            }
            continue;
        }
        const DialogPasteJob job = jobs_.front();
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        const DialogPasteOutcome outcome =
            port ? PasteIntoDialog(*port, job, waits) : DialogPasteOutcome::Unreachable;
        if (report_) report_(job, outcome);
        lock.lock();
        busy_ = false;
    }
    idle_.notify_all();
}

}  // namespace pixolet

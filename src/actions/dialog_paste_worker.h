// The accessibility worker: one thread of its own that owns the
// accessibility port and types queued colours into dialogs, one after the
// other in the order they were asked for. The GUI thread only queues and
// never waits for another program.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "actions/dialog_paste.h"
#include "ports/accessibility_port.h"

namespace pixolet {

class DialogPasteWorker {
  public:
    // Creates the port on the worker thread, where all its calls are made.
    using PortFactory = std::function<std::unique_ptr<AccessibilityPort>()>;
    // Told each job's outcome, on the worker thread.
    using Report = std::function<void(const DialogPasteJob&, DialogPasteOutcome)>;

    // More pastes than this waiting means the targets do not answer: further
    // ones are refused rather than piled up.
    static constexpr std::size_t kMaxWaiting = 8;

    explicit DialogPasteWorker(PortFactory factory, Report report = {});
    // Ends the thread (see RequestStop) and waits for it.
    ~DialogPasteWorker();
    DialogPasteWorker(const DialogPasteWorker&) = delete;
    DialogPasteWorker& operator=(const DialogPasteWorker&) = delete;

    // Queues a paste after every earlier one and returns at once; the thread
    // starts with the first. False when the queue is full.
    bool Post(const DialogPasteJob& job);

    // Asks the thread to end: waiting jobs are dropped, a running one stops
    // after its current call, and nothing more is taken.
    void RequestStop();

    // For tests: blocks until every queued job is done.
    void WaitUntilIdle();

  private:
    void Run();
    bool Stopping();

    PortFactory factory_;
    Report report_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<DialogPasteJob> jobs_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace pixolet

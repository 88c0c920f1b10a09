// Reads blocks of an output's pixels through the screencopy protocol, on a
// connection and a thread of its own. A read completes at the compositor's
// next frame, so the GUI thread never waits for one: it asks for the block
// it wants and takes the newest finished block. At most one read is under
// way; when it finishes, the newest wish is read next, so reads run at most
// once per frame and always for the latest place.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ports/types.h"

namespace pixolet::wayland {

// A finished read: output-local logical coordinates and the colours of its
// logical pixels, row-major.
struct ScreenBlock {
    std::uint32_t output = 0;  // the output's global name
    Rect area{};
    std::vector<Colour> pixels;
    std::uint64_t serial = 0;

    bool Contains(std::uint32_t o, int x, int y) const {
        return o == output && area.Contains(ScreenPoint{x, y});
    }
    Colour At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y - area.top) *
                          static_cast<std::size_t>(area.Width()) +
                      static_cast<std::size_t>(x - area.left)];
    }
};

class ScreenReader {
  public:
    // `finished` runs on the reader's thread after each finished read.
    explicit ScreenReader(std::function<void()> finished);
    ~ScreenReader();
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    // False when the compositor offers no screencopy.
    bool Available() const { return available_; }
    // Asks for `area` (clipped to the output already) of the output with
    // this global name. Never blocks.
    void Request(std::uint32_t output, const Rect& area);
    std::shared_ptr<const ScreenBlock> Newest() const;
    // Reads finished since the start, for the benchmark's figures.
    std::uint64_t ReadsDone() const { return reads_.load(); }

  private:
    struct Capture;
    void Run();
    void StartCapture();
    void Finish(bool ok);

    std::function<void()> finished_;
    bool available_ = false;
    int wakeFd_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> reads_{0};

    mutable std::mutex mutex_;
    bool wanted_ = false;
    std::uint32_t wantedOutput_ = 0;
    Rect wantedArea_{};
    std::shared_ptr<const ScreenBlock> newest_;

    // The reader thread's own.
    struct Connection;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<Capture> capture_;
    std::thread thread_;
};

}  // namespace pixolet::wayland

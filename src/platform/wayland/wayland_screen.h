// The screen as the core sees it on Wayland, in the logical coordinates of
// the output under the pointer: the pointer's position from the pick
// session's overlay, the block around it from the screen reader's newest
// finished read (the read of the block asked for now finishes a frame
// later, and the program then updates once more), and single pixels for the
// measuring markers from the same reads. Markers are not written into the
// screen here: the marker overlay draws them from the core's point list.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "ports/screen_port.h"

struct wl_output;

namespace pixolet::wayland {

class WaylandConnection;
class SeatInput;
class ScreenReader;
struct ScreenBlock;

constexpr Colour kOffScreenColour = kBlack;

class WaylandScreen : public ScreenPort {
  public:
    WaylandScreen(WaylandConnection& connection, const SeatInput& seat, ScreenReader& reader);

    // The output the pointer is over, or the first one.
    wl_output* CurrentOutput() const;

    ScreenPoint CursorPos() override;
    Size PrimarySize() override;
    void ReadBlock(const Rect& area, Colour* out) override;
    void ReadPixels(const ScreenPoint* points, Colour* out, std::size_t count) override;
    void WritePixels(const ScreenPoint*, const Colour*, std::size_t) override {}

    // A finished read is worth another tracking update: it covers what the
    // core asked for last and is newer than what it was given then.
    bool FreshBlockWanted() const;
    // A session starts: the screen may have changed since the last read.
    void NewSession() {
        requestedOutput_ = 0;
        requested_ = Rect{};
    }

  private:
    std::uint32_t CurrentOutputName() const;

    WaylandConnection& connection_;
    const SeatInput& seat_;
    ScreenReader& reader_;
    std::uint32_t requestedOutput_ = 0;
    Rect requested_{};
    std::uint32_t askedOutput_ = 0;
    Rect asked_{};
    std::uint64_t given_ = 0;  // serial of the read the last ReadBlock used
    bool givenExact_ = false;
};

}  // namespace pixolet::wayland

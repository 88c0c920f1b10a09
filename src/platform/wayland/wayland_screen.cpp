#include "platform/wayland/wayland_screen.h"

#include <algorithm>

#include "platform/wayland/screen_reader.h"
#include "platform/wayland/seat_input.h"
#include "platform/wayland/wayland_connection.h"

namespace pixolet::wayland {

WaylandScreen::WaylandScreen(WaylandConnection& connection, const SeatInput& seat,
                             ScreenReader& reader)
    : connection_(connection), seat_(seat), reader_(reader) {}

wl_output* WaylandScreen::CurrentOutput() const {
    if (wl_output* output = seat_.PointerOutput(); output && connection_.FindOutput(output))
        return output;
    const auto& outputs = connection_.Outputs();
    return outputs.empty() ? nullptr : outputs.front()->output;
}

std::uint32_t WaylandScreen::CurrentOutputName() const {
    const Output* output = connection_.FindOutput(CurrentOutput());
    return output ? output->name : 0;
}

ScreenPoint WaylandScreen::CursorPos() {
    return seat_.Position();
}

Size WaylandScreen::PrimarySize() {
    const Output* output = connection_.FindOutput(CurrentOutput());
    return output ? output->LogicalSize() : Size{1920, 1080};
}

void WaylandScreen::ReadBlock(const Rect& area, Colour* out) {
    const int width = std::max(area.Width(), 0);
    const int height = std::max(area.Height(), 0);
    std::fill_n(out, static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                kOffScreenColour);
    givenExact_ = false;
    if (width == 0 || height == 0) return;
    const std::uint32_t output = CurrentOutputName();
    const Size size = PrimarySize();
    const Rect visible = Intersect(area, Rect{0, 0, size.width, size.height});
    askedOutput_ = output;
    asked_ = visible;
    if (visible.Empty()) return;
    // Once per place: a resting pointer costs the compositor nothing.
    if (output != requestedOutput_ || visible != requested_) {
        requestedOutput_ = output;
        requested_ = visible;
        reader_.Request(output, visible);
    }

    const std::shared_ptr<const ScreenBlock> block = reader_.Newest();
    if (!block || block->output != output || block->area.Empty()) return;
    given_ = block->serial;
    givenExact_ = block->area == visible;
    // Where the newest read does not cover the block asked for (the pointer
    // moved since), it is shown where it was read, moved with the pointer:
    // the readout then shows whole, slightly older pixels for one frame
    // rather than a torn picture.
    int dx = 0;
    int dy = 0;
    if (!givenExact_ && block->area.Width() == visible.Width() &&
        block->area.Height() == visible.Height()) {
        dx = block->area.left - visible.left;
        dy = block->area.top - visible.top;
    }
    for (int y = visible.top; y < visible.bottom; ++y) {
        Colour* row = out + static_cast<std::ptrdiff_t>(y - area.top) * width;
        for (int x = visible.left; x < visible.right; ++x) {
            if (block->Contains(output, x + dx, y + dy))
                row[x - area.left] = block->At(x + dx, y + dy);
        }
    }
}

void WaylandScreen::ReadPixels(const ScreenPoint* points, Colour* out, std::size_t count) {
    std::fill_n(out, count, kOffScreenColour);
    const std::shared_ptr<const ScreenBlock> block = reader_.Newest();
    if (!block) return;
    const std::uint32_t output = CurrentOutputName();
    for (std::size_t i = 0; i < count; ++i)
        if (block->Contains(output, points[i].x, points[i].y))
            out[i] = block->At(points[i].x, points[i].y);
}

bool WaylandScreen::FreshBlockWanted() const {
    const std::shared_ptr<const ScreenBlock> block = reader_.Newest();
    if (!block || block->output != askedOutput_ || block->area != asked_) return false;
    return !givenExact_ || block->serial != given_;
}

}  // namespace pixolet::wayland

#include "platform/wayland/screen_reader.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstring>

#include "platform/wayland/protocols.h"
#include "platform/wayland/shm_buffer.h"
#include "platform/wayland/wayland_connection.h"

namespace pixolet::wayland {

namespace {

// Byte order of the formats a compositor hands out for screencopy.
Colour ToColour(std::uint32_t format, std::uint32_t pixel) {
    const auto a = static_cast<std::uint8_t>(pixel & 0xFF);
    const auto b = static_cast<std::uint8_t>((pixel >> 8) & 0xFF);
    const auto c = static_cast<std::uint8_t>((pixel >> 16) & 0xFF);
    switch (format) {
        case WL_SHM_FORMAT_XBGR8888:
        case WL_SHM_FORMAT_ABGR8888:
            return MakeColour(a, b, c);
        default:  // XRGB8888, ARGB8888
            return MakeColour(c, b, a);
    }
}

}  // namespace

struct ScreenReader::Connection {
    WaylandConnection wayland;
};

struct ScreenReader::Capture {
    zwlr_screencopy_frame_v1* frame = nullptr;
    std::uint32_t output = 0;
    Rect area{};
    std::uint32_t format = 0;
    int width = 0;
    int height = 0;
    int stride = 0;
    bool yInvert = false;
    bool haveBuffer = false;
    bool copied = false;
    // Kept from read to read while the size stays.
    std::unique_ptr<ShmBuffer> buffer;
};

ScreenReader::ScreenReader(std::function<void()> finished) : finished_(std::move(finished)) {
    connection_ = std::make_unique<Connection>();
    if (!connection_->wayland || !connection_->wayland.Screencopy() ||
        !connection_->wayland.Shm()) {
        connection_.reset();
        return;
    }
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0) {
        connection_.reset();
        return;
    }
    capture_ = std::make_unique<Capture>();
    available_ = true;
    thread_ = std::thread([this] { Run(); });
}

ScreenReader::~ScreenReader() {
    if (thread_.joinable()) {
        stop_ = true;
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(wakeFd_, &one, sizeof one);
        thread_.join();
    }
    if (capture_ && capture_->frame) zwlr_screencopy_frame_v1_destroy(capture_->frame);
    capture_.reset();
    connection_.reset();
    if (wakeFd_ >= 0) close(wakeFd_);
}

void ScreenReader::Request(std::uint32_t output, const Rect& area) {
    if (!available_ || area.Empty()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (wanted_ && wantedOutput_ == output && wantedArea_ == area) return;
        wanted_ = true;
        wantedOutput_ = output;
        wantedArea_ = area;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = write(wakeFd_, &one, sizeof one);
}

std::shared_ptr<const ScreenBlock> ScreenReader::Newest() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return newest_;
}

void ScreenReader::Run() {
    WaylandConnection& wayland = connection_->wayland;
    wl_display* display = wayland.Display();
    while (!stop_) {
        if (!capture_->frame) StartCapture();
        while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
        wl_display_flush(display);
        pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            wl_display_cancel_read(display);
            continue;
        }
        if (fds[0].revents & POLLIN) {
            if (wl_display_read_events(display) < 0) break;
        } else {
            wl_display_cancel_read(display);
        }
        if (fds[0].revents & (POLLERR | POLLHUP)) break;
        if (wl_display_dispatch_pending(display) < 0) break;
        if (fds[1].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto got = read(wakeFd_, &count, sizeof count);
        }
    }
}

void ScreenReader::StartCapture() {
    std::uint32_t outputName = 0;
    Rect area{};
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!wanted_) return;
        wanted_ = false;
        outputName = wantedOutput_;
        area = wantedArea_;
    }
    WaylandConnection& wayland = connection_->wayland;
    wl_output* output = nullptr;
    for (const auto& o : wayland.Outputs())
        if (o->name == outputName) output = o->output;
    if (!output) return;

    static const zwlr_screencopy_frame_v1_listener listener = {
        // buffer
        [](void* data, zwlr_screencopy_frame_v1* frame, std::uint32_t format, std::uint32_t width,
           std::uint32_t height, std::uint32_t stride) {
            auto* self = static_cast<ScreenReader*>(data);
            Capture& c = *self->capture_;
            c.format = format;
            c.width = static_cast<int>(width);
            c.height = static_cast<int>(height);
            c.stride = static_cast<int>(stride);
            c.haveBuffer = true;
            // Before version 3 no buffer_done follows: copy now.
            if (zwlr_screencopy_frame_v1_get_version(frame) < 3) self->Finish(true);
        },
        // flags
        [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t flags) {
            static_cast<ScreenReader*>(data)->capture_->yInvert =
                (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
        },
        // ready
        [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {
            auto* self = static_cast<ScreenReader*>(data);
            Capture& c = *self->capture_;
            auto block = std::make_shared<ScreenBlock>();
            block->output = c.output;
            block->area = c.area;
            const int w = c.area.Width();
            const int h = c.area.Height();
            block->pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
            // The buffer has the output's real pixels (more than the logical
            // ones at a scale above 1): each logical pixel takes the buffer
            // pixel at its centre.
            const std::uint8_t* base = c.buffer->Data();
            for (int y = 0; y < h; ++y) {
                int by = static_cast<int>((2LL * y + 1) * c.height / (2LL * h));
                if (c.yInvert) by = c.height - 1 - by;
                const auto* row = reinterpret_cast<const std::uint32_t*>(
                    base + static_cast<std::ptrdiff_t>(by) * c.stride);
                for (int x = 0; x < w; ++x) {
                    const int bx = static_cast<int>((2LL * x + 1) * c.width / (2LL * w));
                    block->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                                  static_cast<std::size_t>(x)] = ToColour(c.format, row[bx]);
                }
            }
            block->serial = self->reads_.load() + 1;
            {
                std::lock_guard<std::mutex> lock(self->mutex_);
                self->newest_ = std::move(block);
            }
            ++self->reads_;
            zwlr_screencopy_frame_v1_destroy(c.frame);
            c.frame = nullptr;
            if (self->finished_) self->finished_();
        },
        // failed
        [](void* data, zwlr_screencopy_frame_v1*) {
            auto* self = static_cast<ScreenReader*>(data);
            zwlr_screencopy_frame_v1_destroy(self->capture_->frame);
            self->capture_->frame = nullptr;
        },
        // damage
        [](void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t,
           std::uint32_t) {},
        // linux_dmabuf
        [](void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {},
        // buffer_done
        [](void* data, zwlr_screencopy_frame_v1*) {
            static_cast<ScreenReader*>(data)->Finish(true);
        },
    };
    Capture& c = *capture_;
    c.output = outputName;
    c.area = area;
    c.haveBuffer = false;
    c.copied = false;
    c.yInvert = false;
    // No pointer in the picture where the compositor can leave it out.
    c.frame = zwlr_screencopy_manager_v1_capture_output_region(
        wayland.Screencopy(), 0, output, area.left, area.top, area.Width(), area.Height());
    zwlr_screencopy_frame_v1_add_listener(c.frame, &listener, this);
}

void ScreenReader::Finish(bool) {
    Capture& c = *capture_;
    if (c.copied || !c.frame) return;
    if (!c.haveBuffer || c.width <= 0 || c.height <= 0 || c.stride < c.width * 4) {
        zwlr_screencopy_frame_v1_destroy(c.frame);
        c.frame = nullptr;
        return;
    }
    if (!c.buffer || c.buffer->Width() != c.width || c.buffer->Height() != c.height ||
        c.buffer->Stride() != c.stride)
        c.buffer =
            std::make_unique<ShmBuffer>(connection_->wayland.Shm(), c.width, c.height, c.format);
    if (!c.buffer->Valid() || c.buffer->Stride() != c.stride) {
        zwlr_screencopy_frame_v1_destroy(c.frame);
        c.frame = nullptr;
        return;
    }
    c.copied = true;
    zwlr_screencopy_frame_v1_copy(c.frame, c.buffer->Buffer());
}

}  // namespace pixolet::wayland

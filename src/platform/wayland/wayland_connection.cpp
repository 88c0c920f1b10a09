#include "platform/wayland/wayland_connection.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/wayland/protocols.h"

namespace pixolet::wayland {

namespace {

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface,
        std::uint32_t offered, std::uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

void OutputGeometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                    std::int32_t, const char*, const char*, std::int32_t) {}

void OutputMode(void* data, wl_output*, std::uint32_t flags, std::int32_t width,
                std::int32_t height, std::int32_t refresh) {
    if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
    auto* output = static_cast<Output*>(data);
    output->refreshMilliHertz = refresh;
    output->modeWidth = width;
    output->modeHeight = height;
}

void OutputDone(void*, wl_output*) {}

void OutputScale(void* data, wl_output*, std::int32_t factor) {
    static_cast<Output*>(data)->scale = factor > 0 ? factor : 1;
}

void OutputText(void*, wl_output*, const char*) {}

// name and description come from version 4 on, above the version bound.
const wl_output_listener kOutputListener = {OutputGeometry, OutputMode, OutputDone,
                                            OutputScale,    OutputText, OutputText};

}  // namespace

Size Output::LogicalSize() const {
    if (logicalWidth > 0 && logicalHeight > 0) return Size{logicalWidth, logicalHeight};
    if (modeWidth > 0 && modeHeight > 0) return Size{modeWidth / scale, modeHeight / scale};
    return Size{1920, 1080};
}

WaylandConnection::WaylandConnection(const char* name) {
    display_ = wl_display_connect(name);
    if (!display_) return;
    static const wl_registry_listener listener = {Global, GlobalRemove};
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &listener, this);
    // The globals, then what the bound objects announce at once (the
    // outputs' modes, the seat's capabilities).
    if (wl_display_roundtrip(display_) < 0 || wl_display_roundtrip(display_) < 0) {
        Close();
    }
}

WaylandConnection::~WaylandConnection() {
    Close();
}

void WaylandConnection::Close() {
    if (!display_) return;
    for (const auto& output : outputs_) {
        if (wl_output_get_version(output->output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
            wl_output_release(output->output);
        else
            wl_output_destroy(output->output);
    }
    outputs_.clear();
    if (dataControl_) zwlr_data_control_manager_v1_destroy(dataControl_);
    if (screencopy_) zwlr_screencopy_manager_v1_destroy(screencopy_);
    if (layerShell_) zwlr_layer_shell_v1_destroy(layerShell_);
    if (seat_) {
        if (wl_seat_get_version(seat_) >= WL_SEAT_RELEASE_SINCE_VERSION)
            wl_seat_release(seat_);
        else
            wl_seat_destroy(seat_);
    }
    if (shm_) wl_shm_destroy(shm_);
    if (compositor_) wl_compositor_destroy(compositor_);
    if (registry_) wl_registry_destroy(registry_);
    registry_ = nullptr;
    dataControl_ = nullptr;
    screencopy_ = nullptr;
    layerShell_ = nullptr;
    seat_ = nullptr;
    shm_ = nullptr;
    compositor_ = nullptr;
    wl_display_flush(display_);
    wl_display_disconnect(display_);
    display_ = nullptr;
}

void WaylandConnection::Global(void* data, wl_registry* registry, std::uint32_t name,
                               const char* interface, std::uint32_t version) {
    auto* self = static_cast<WaylandConnection*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0 && !self->compositor_) {
        self->compositor_ =
            Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, 4);
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0 && !self->shm_) {
        self->shm_ = Bind<wl_shm>(registry, name, &wl_shm_interface, version, 1);
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !self->seat_) {
        // The first seat is the user's; a desktop with several is rare.
        self->seat_ = Bind<wl_seat>(registry, name, &wl_seat_interface, version, 5);
        self->seatName_ = name;
        static const wl_seat_listener listener = {SeatCapabilities, SeatName};
        wl_seat_add_listener(self->seat_, &listener, self);
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        self->AddOutput(name, version);
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
        self->layerShell_ =
            Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, 4);
    } else if (std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0) {
        self->screencopy_ = Bind<zwlr_screencopy_manager_v1>(
            registry, name, &zwlr_screencopy_manager_v1_interface, version, 3);
    } else if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
        self->dataControl_ = Bind<zwlr_data_control_manager_v1>(
            registry, name, &zwlr_data_control_manager_v1_interface, version, 2);
    }
}

void WaylandConnection::AddOutput(std::uint32_t name, std::uint32_t version) {
    auto output = std::make_unique<Output>();
    output->name = name;
    output->output = Bind<wl_output>(registry_, name, &wl_output_interface, version, 3);
    wl_output_add_listener(output->output, &kOutputListener, output.get());
    outputs_.push_back(std::move(output));
    if (outputsChanged_) outputsChanged_();
}

void WaylandConnection::GlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    auto* self = static_cast<WaylandConnection*>(data);
    const auto it = std::find_if(self->outputs_.begin(), self->outputs_.end(),
                                 [name](const auto& o) { return o->name == name; });
    if (it == self->outputs_.end()) return;
    if (wl_output_get_version((*it)->output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release((*it)->output);
    else
        wl_output_destroy((*it)->output);
    self->outputs_.erase(it);
    if (self->outputsChanged_) self->outputsChanged_();
}

void WaylandConnection::SeatCapabilities(void* data, wl_seat*, std::uint32_t capabilities) {
    auto* self = static_cast<WaylandConnection*>(data);
    self->seatCapabilities_ = capabilities;
    if (self->seatChanged_) self->seatChanged_(capabilities);
}

void WaylandConnection::SeatName(void*, wl_seat*, const char*) {}

void WaylandConnection::SetSeatCapabilities(std::function<void(std::uint32_t)> changed) {
    seatChanged_ = std::move(changed);
    if (seatChanged_ && seat_) seatChanged_(seatCapabilities_);
}

Output* WaylandConnection::FindOutput(const wl_output* output) const {
    for (const auto& o : outputs_)
        if (o->output == output) return o.get();
    return nullptr;
}

bool WaylandConnection::Roundtrip() {
    return display_ && wl_display_roundtrip(display_) >= 0;
}

void WaylandConnection::Flush() {
    if (display_) wl_display_flush(display_);
}

bool WaylandConnection::DispatchPending() {
    if (!display_) return false;
    return wl_display_dispatch_pending(display_) >= 0;
}

bool WaylandConnection::ReadAndDispatch() {
    if (!display_) return false;
    while (wl_display_prepare_read(display_) != 0) {
        if (wl_display_dispatch_pending(display_) < 0) return false;
    }
    wl_display_flush(display_);
    pollfd fd{wl_display_get_fd(display_), POLLIN, 0};
    if (poll(&fd, 1, 0) > 0) {
        if (wl_display_read_events(display_) < 0) return false;
    } else {
        wl_display_cancel_read(display_);
    }
    return wl_display_dispatch_pending(display_) >= 0;
}

int WaylandConnection::Fd() const {
    return display_ ? wl_display_get_fd(display_) : -1;
}

bool WaylandConnection::Broken() const {
    return !display_ || wl_display_get_error(display_) != 0;
}

}  // namespace pixolet::wayland

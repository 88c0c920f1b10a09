// One connection to the Wayland compositor with the globals the program
// uses, bound at connect. The GUI thread has one (surfaces, input, the
// clipboard); the screen reader has another on its own thread, so a read
// waiting for the compositor's frame never holds up the input.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ports/types.h"

struct wl_display;
struct wl_registry;
struct wl_compositor;
struct wl_shm;
struct wl_seat;
struct wl_output;
struct zwlr_layer_shell_v1;
struct zwlr_screencopy_manager_v1;
struct zwlr_data_control_manager_v1;

namespace pixolet::wayland {

// A wl_output as the compositor describes it.
struct Output {
    wl_output* output = nullptr;
    std::uint32_t name = 0;  // the global's name
    int refreshMilliHertz = 0;
    int scale = 1;
    int modeWidth = 0;  // the current mode, in the output's real pixels
    int modeHeight = 0;
    // The output's size in logical pixels, as its full-size layer surfaces
    // are told; until one is, the mode divided by the scale.
    int logicalWidth = 0;
    int logicalHeight = 0;

    Size LogicalSize() const;
};

class WaylandConnection {
  public:
    // Connects to WAYLAND_DISPLAY (or `name`) and binds the globals after one
    // round trip. False, with nothing left open, when nobody answers.
    explicit WaylandConnection(const char* name = nullptr);
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    explicit operator bool() const { return display_ != nullptr; }
    wl_display* Display() const { return display_; }

    wl_compositor* Compositor() const { return compositor_; }
    wl_shm* Shm() const { return shm_; }
    wl_seat* Seat() const { return seat_; }
    zwlr_layer_shell_v1* LayerShell() const { return layerShell_; }
    zwlr_screencopy_manager_v1* Screencopy() const { return screencopy_; }
    zwlr_data_control_manager_v1* DataControl() const { return dataControl_; }
    const std::vector<std::unique_ptr<Output>>& Outputs() const { return outputs_; }
    Output* FindOutput(const wl_output* output) const;

    // Called when an output comes or goes (after the change).
    void SetOutputsChanged(std::function<void()> changed) { outputsChanged_ = std::move(changed); }
    // The seat's capabilities (WL_SEAT_CAPABILITY_*), as last announced.
    void SetSeatCapabilities(std::function<void(std::uint32_t)> changed);

    // One round trip: everything asked so far has been handled.
    bool Roundtrip();
    // Sends what is queued without waiting.
    void Flush();
    // Handles what has arrived without blocking; false once the connection
    // is broken.
    bool DispatchPending();
    // Reads what the socket holds and handles it, without blocking.
    bool ReadAndDispatch();
    int Fd() const;
    bool Broken() const;

  private:
    static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version);
    static void GlobalRemove(void* data, wl_registry* registry, std::uint32_t name);
    static void SeatCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities);
    static void SeatName(void* data, wl_seat* seat, const char* name);
    void AddOutput(std::uint32_t name, std::uint32_t version);
    void Close();

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    wl_seat* seat_ = nullptr;
    std::uint32_t seatName_ = 0;
    std::uint32_t seatCapabilities_ = 0;
    zwlr_layer_shell_v1* layerShell_ = nullptr;
    zwlr_screencopy_manager_v1* screencopy_ = nullptr;
    zwlr_data_control_manager_v1* dataControl_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::function<void()> outputsChanged_;
    std::function<void(std::uint32_t)> seatChanged_;
};

}  // namespace pixolet::wayland

// A mouse for the Wayland test desktop, on the compositor's virtual-pointer
// protocol: one pointer device that stays plugged in for the tool's life and
// moves the way a hand moves a mouse, through many reports in between, at a
// given report rate.
//
//   pixolet_wl_pointer --extent WxH [--at X Y]
//
// Commands come on stdin, one a line; each is answered on stdout with "ok"
// once the compositor has handled every report it sent (or "error <why>"):
//   move X Y [STEPS [RATE]]   from the last position to X,Y in STEPS reports
//                             (default 12), RATE reports a second (default
//                             250); STEPS 1 is one report
//   press B | release B | click B
//                             button B: 1 left, 2 middle, 3 right
//   where                     answers "at X Y", the last position sent
//   quit                      ends the tool
// Positions are output pixels; each report names a point a quarter pixel
// inside its pixel, so that clients that round the position and clients
// that truncate it find the same pixel, and the compositor's arithmetic
// cannot move it onto a neighbour. --at places the pointer with one report
// before the first command is read.
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "wlr-virtual-pointer-unstable-v1-client.h"

namespace {

struct DisplayDeleter {
    void operator()(wl_display* display) const { wl_display_disconnect(display); }
};
struct RegistryDeleter {
    void operator()(wl_registry* registry) const { wl_registry_destroy(registry); }
};
struct SeatDeleter {
    void operator()(wl_seat* seat) const { wl_seat_destroy(seat); }
};
struct ManagerDeleter {
    void operator()(zwlr_virtual_pointer_manager_v1* manager) const {
        zwlr_virtual_pointer_manager_v1_destroy(manager);
    }
};
struct PointerDeleter {
    void operator()(zwlr_virtual_pointer_v1* pointer) const {
        zwlr_virtual_pointer_v1_destroy(pointer);
    }
};

struct Globals {
    std::unique_ptr<wl_seat, SeatDeleter> seat;
    std::unique_ptr<zwlr_virtual_pointer_manager_v1, ManagerDeleter> manager;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat) {
        globals->seat.reset(
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1)));
    } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        globals->manager.reset(static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1)));
    }
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

struct Point {
    int x = 0;
    int y = 0;
};

// Where a hand is after `t` (0..1) of a move: slow at the start and the end,
// fastest in the middle, as a mouse moved from one place to another.
double Eased(double t) {
    return t * t * (3.0 - 2.0 * t);
}

class VirtualMouse {
  public:
    VirtualMouse(wl_display* display, zwlr_virtual_pointer_v1* pointer, int width, int height)
        : display_(display), pointer_(pointer), width_(width), height_(height) {}

    bool Move(Point to, int steps, double rate) {
        const Point from = at_.value_or(to);
        const auto interval = std::chrono::duration<double>(1.0 / rate);
        auto due = std::chrono::steady_clock::now();
        for (int i = 1; i <= steps; ++i) {
            const double t = Eased(static_cast<double>(i) / steps);
            const Point p{static_cast<int>(std::lround(from.x + (to.x - from.x) * t)),
                          static_cast<int>(std::lround(from.y + (to.y - from.y) * t))};
            Report(p);
            if (i < steps) {
                due += std::chrono::duration_cast<std::chrono::steady_clock::duration>(interval);
                std::this_thread::sleep_until(due);
            }
        }
        return Settle();
    }

    bool Button(int which, bool down) {
        static constexpr uint32_t kCodes[] = {BTN_LEFT, BTN_MIDDLE, BTN_RIGHT};
        zwlr_virtual_pointer_v1_button(
            pointer_, Now(), kCodes[which - 1],
            down ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
        zwlr_virtual_pointer_v1_frame(pointer_);
        return Settle();
    }

    std::optional<Point> At() const { return at_; }

  private:
    void Report(Point p) {
        p.x = std::clamp(p.x, 0, width_ - 1);
        p.y = std::clamp(p.y, 0, height_ - 1);
        // Four times the extent: a quarter pixel into the pixel.
        zwlr_virtual_pointer_v1_motion_absolute(
            pointer_, Now(), static_cast<uint32_t>(4 * p.x + 1), static_cast<uint32_t>(4 * p.y + 1),
            static_cast<uint32_t>(4 * width_), static_cast<uint32_t>(4 * height_));
        zwlr_virtual_pointer_v1_frame(pointer_);
        wl_display_flush(display_);
        at_ = p;
    }

    // Returns once the compositor has handled everything sent so far.
    bool Settle() { return wl_display_roundtrip(display_) >= 0; }

    static uint32_t Now() {
        using namespace std::chrono;
        return static_cast<uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }

    wl_display* display_;
    zwlr_virtual_pointer_v1* pointer_;
    int width_;
    int height_;
    std::optional<Point> at_;
};

int ButtonNumber(std::istringstream& args) {
    int which = 0;
    if (!(args >> which) || which < 1 || which > 3) return 0;
    return which;
}

// Runs one command line; returns the answer, or nothing for "quit".
std::optional<std::string> Run(VirtualMouse& mouse, const std::string& line) {
    std::istringstream args(line);
    std::string verb;
    args >> verb;
    if (verb == "quit") return std::nullopt;
    if (verb == "move") {
        Point to;
        int steps = 12;
        double rate = 250.0;
        if (!(args >> to.x >> to.y)) return "error move needs X Y";
        if (args >> steps) args >> rate;
        if (steps < 1 || rate <= 0.0) return "error bad steps or rate";
        return mouse.Move(to, steps, rate) ? "ok" : "error compositor gone";
    }
    if (verb == "press" || verb == "release" || verb == "click") {
        const int which = ButtonNumber(args);
        if (!which) return "error button must be 1, 2 or 3";
        bool ok = true;
        if (verb != "release") ok = mouse.Button(which, true);
        if (verb != "press") ok = ok && mouse.Button(which, false);
        return ok ? "ok" : "error compositor gone";
    }
    if (verb == "where") {
        const auto at = mouse.At();
        if (!at) return "error not placed yet";
        return "at " + std::to_string(at->x) + " " + std::to_string(at->y);
    }
    return "error unknown command: " + verb;
}

int Usage() {
    std::fputs("usage: pixolet_wl_pointer --extent WxH [--at X Y]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int width = 0;
    int height = 0;
    std::optional<Point> start;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--extent" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2) return Usage();
        } else if (arg == "--at" && i + 2 < argc) {
            start = Point{std::atoi(argv[i + 1]), std::atoi(argv[i + 2])};
            i += 2;
        } else {
            return Usage();
        }
    }
    if (width <= 0 || height <= 0) return Usage();

    std::unique_ptr<wl_display, DisplayDeleter> display(wl_display_connect(nullptr));
    if (!display) {
        std::fputs("pixolet_wl_pointer: cannot connect to the Wayland display\n", stderr);
        return 1;
    }
    Globals globals;
    {
        std::unique_ptr<wl_registry, RegistryDeleter> registry(
            wl_display_get_registry(display.get()));
        wl_registry_add_listener(registry.get(), &kRegistryListener, &globals);
        wl_display_roundtrip(display.get());
    }
    if (!globals.manager) {
        std::fputs("pixolet_wl_pointer: the compositor offers no virtual pointers\n", stderr);
        return 1;
    }
    std::unique_ptr<zwlr_virtual_pointer_v1, PointerDeleter> pointer(
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager.get(),
                                                               globals.seat.get()));
    VirtualMouse mouse(display.get(), pointer.get(), width, height);
    if (start && !mouse.Move(*start, 1, 1.0)) return 1;

    std::string line;
    while (std::getline(std::cin, line)) {
        const auto answer = Run(mouse, line);
        if (!answer) break;
        std::printf("%s\n", answer->c_str());
        std::fflush(stdout);
    }
    pointer.reset();
    wl_display_roundtrip(display.get());
    return 0;
}

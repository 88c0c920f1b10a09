// The seat's pointer and keyboard as our own surfaces receive them. While a
// pick session runs, its overlay holds the pointer and the keyboard, so
// every move, click and key reaches the program here; outside a session
// nothing does. Keys become the Windows virtual-key codes the shortcuts are
// stored in (the same table as on X11: Wayland key symbols are X's), and the
// key and button state is kept from the ordered stream, as on X11. Pointer
// and keyboard come and go with the seat's capabilities (a keyboard plugged
// in or out, a virtual one that exists only while a tool types).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "ports/types.h"
#include "readout/key_state_tracker.h"

struct wl_pointer;
struct wl_keyboard;
struct wl_surface;
struct wl_output;
struct wl_array;
struct xkb_context;
struct xkb_keymap;
struct wl_cursor_theme;

namespace pixolet::wayland {

class WaylandConnection;

struct SeatEvent {
    enum class Kind { Motion, Button, Key } kind = Kind::Motion;
    int button = 0;  // 1 left, 2 middle, 3 right
    bool pressed = false;
    int virtualKey = 0;
    InputKind keyKind = InputKind::Other;  // KeyDown, SysKeyDown or KeyUp
};

class SeatInput : public KeyStatePort {
  public:
    using Handler = std::function<void(const SeatEvent&)>;
    // Which output a surface of ours covers; null for surfaces that are not
    // the session's overlay.
    using SurfaceOutput = std::function<wl_output*(wl_surface*)>;

    SeatInput(WaylandConnection& connection, SurfaceOutput surfaceOutput);
    ~SeatInput() override;
    SeatInput(const SeatInput&) = delete;
    SeatInput& operator=(const SeatInput&) = delete;

    // Runs before the key and button state takes in a key or button event.
    void SetHandler(Handler handler, std::function<void()> beforeKeyOrButton);

    // The pointer's last position on the output it was last seen over, in
    // that output's logical coordinates.
    ScreenPoint Position() const { return position_; }
    wl_output* PointerOutput() const { return output_; }
    bool HasKeyboard() const { return keyboard_ != nullptr; }

    bool IsDown(int virtualKey) const override { return keys_.IsDown(virtualKey); }

  private:
    void Capabilities(std::uint32_t capabilities);
    void ReleasePointer();
    void ReleaseKeyboard();
    void Emit(const SeatEvent& event);
    void BeforeKeyOrButton();
    int VirtualKeyOf(std::uint32_t keyCode) const;
    void SetCursor(std::uint32_t serial);

    static void PointerEnter(void* data, wl_pointer* pointer, std::uint32_t serial,
                             wl_surface* surface, std::int32_t x, std::int32_t y);
    static void PointerLeave(void* data, wl_pointer* pointer, std::uint32_t serial,
                             wl_surface* surface);
    static void PointerMotion(void* data, wl_pointer* pointer, std::uint32_t time, std::int32_t x,
                              std::int32_t y);
    static void PointerButton(void* data, wl_pointer* pointer, std::uint32_t serial,
                              std::uint32_t time, std::uint32_t button, std::uint32_t state);
    static void KeyboardKeymap(void* data, wl_keyboard* keyboard, std::uint32_t format,
                               std::int32_t fd, std::uint32_t size);
    static void KeyboardEnter(void* data, wl_keyboard* keyboard, std::uint32_t serial,
                              wl_surface* surface, wl_array* keys);
    static void KeyboardLeave(void* data, wl_keyboard* keyboard, std::uint32_t serial,
                              wl_surface* surface);
    static void KeyboardModifiers(void* data, wl_keyboard* keyboard, std::uint32_t serial,
                                  std::uint32_t depressed, std::uint32_t latched,
                                  std::uint32_t locked, std::uint32_t group);
    static void KeyboardKey(void* data, wl_keyboard* keyboard, std::uint32_t serial,
                            std::uint32_t time, std::uint32_t key, std::uint32_t state);

    WaylandConnection& connection_;
    SurfaceOutput surfaceOutput_;
    Handler handler_;
    std::function<void()> before_;
    wl_pointer* pointer_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    xkb_context* xkb_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    wl_cursor_theme* cursorTheme_ = nullptr;
    wl_surface* cursorSurface_ = nullptr;
    ScreenPoint position_{};
    wl_output* output_ = nullptr;
    KeyStateTracker keys_;
};

}  // namespace pixolet::wayland

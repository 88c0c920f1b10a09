#include "platform/wayland/seat_input.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wayland-cursor.h>
#include <xkbcommon/xkbcommon.h>

#include <cmath>
#include <cstdlib>

#include "platform/linux/keymap.h"
#include "platform/wayland/wayland_connection.h"

namespace pixolet::wayland {

namespace {

int ButtonNumber(std::uint32_t button) {
    switch (button) {
        case BTN_LEFT:
            return 1;
        case BTN_MIDDLE:
            return 2;
        case BTN_RIGHT:
            return 3;
        default:
            return 0;
    }
}

int CursorSize() {
    const char* size = std::getenv("XCURSOR_SIZE");
    const int value = size ? std::atoi(size) : 0;
    return value > 0 && value <= 256 ? value : 24;
}

}  // namespace

SeatInput::SeatInput(WaylandConnection& connection, SurfaceOutput surfaceOutput)
    : connection_(connection), surfaceOutput_(std::move(surfaceOutput)) {
    xkb_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (connection.Shm()) {
        // The desktop's own cursor theme (XCURSOR_THEME), as every client
        // loads it.
        cursorTheme_ =
            wl_cursor_theme_load(std::getenv("XCURSOR_THEME"), CursorSize(), connection.Shm());
        if (connection.Compositor())
            cursorSurface_ = wl_compositor_create_surface(connection.Compositor());
    }
    connection_.SetSeatCapabilities([this](std::uint32_t caps) { Capabilities(caps); });
}

SeatInput::~SeatInput() {
    connection_.SetSeatCapabilities(nullptr);
    ReleasePointer();
    ReleaseKeyboard();
    if (cursorSurface_) wl_surface_destroy(cursorSurface_);
    if (cursorTheme_) wl_cursor_theme_destroy(cursorTheme_);
    if (xkb_) xkb_context_unref(xkb_);
}

void SeatInput::SetHandler(Handler handler, std::function<void()> beforeKeyOrButton) {
    handler_ = std::move(handler);
    before_ = std::move(beforeKeyOrButton);
}

void SeatInput::Capabilities(std::uint32_t capabilities) {
    wl_seat* seat = connection_.Seat();
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !pointer_) {
        static const wl_pointer_listener listener = {
            PointerEnter,
            PointerLeave,
            PointerMotion,
            PointerButton,
            [](void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {},
            [](void*, wl_pointer*) {},
            [](void*, wl_pointer*, std::uint32_t) {},
            [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
            [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
            // axis_value120: not sent at the version bound
            [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
        };
        pointer_ = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(pointer_, &listener, this);
    } else if (!(capabilities & WL_SEAT_CAPABILITY_POINTER) && pointer_) {
        ReleasePointer();
    }
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !keyboard_) {
        static const wl_keyboard_listener listener = {
            KeyboardKeymap,    KeyboardEnter,
            KeyboardLeave,     KeyboardKey,
            KeyboardModifiers, [](void*, wl_keyboard*, std::int32_t, std::int32_t) {},
        };
        keyboard_ = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(keyboard_, &listener, this);
    } else if (!(capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && keyboard_) {
        // The keyboard went (unplugged, or a virtual one whose tool ended):
        // no key stays down with it. A new one announces itself again.
        ReleaseKeyboard();
    }
    connection_.Flush();
}

void SeatInput::ReleasePointer() {
    if (!pointer_) return;
    if (wl_pointer_get_version(pointer_) >= WL_POINTER_RELEASE_SINCE_VERSION)
        wl_pointer_release(pointer_);
    else
        wl_pointer_destroy(pointer_);
    pointer_ = nullptr;
}

void SeatInput::ReleaseKeyboard() {
    if (keyboard_) {
        if (wl_keyboard_get_version(keyboard_) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
            wl_keyboard_release(keyboard_);
        else
            wl_keyboard_destroy(keyboard_);
        keyboard_ = nullptr;
    }
    if (keymap_) xkb_keymap_unref(keymap_);
    keymap_ = nullptr;
    keys_.Clear();
}

void SeatInput::Emit(const SeatEvent& event) {
    if (handler_) {
        // A copy: the handler may end the session and replace handler_.
        const Handler handler = handler_;
        handler(event);
    }
}

void SeatInput::BeforeKeyOrButton() {
    if (before_) {
        const auto before = before_;
        before();
    }
}

void SeatInput::SetCursor(std::uint32_t serial) {
    if (!cursorTheme_ || !cursorSurface_ || !pointer_) return;
    wl_cursor* cursor = wl_cursor_theme_get_cursor(cursorTheme_, "crosshair");
    if (!cursor) cursor = wl_cursor_theme_get_cursor(cursorTheme_, "cross");
    if (!cursor) cursor = wl_cursor_theme_get_cursor(cursorTheme_, "left_ptr");
    if (!cursor || cursor->image_count == 0) return;
    wl_cursor_image* image = cursor->images[0];
    wl_buffer* buffer = wl_cursor_image_get_buffer(image);
    if (!buffer) return;
    wl_pointer_set_cursor(pointer_, serial, cursorSurface_,
                          static_cast<std::int32_t>(image->hotspot_x),
                          static_cast<std::int32_t>(image->hotspot_y));
    wl_surface_attach(cursorSurface_, buffer, 0, 0);
    wl_surface_damage(cursorSurface_, 0, 0, static_cast<std::int32_t>(image->width),
                      static_cast<std::int32_t>(image->height));
    wl_surface_commit(cursorSurface_);
}

void SeatInput::PointerEnter(void* data, wl_pointer*, std::uint32_t serial, wl_surface* surface,
                             std::int32_t x, std::int32_t y) {
    auto* self = static_cast<SeatInput*>(data);
    wl_output* output = self->surfaceOutput_ ? self->surfaceOutput_(surface) : nullptr;
    if (!output) return;
    self->output_ = output;
    self->SetCursor(serial);
    self->position_ = ScreenPoint{static_cast<std::int32_t>(std::floor(wl_fixed_to_double(x))),
                                  static_cast<std::int32_t>(std::floor(wl_fixed_to_double(y)))};
    self->Emit(SeatEvent{SeatEvent::Kind::Motion});
}

void SeatInput::PointerLeave(void*, wl_pointer*, std::uint32_t, wl_surface*) {}

void SeatInput::PointerMotion(void* data, wl_pointer*, std::uint32_t, std::int32_t x,
                              std::int32_t y) {
    auto* self = static_cast<SeatInput*>(data);
    const ScreenPoint at{static_cast<std::int32_t>(std::floor(wl_fixed_to_double(x))),
                         static_cast<std::int32_t>(std::floor(wl_fixed_to_double(y)))};
    // Motion within one logical pixel changes nothing the readout shows.
    if (at == self->position_) return;
    self->position_ = at;
    self->Emit(SeatEvent{SeatEvent::Kind::Motion});
}

void SeatInput::PointerButton(void* data, wl_pointer*, std::uint32_t, std::uint32_t,
                              std::uint32_t button, std::uint32_t state) {
    auto* self = static_cast<SeatInput*>(data);
    const int number = ButtonNumber(button);
    if (number == 0) return;
    self->BeforeKeyOrButton();
    const bool pressed = state == WL_POINTER_BUTTON_STATE_PRESSED;
    if (pressed)
        self->keys_.ButtonPressed(number);
    else
        self->keys_.ButtonReleased(number);
    SeatEvent event{SeatEvent::Kind::Button};
    event.button = number;
    event.pressed = pressed;
    self->Emit(event);
}

void SeatInput::KeyboardKeymap(void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd,
                               std::uint32_t size) {
    auto* self = static_cast<SeatInput*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && self->xkb_ && size > 0) {
        void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            xkb_keymap* keymap =
                xkb_keymap_new_from_buffer(self->xkb_, static_cast<const char*>(text), size - 1,
                                           XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
            munmap(text, size);
            if (keymap) {
                if (self->keymap_) xkb_keymap_unref(self->keymap_);
                self->keymap_ = keymap;
            }
        }
    }
    close(fd);
}

void SeatInput::KeyboardEnter(void* data, wl_keyboard*, std::uint32_t, wl_surface*,
                              wl_array* keys) {
    auto* self = static_cast<SeatInput*>(data);
    // Keys already down when the focus came: held, but not typed here.
    self->keys_.Clear();
    const auto* begin = static_cast<const std::uint32_t*>(keys->data);
    const std::size_t count = keys->size / sizeof(std::uint32_t);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t code = begin[i] + 8;
        if (code < KeyStateTracker::kKeyCodes - 3)
            self->keys_.KeyPressed(code, self->VirtualKeyOf(code));
    }
}

void SeatInput::KeyboardLeave(void* data, wl_keyboard*, std::uint32_t, wl_surface*) {
    // Whatever is let go elsewhere is never seen here.
    static_cast<SeatInput*>(data)->keys_.Clear();
}

void SeatInput::KeyboardKey(void* data, wl_keyboard*, std::uint32_t, std::uint32_t,
                            std::uint32_t key, std::uint32_t state) {
    auto* self = static_cast<SeatInput*>(data);
    const std::uint32_t code = key + 8;  // evdev codes to XKB key codes
    if (code >= KeyStateTracker::kKeyCodes - 3) return;
    self->BeforeKeyOrButton();
    SeatEvent event{SeatEvent::Kind::Key};
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) {
        const int virtualKey = self->VirtualKeyOf(code);
        self->keys_.KeyPressed(code, virtualKey);
        if (virtualKey == 0) return;  // a key with no virtual-key code
        event.virtualKey = virtualKey;
        event.pressed = true;
        event.keyKind = self->keys_.KeyDownKind(virtualKey);
    } else {
        const int virtualKey = self->keys_.DownVirtualKey(code);
        self->keys_.KeyReleased(code);
        if (virtualKey == 0) return;
        event.virtualKey = virtualKey;
        event.keyKind = InputKind::KeyUp;
    }
    self->Emit(event);
}

void SeatInput::KeyboardModifiers(void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed,
                                  std::uint32_t latched, std::uint32_t, std::uint32_t) {
    auto* self = static_cast<SeatInput*>(data);
    if (!self->keymap_) return;
    // Programs that type (virtual keyboards) may set the modifiers without
    // any key of theirs: each modifier held counts as one more key down,
    // under a key code of its own that no keyboard has.
    struct Modifier {
        const char* name;
        unsigned code;
        int virtualKey;
    };
    static constexpr Modifier kModifiers[] = {
        {XKB_MOD_NAME_SHIFT, KeyStateTracker::kKeyCodes - 3, 0x10},
        {XKB_MOD_NAME_CTRL, KeyStateTracker::kKeyCodes - 2, 0x11},
        {XKB_MOD_NAME_ALT, KeyStateTracker::kKeyCodes - 1, 0x12},
    };
    const std::uint32_t held = depressed | latched;
    for (const Modifier& m : kModifiers) {
        const xkb_mod_index_t index = xkb_keymap_mod_get_index(self->keymap_, m.name);
        if (index == XKB_MOD_INVALID || index >= 32) continue;
        const bool down = (held >> index) & 1U;
        const bool wasDown = self->keys_.DownVirtualKey(m.code) != 0;
        if (down && !wasDown)
            self->keys_.KeyPressed(m.code, m.virtualKey);
        else if (!down && wasDown)
            self->keys_.KeyReleased(m.code);
    }
}

int SeatInput::VirtualKeyOf(std::uint32_t keyCode) const {
    if (!keymap_) return 0;
    // Level 0 of the first layout, so that Shift+C and C both name the C
    // key, as on X11.
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap_, keyCode, 0, 0, &syms);
    if (count < 1 || !syms) return 0;
    return linux_common::VirtualKeyFromKeysym(syms[0]);
}

}  // namespace pixolet::wayland

#include "platform/win32/input_source.h"

#include <array>
#include <cstdint>

namespace pixolet::win32 {

namespace {

constexpr char kWindowClass[] = "PixoletInputSink";
constexpr USHORT kGenericDesktopPage = 0x01;
constexpr USHORT kMouseUsage = 0x02;
constexpr USHORT kKeyboardUsage = 0x06;

bool Register(HWND target, DWORD flags) {
    std::array<RAWINPUTDEVICE, 2> devices{};
    devices[0] = RAWINPUTDEVICE{kGenericDesktopPage, kMouseUsage, flags, target};
    devices[1] = RAWINPUTDEVICE{kGenericDesktopPage, kKeyboardUsage, flags, target};
    return RegisterRawInputDevices(devices.data(), static_cast<UINT>(devices.size()),
                                   sizeof(RAWINPUTDEVICE)) != FALSE;
}

bool AsyncDown(int virtualKey) {
    return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000U) != 0;
}

}  // namespace

Win32InputSource::Win32InputSource(HINSTANCE instance) {
    // Message-only: no desktop enumeration (a close request to "every
    // window") ever reaches it.
    WindowOptions options;
    options.className = kWindowClass;
    options.style = 0;
    options.parent = HWND_MESSAGE;
    window_ = CreateBoundWindow(instance, options, this);
}

Win32InputSource::~Win32InputSource() {
    Remove();
    DestroyBoundWindow(window_);
}

bool Win32InputSource::Install(Handler handler, BeforeKeyOrButton before) {
    if (installed_ || !window_) return false;
    if (!Register(window_, RIDEV_INPUTSINK)) return false;
    handler_ = std::move(handler);
    before_ = std::move(before);
    installed_ = true;
    SeedKeyState();
    return true;
}

void Win32InputSource::Remove() {
    handler_ = nullptr;
    before_ = nullptr;
    if (!installed_) return;
    installed_ = false;
    Register(nullptr, RIDEV_REMOVE);
    keys_.Clear();
}

void Win32InputSource::SeedKeyState() {
    // Keys and buttons already held when observing starts; from here on the
    // record stream alone keeps the state (asking the system at handling
    // time would give the state after later keys).
    keys_.Clear();
    struct Held {
        int virtualKey;
        unsigned code;  // scan code, 0x100 for E0 keys
        int generic;
    };
    constexpr Held kModifiers[] = {
        {VK_LSHIFT, 0x2A, VK_SHIFT},     {VK_RSHIFT, 0x36, VK_SHIFT},
        {VK_LCONTROL, 0x1D, VK_CONTROL}, {VK_RCONTROL, 0x11D, VK_CONTROL},
        {VK_LMENU, 0x38, VK_MENU},       {VK_RMENU, 0x138, VK_MENU},
    };
    for (const Held& held : kModifiers)
        if (AsyncDown(held.virtualKey)) keys_.KeyPressed(held.code, held.generic);
    // GetAsyncKeyState reports the logical buttons, after a left-handed swap.
    if (AsyncDown(VK_LBUTTON)) keys_.ButtonPressed(1);
    if (AsyncDown(VK_MBUTTON)) keys_.ButtonPressed(2);
    if (AsyncDown(VK_RBUTTON)) keys_.ButtonPressed(3);
}

LRESULT Win32InputSource::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The handler guards its core calls itself.
    if (message == WM_INPUT) OnInput(reinterpret_cast<HRAWINPUT>(lParam));
    // For WM_INPUT the system frees the record's buffer here.
    return DefWindowProcA(window, message, wParam, lParam);
}

void Win32InputSource::OnInput(HRAWINPUT input) {
    if (!installed_) return;
    RAWINPUT record{};
    UINT size = sizeof record;
    // Mouse and keyboard records fit; others (HID) are not registered for.
    if (GetRawInputData(input, RID_INPUT, &record, &size, sizeof(RAWINPUTHEADER)) ==
        static_cast<UINT>(-1))
        return;
    OnRecord(record);
}

void Win32InputSource::SetReading(bool reading) {
    if (reading == reading_) return;
    reading_ = reading;
    // Inside a batch the loop below reads on by itself; a nested read would
    // hand on later records before the rest of this batch.
    if (reading && !inBatch_) ReadQueued();
}

void Win32InputSource::ReadQueued() {
    if (batch_.empty()) batch_.resize(2048);  // 16 KB: a frame of a fast mouse
    inBatch_ = true;
    const struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{inBatch_};
    // Everything queued, whatever the handler asks meanwhile: what arrives
    // later waits for the next frame only while reading is off.
    while (installed_) {
        UINT bytes = static_cast<UINT>(batch_.size() * sizeof(std::uint64_t));
        auto* first = reinterpret_cast<RAWINPUT*>(batch_.data());
        const UINT count = GetRawInputBuffer(first, &bytes, sizeof(RAWINPUTHEADER));
        if (count == 0 || count == static_cast<UINT>(-1)) return;
        const RAWINPUT* record = first;
        for (UINT i = 0; i < count && installed_; ++i) {
            OnRecord(*record);
            // Records follow each other at 8-byte boundaries.
            const auto next = reinterpret_cast<std::uintptr_t>(record) + record->header.dwSize;
            record = reinterpret_cast<const RAWINPUT*>((next + 7U) & ~std::uintptr_t{7});
        }
    }
}

void Win32InputSource::OnRecord(const RAWINPUT& record) {
    const bool keyOrButton =
        record.header.dwType == RIM_TYPEKEYBOARD ||
        (record.header.dwType == RIM_TYPEMOUSE && record.data.mouse.usButtonFlags != 0);
    if (keyOrButton && before_) {
        const BeforeKeyOrButton before = before_;  // may remove this source
        before();
        if (!installed_) return;
    }
    if (record.header.dwType == RIM_TYPEKEYBOARD) {
        const RAWKEYBOARD& k = record.data.keyboard;
        InputEvent event;
        if (TranslateKey(RawKey{k.MakeCode, k.Flags, k.VKey, k.Message}, keys_, event))
            Deliver(event);
    } else if (record.header.dwType == RIM_TYPEMOUSE) {
        const RAWMOUSE& m = record.data.mouse;
        const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
        const MouseEvents events = TranslateMouse(
            RawMouse{m.usFlags, m.usButtonFlags, m.lLastX, m.lLastY}, swapped, keys_);
        for (std::size_t i = 0; i < events.count && installed_; ++i)
            if (events.events[i].kind != InputKind::Other) Deliver(events.events[i]);
    }
}

void Win32InputSource::Deliver(const InputEvent& event) {
    if (!handler_) return;
    // A copy: the handler may remove this source, and with it handler_.
    const Handler handler = handler_;
    handler(event);
}

}  // namespace pixolet::win32

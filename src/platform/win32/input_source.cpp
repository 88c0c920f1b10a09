#include "platform/win32/input_source.h"

#include <wtsapi32.h>

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

// The source whose router hears of desktop switches. The event hook's
// callback carries no context, and there is one source per program.
Win32InputSource* desktopWatcher = nullptr;

}  // namespace

HeldState Win32SystemKeys::ReadHeld() {
    HeldState held;
    struct Modifier {
        int virtualKey;
        unsigned code;  // scan code, 0x100 for E0 keys
        int generic;
    };
    constexpr Modifier kModifiers[] = {
        {VK_LSHIFT, 0x2A, VK_SHIFT},     {VK_RSHIFT, 0x36, VK_SHIFT},
        {VK_LCONTROL, 0x1D, VK_CONTROL}, {VK_RCONTROL, 0x11D, VK_CONTROL},
        {VK_LMENU, 0x38, VK_MENU},       {VK_RMENU, 0x138, VK_MENU},
    };
    for (const Modifier& m : kModifiers)
        if (AsyncDown(m.virtualKey)) held.keys.push_back(HeldKey{m.code, m.generic});
    // GetAsyncKeyState reports the logical buttons, after a left-handed swap.
    held.left = AsyncDown(VK_LBUTTON);
    held.middle = AsyncDown(VK_MBUTTON);
    held.right = AsyncDown(VK_RBUTTON);
    return held;
}

bool Win32SystemKeys::InputWaiting() {
    return recordsAhead_ || (HIWORD(GetQueueStatus(QS_RAWINPUT)) & QS_RAWINPUT) != 0;
}

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
    installed_ = true;
    router_.Start(std::move(handler), std::move(before));
    WatchSessionAndDesktop();
    return true;
}

void Win32InputSource::Remove() {
    router_.Stop();
    if (!installed_) return;
    installed_ = false;
    StopWatching();
    Register(nullptr, RIDEV_REMOVE);
}

void Win32InputSource::WatchSessionAndDesktop() {
    // Lock, unlock, a user switch and a remote session's reconnect arrive as
    // session notifications; the secure desktop (Ctrl+Alt+Del, elevation
    // prompts) as a switch of the input desktop. Either may fail (an older
    // system, no terminal services): the check at each key-down remains.
    sessionWatched_ = WTSRegisterSessionNotification(window_, NOTIFY_FOR_THIS_SESSION) != FALSE;
    if (desktopWatcher == nullptr) {
        desktopHook_ =
            SetWinEventHook(EVENT_SYSTEM_DESKTOPSWITCH, EVENT_SYSTEM_DESKTOPSWITCH, nullptr,
                            &Win32InputSource::OnWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
        if (desktopHook_ != nullptr) desktopWatcher = this;
    }
}

void Win32InputSource::StopWatching() {
    if (sessionWatched_) WTSUnRegisterSessionNotification(window_);
    sessionWatched_ = false;
    if (desktopHook_ != nullptr) UnhookWinEvent(desktopHook_);
    desktopHook_ = nullptr;
    if (desktopWatcher == this) desktopWatcher = nullptr;
}

void CALLBACK Win32InputSource::OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND, LONG, LONG, DWORD,
                                           DWORD) {
    // Out of context: called on this thread from its message loop.
    Win32InputSource* source = desktopWatcher;
    if (source != nullptr && hook == source->desktopHook_ && event == EVENT_SYSTEM_DESKTOPSWITCH)
        source->router_.SystemChanged();
}

LRESULT Win32InputSource::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The handler guards its core calls itself.
    if (message == WM_INPUT) OnInput(reinterpret_cast<HRAWINPUT>(lParam));
    if (message == WM_WTSSESSION_CHANGE && installed_) router_.SystemChanged();
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
            // Records later in the batch are input the stream has still to
            // hand over, as queued ones are.
            system_.SetRecordsAhead(i + 1 < count);
            OnRecord(*record);
            // Records follow each other at 8-byte boundaries.
            const auto next = reinterpret_cast<std::uintptr_t>(record) + record->header.dwSize;
            record = reinterpret_cast<const RAWINPUT*>((next + 7U) & ~std::uintptr_t{7});
        }
        system_.SetRecordsAhead(false);
    }
}

void Win32InputSource::OnRecord(const RAWINPUT& record) {
    if (!installed_) return;
    if (record.header.dwType == RIM_TYPEKEYBOARD) {
        const RAWKEYBOARD& k = record.data.keyboard;
        router_.Keyboard(RawKey{k.MakeCode, k.Flags, k.VKey, k.Message});
    } else if (record.header.dwType == RIM_TYPEMOUSE) {
        const RAWMOUSE& m = record.data.mouse;
        const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
        router_.Mouse(RawMouse{m.usFlags, m.usButtonFlags, m.lLastX, m.lLastY}, swapped);
    }
}

}  // namespace pixolet::win32

#include "platform/win32/colour_dialog.h"

#include <cstring>

namespace pixolet::win32 {

// Why the fields are watched after they are written: the paste shortcut
// (Ctrl+V by default) is only observed, never taken away, so the dialog
// receives the same key. Its focused edit field (the colour dialog opens
// with the focus in Red) then pastes the clipboard's text into itself: with
// "777" on the clipboard, Red turned into 255. The two programs handle the
// key in no fixed order. Written before the dialog's paste, the field would
// end up holding the clipboard text; written after it, all is well. So the
// written texts are kept, and for a short while after the last write a
// one-shot series of timer ticks reads the three fields back and writes
// again any field that no longer holds its text. Once the dialog has
// handled the key (a few milliseconds for a responsive program) the fields
// hold the copied colour, whatever the order was, and the dialog's OK
// returns it. The watch ends early when the dialog goes away, stops
// answering, or another window comes to the front.

namespace {

constexpr char kWindowClass[] = "PixoletColourDialogRepair";
constexpr UINT_PTR kRepairTimer = 1;
// Longer than any field text written here ("255").
constexpr int kReadChars = 32;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    // SMTO_ABORTIFHUNG returns at once for a program that stopped answering;
    // the limit bounds the wait for a slow one.
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                               Win32ColourDialog::kSendTimeoutMs, result) != 0;
}

void WriteField(HWND field, const std::string& text) {
    DWORD_PTR ignored = 0;
    // The result is not looked at: a write that timed out counts as sent,
    // and the dialog takes it once it answers again.
    Send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &ignored);
}

ATOM RegisterRepairClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    return RegisterClassExA(&wc);
}

}  // namespace

Win32ColourDialog::Win32ColourDialog() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    static const ATOM registered = RegisterRepairClass(instance, WindowProc);
    (void)registered;
    window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              nullptr);
    if (window_ != nullptr)
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32ColourDialog::~Win32ColourDialog() {
    if (window_ == nullptr) return;
    StopRepair();
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

std::optional<std::string> Win32ColourDialog::ActiveWindowClass() {
    // GetActiveWindow knows only this thread's windows; the foreground
    // window is the active one of whatever program has it.
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) return std::nullopt;
    char name[100] = {};
    if (GetClassNameA(foreground, name, 99) == 0) return std::nullopt;
    if (foreground != target_) {
        StopRepair();
        writtenCount_ = 0;
    }
    target_ = foreground;
    return std::string(name);
}

void Win32ColourDialog::SetFieldText(int id, const std::string& text) {
    if (target_ == nullptr) return;
    HWND field = GetDlgItem(target_, id);
    if (field == nullptr) return;
    WriteField(field, text);

    Written* slot = nullptr;
    for (std::size_t i = 0; i < writtenCount_; ++i)
        if (written_[i].id == id) slot = &written_[i];
    if (slot == nullptr && writtenCount_ < written_.size()) slot = &written_[writtenCount_++];
    if (slot == nullptr) return;
    slot->id = id;
    slot->text = text;

    if (window_ == nullptr) return;
    repairStart_ = GetTickCount();
    if (!repairing_) repairing_ = SetTimer(window_, kRepairTimer, kRepairIntervalMs, nullptr) != 0;
}

void Win32ColourDialog::StopRepair() {
    if (repairing_ && window_ != nullptr) KillTimer(window_, kRepairTimer);
    repairing_ = false;
}

void Win32ColourDialog::RepairTick() {
    if (!IsWindow(target_) || GetForegroundWindow() != target_ ||
        GetTickCount() - repairStart_ > kRepairPeriodMs) {
        StopRepair();
        return;
    }
    for (std::size_t i = 0; i < writtenCount_; ++i) {
        HWND field = GetDlgItem(target_, written_[i].id);
        if (field == nullptr) continue;
        char buffer[kReadChars] = {};
        DWORD_PTR copied = 0;
        if (!Send(field, WM_GETTEXT, kReadChars, reinterpret_cast<LPARAM>(buffer), &copied)) {
            // A dialog too slow to answer a read is left alone.
            StopRepair();
            return;
        }
        if (std::strncmp(buffer, written_[i].text.c_str(), kReadChars) != 0)
            WriteField(field, written_[i].text);
    }
}

LRESULT CALLBACK Win32ColourDialog::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_TIMER && wParam == kRepairTimer) {
        auto* self = reinterpret_cast<Win32ColourDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr) {
            // Nothing here throws but a failed allocation; no exception may
            // leave a window procedure.
            try {
                self->RepairTick();
            } catch (...) {
                self->StopRepair();
            }
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace pixolet::win32

// The colour dialog port against the system colour dialog, run by a thread
// of the test as another program would run it: the fields take the colour,
// OK returns it, a paste of the clipboard into the focused field (the paste
// shortcut reaching the dialog too) is repaired in either order, and a
// dialog that stops answering does not hold the caller.
// windows.h before the other system headers, which need its types.
// clang-format off
#include <windows.h>
// clang-format on

#include <commdlg.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/win32/clipboard.h"
#include "platform/win32/colour_dialog.h"
#include "platform/win32/gdi_handles.h"
#include "win32_pump.h"

namespace pixolet::win32 {
namespace {

using testing::PumpUntil;

constexpr int kFields[] = {706, 707, 708};

std::string FieldText(HWND dialog, int id) {
    char text[32] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// ChooseColorA, fully open, on a thread of its own.
class DialogThread {
  public:
    DialogThread() {
        thread_ = std::thread([this] {
            threadId_ = GetCurrentThreadId();
            COLORREF custom[16] = {};
            CHOOSECOLORA choose{};
            choose.lStructSize = sizeof(choose);
            choose.rgbResult = RGB(1, 2, 3);
            choose.lpCustColors = custom;
            choose.Flags = CC_FULLOPEN | CC_RGBINIT;
            accepted_ = ChooseColorA(&choose) != FALSE;
            result_ = choose.rgbResult;
            done_ = true;
        });
        PumpUntil([this] {
            HWND found = nullptr;
            if (threadId_ != 0)
                EnumThreadWindows(threadId_, FindDialog, reinterpret_cast<LPARAM>(&found));
            dialog_ = found;
            return dialog_ != nullptr && GetDlgItem(dialog_, 708) != nullptr;
        });
        SetForegroundWindow(dialog_);
        PumpUntil([this] { return GetForegroundWindow() == dialog_; });
    }
    ~DialogThread() {
        if (!done_ && dialog_ != nullptr) PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
        thread_.join();
    }

    HWND dialog() const { return dialog_; }
    // Presses OK and waits for ChooseColorA to return.
    COLORREF Accept() {
        PostMessageA(dialog_, WM_COMMAND, IDOK, 0);
        PumpUntil([this] { return done_.load(); });
        return accepted_ ? result_ : CLR_INVALID;
    }

  private:
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> done_{false};
    bool accepted_ = false;
    COLORREF result_ = 0;
    HWND dialog_ = nullptr;
};

void WriteColour(Win32ColourDialog& port, int r, int g, int b) {
    ASSERT_EQ(port.ActiveWindowClass().value_or(""), "#32770");
    port.SetFieldText(706, std::to_string(r));
    port.SetFieldText(707, std::to_string(g));
    port.SetFieldText(708, std::to_string(b));
}

TEST(Win32ColourDialogTest, FieldsTakeTheColourAndOkReturnsIt) {
    DialogThread dialog;
    ASSERT_NE(dialog.dialog(), nullptr);
    Win32ColourDialog port;
    WriteColour(port, 18, 52, 86);
    EXPECT_EQ(FieldText(dialog.dialog(), 706), "18");
    EXPECT_EQ(FieldText(dialog.dialog(), 707), "52");
    EXPECT_EQ(FieldText(dialog.dialog(), 708), "86");
    EXPECT_EQ(dialog.Accept(), RGB(18, 52, 86));
}

TEST(Win32ColourDialogTest, AClipboardPasteIntoAFieldIsRepairedInEitherOrder) {
    // The paste shortcut also reaches the dialog, whose focused field pastes
    // the clipboard text ("777" would make Red 255).
    const struct {
        const char* what;
        bool pasteFirst;
        int field;
    } cases[] = {
        {"dialog pastes after the write", false, 706},
        {"dialog pastes before the write", true, 706},
        {"paste into blue after the write", false, 708},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Win32Clipboard clipboard(nullptr);
        ASSERT_TRUE(clipboard.SetText("777"));
        DialogThread dialog;
        ASSERT_NE(dialog.dialog(), nullptr);
        HWND field = GetDlgItem(dialog.dialog(), c.field);
        Win32ColourDialog port;
        if (c.pasteFirst) SendMessageA(field, WM_PASTE, 0, 0);
        WriteColour(port, 18, 52, 86);
        if (!c.pasteFirst) {
            SendMessageA(field, EM_SETSEL, 0, -1);
            SendMessageA(field, WM_PASTE, 0, 0);
        }
        EXPECT_TRUE(PumpUntil([&] { return !port.Repairing(); }));
        for (int id : kFields)
            EXPECT_EQ(FieldText(dialog.dialog(), id), id == 706 ? "18" : id == 707 ? "52" : "86");
        EXPECT_EQ(dialog.Accept(), RGB(18, 52, 86));
    }
}

TEST(Win32ColourDialogTest, OtherWindowsAreNoDialog) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PixoletPlainTarget";
    RegisterClassA(&wc);
    HWND plain = CreateWindowExA(0, wc.lpszClassName, "plain", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(plain);
    PumpUntil([&] { return GetForegroundWindow() == plain; });
    Win32ColourDialog port;
    EXPECT_EQ(port.ActiveWindowClass().value_or(""), "PixoletPlainTarget");
    // No numbered field: nothing written, nothing watched.
    port.SetFieldText(706, "1");
    EXPECT_FALSE(port.Repairing());
    DestroyWindow(plain);
}

TEST(Win32ColourDialogTest, AStoppedDialogDoesNotHoldTheCaller) {
    // A standard dialog window with a Red field, on a thread that stops
    // answering once it has made them.
    Handle created(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    Handle resume(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::atomic<HWND> dialog{nullptr};
    std::thread owner([&] {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        HWND window = CreateWindowExA(0, "#32770", "stalled", WS_POPUP | WS_VISIBLE, 0, 0, 120, 60,
                                      nullptr, nullptr, instance, nullptr);
        CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 4, 4, 60, 20, window,
                        reinterpret_cast<HMENU>(706), instance, nullptr);
        dialog = window;
        SetEvent(created.get());
        WaitForSingleObject(resume.get(), 20000);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        DestroyWindow(window);
    });
    WaitForSingleObject(created.get(), 10000);
    ASSERT_NE(dialog.load(), nullptr);
    SetForegroundWindow(dialog);
    PumpUntil([&] { return GetForegroundWindow() == dialog.load(); }, 1000);

    Win32ColourDialog port;
    const DWORD start = GetTickCount();
    if (port.ActiveWindowClass().value_or("") == "#32770") {
        port.SetFieldText(706, "18");
        port.SetFieldText(706, "19");
    }
    const DWORD waited = GetTickCount() - start;
    SetEvent(resume.get());
    owner.join();
    // Each write waits at most the send limit; a blocking send would wait
    // until the 20 s above.
    EXPECT_LT(waited, 5000u);
}

}  // namespace
}  // namespace pixolet::win32

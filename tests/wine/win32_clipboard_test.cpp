// The clipboard port: CF_TEXT round trips, and a clipboard held open by
// another thread makes the copy fail without touching the contents.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/win32/clipboard.h"
#include "platform/win32/gdi_handles.h"

namespace pixolet::win32 {
namespace {

std::string ClipboardText() {
    ClipboardGuard clipboard(nullptr);
    if (!clipboard.Opened()) return "<not open>";
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr) return "<no text>";
    const char* text = static_cast<const char*>(GlobalLock(data));
    std::string copy = text != nullptr ? text : "<no lock>";
    GlobalUnlock(data);
    return copy;
}

TEST(Win32ClipboardTest, TextRoundTrips) {
    Win32Clipboard clipboard(nullptr);
    const std::string texts[] = {"#123456",
                                 "RGB  18  52  86",
                                 "",
                                 "C 100 M 0 Y 50 K 12",
                                 std::string(255, 'x'),
                                 "\xB5\xFF high bytes"};
    for (const std::string& text : texts) {
        ASSERT_TRUE(clipboard.SetText(text)) << text;
        EXPECT_EQ(ClipboardText(), text);
    }
}

TEST(Win32ClipboardTest, TextStopsAtANul) {
    Win32Clipboard clipboard(nullptr);
    ASSERT_TRUE(clipboard.SetText(std::string("#12\0tail", 8)));
    EXPECT_EQ(ClipboardText(), "#12");
}

TEST(Win32ClipboardTest, ClipboardHeldElsewhereFailsAndKeepsItsText) {
    Win32Clipboard clipboard(nullptr);
    ASSERT_TRUE(clipboard.SetText("#ABCDEF"));

    Handle opened(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    Handle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::thread holder([&] {
        // Another program's window holds it open.
        HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        const bool got = OpenClipboard(window) != FALSE;
        SetEvent(opened.get());
        WaitForSingleObject(release.get(), 10000);
        if (got) CloseClipboard();
        DestroyWindow(window);
    });
    WaitForSingleObject(opened.get(), 10000);
    EXPECT_FALSE(clipboard.SetText("#000000"));
    SetEvent(release.get());
    holder.join();

    EXPECT_EQ(ClipboardText(), "#ABCDEF");
    EXPECT_TRUE(clipboard.SetText("#000000"));
    EXPECT_EQ(ClipboardText(), "#000000");
}

}  // namespace
}  // namespace pixolet::win32

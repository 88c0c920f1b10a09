// The splash window: its size and place, its controls where the form puts
// them, its resources, how it hides, and the link labels' behaviour.
// windows.h before the other system headers, which need its types.
// clang-format off
#include <windows.h>
// clang-format on

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/effects_label.h"
#include "platform/win32/link_label.h"
#include "platform/win32/splash_window.h"
#include "win32_pump.h"

namespace pixolet::win32 {
namespace {

using testing::PumpUntil;

RECT ChildBounds(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectBounds(HWND child, int left, int top, int width, int height) {
    ASSERT_NE(child, nullptr);
    const RECT r = ChildBounds(child);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
}

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

std::vector<std::string> g_opened;
bool g_openSucceeds = true;
bool FakeOpen(HWND, const std::string& target) {
    g_opened.push_back(target);
    return g_openSucceeds;
}

class SplashTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_opened.clear();
        g_openSucceeds = true;
        SetLinkOpener(FakeOpen);
    }
    void TearDown() override { SetLinkOpener(nullptr); }
    TfrmStart splash{GetModuleHandleA(nullptr)};
};

TEST_F(SplashTest, ClientIsCentredWithoutBorder) {
    splash.ShowNow();
    HWND window = splash.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    RECT client, outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 125);
    EXPECT_EQ(outer.right - outer.left, 250);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 250) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 125) / 2);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    char title[8] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, " ");
}

TEST_F(SplashTest, ControlsSitWhereTheFormPutsThem) {
    ExpectBounds(splash.lblOrvessa, 99, 64, 143, 15);
    ExpectBounds(splash.PxSimpleLabel1, 99, 84, 143, 15);
    ExpectBounds(splash.PxSimpleLabel3, 99, 103, 143, 15);
    ExpectBounds(splash.Logo(), 101, 10, 139, 48);
    const EffectsBox* box = EffectsLabelBox(splash.PxLabel1);
    ASSERT_NE(box, nullptr);
    ExpectBounds(splash.PxLabel1, 12, 50, box->width, box->height);
    // The turned caption rises from the lower left, inside its box.
    EXPECT_GT(box->width, 40);
    EXPECT_GT(box->height, 30);
    EXPECT_LE(box->posX, 2);
    EXPECT_GT(box->posY, box->height / 2);
}

TEST_F(SplashTest, LinksOpenTheirTargets) {
    const struct {
        HWND label;
        const char* caption;
        const char* target;
    } links[] = {
        {splash.lblOrvessa, "www.orvessa.example", "https://www.orvessa.example/"},
        {splash.PxSimpleLabel1, "www.velmora.example", "www.velmora.example"},
        {splash.PxSimpleLabel3, "pixolet@velmora.example", "mailto:pixolet@velmora.example"},
    };
    for (const auto& link : links) {
        SCOPED_TRACE(link.caption);
        const LinkLabel* state = LinkLabelState(link.label);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->Caption(), link.caption);
        EXPECT_EQ(state->FontColour(), kBlue);
        EXPECT_TRUE(state->Underline());
        SendMessageA(link.label, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        EXPECT_EQ(state->FontColour(), kPurple);
        SendMessageA(link.label, WM_LBUTTONUP, 0, At(5, 5));
        EXPECT_EQ(state->FontColour(), kBlue);
        ASSERT_FALSE(g_opened.empty());
        EXPECT_EQ(g_opened.back(), link.target);
    }
}

TEST_F(SplashTest, ReleaseElsewhereOrOtherButtonsOpenNothing) {
    HWND label = splash.PxSimpleLabel1;
    SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(label, WM_LBUTTONUP, 0, At(5, 400));
    SendMessageA(label, WM_RBUTTONDOWN, MK_RBUTTON, At(5, 5));
    SendMessageA(label, WM_RBUTTONUP, 0, At(5, 5));
    EXPECT_TRUE(g_opened.empty());
    EXPECT_EQ(LinkLabelState(label)->FontColour(), kBlue);
}

TEST_F(SplashTest, AFailedOpenLeavesDisabledPlainText) {
    g_openSucceeds = false;
    HWND label = splash.PxSimpleLabel3;
    SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(label, WM_LBUTTONUP, 0, At(5, 5));
    const LinkLabel* state = LinkLabelState(label);
    EXPECT_FALSE(state->UseAsJump());
    EXPECT_FALSE(state->Underline());
    EXPECT_FALSE(state->Enabled());
    EXPECT_FALSE(IsWindowEnabled(label));
    SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(label, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(g_opened.size(), 1u);
}

TEST_F(SplashTest, ResourcesAndTheLogoTooltipArePresent) {
    HWND icon = FindWindowExA(splash.Window(), nullptr, "STATIC", nullptr);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
    EXPECT_NE(SendMessageA(splash.Logo(), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

    char text[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = splash.Window();
    tool.uId = reinterpret_cast<UINT_PTR>(splash.Logo());
    tool.lpszText = text;
    SendMessageA(splash.Tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "www.orvessa.example\r\nwww.velmora.example\r\npixolet@velmora.example");
}

TEST_F(SplashTest, DoubleClickOnTheFreePanelHidesButNotOnAPicture) {
    splash.ShowNow();
    SendMessageA(splash.Logo(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(10, 10));
    EXPECT_TRUE(IsWindowVisible(splash.Window()));
    SendMessageA(splash.Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(60, 110));
    EXPECT_FALSE(IsWindowVisible(splash.Window()));
}

TEST_F(SplashTest, TimerHidesItAfterAbout1400Ms) {
    splash.ShowNow();
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(splash.Window()); }, 10000));
    EXPECT_GE(GetTickCount() - start, 1300u);
    EXPECT_NE(IsWindow(splash.Window()), FALSE);
}

}  // namespace
}  // namespace pixolet::win32

// The screen reader against a window of known colours painted by the test:
// one block read equals GetPixel cell by cell, off-screen samples get the
// fixed colour, and markers are restored exactly.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/screen.h"
#include "win32_pump.h"

namespace pixolet::win32 {
namespace {

// Away from the screen's edges, where a test desktop keeps its panels.
constexpr int kLeft = 300;
constexpr int kTop = 200;
constexpr int kWidth = 96;
constexpr int kHeight = 80;

// Every pixel of the pattern window differs from its neighbours.
Colour PatternAt(int x, int y) {
    return MakeColour(static_cast<std::uint8_t>(x * 7 + 3), static_cast<std::uint8_t>(y * 11 + 5),
                      static_cast<std::uint8_t>((x * 13) ^ (y * 3)));
}

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        std::vector<std::uint32_t> bits(kWidth * kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const Colour c = PatternAt(x, y);
                bits[y * kWidth + x] = (RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c);
            }
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        SetDIBitsToDevice(dc, 0, 0, kWidth, kHeight, 0, 0, 0, kHeight, bits.data(), &info,
                          DIB_RGB_COLORS);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class ScreenTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PatternProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PixoletScreenTestPattern";
        RegisterClassA(&wc);
        window_ =
            CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, kLeft,
                            kTop, kWidth, kHeight, nullptr, nullptr, wc.hInstance, nullptr);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        UpdateWindow(window_);
        // Painted once the screen shows the pattern's far corner.
        testing::PumpUntil([] {
            HDC dc = GetDC(nullptr);
            const COLORREF c = GetPixel(dc, kLeft + kWidth - 1, kTop + kHeight - 1);
            ReleaseDC(nullptr, dc);
            return c == PatternAt(kWidth - 1, kHeight - 1);
        });
    }
    static void TearDownTestSuite() { DestroyWindow(window_); }

    static std::vector<Colour> ByGetPixel(const Rect& area) {
        std::vector<Colour> out;
        HDC dc = GetDC(nullptr);
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const bool onScreen = MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONULL);
                out.push_back(onScreen ? static_cast<Colour>(GetPixel(dc, x, y))
                                       : kOffScreenColour);
            }
        ReleaseDC(nullptr, dc);
        return out;
    }

    static std::vector<Colour> ByBlock(Win32Screen& screen, const Rect& area) {
        std::vector<Colour> out(static_cast<std::size_t>(area.Width() * area.Height()), 0x123456);
        screen.ReadBlock(area, out.data());
        return out;
    }

    static HWND window_;
};

HWND ScreenTest::window_ = nullptr;

TEST_F(ScreenTest, BlockReadsTheKnownPattern) {
    Win32Screen screen;
    const Rect area{kLeft + 10, kTop + 7, kLeft + 51, kTop + 48};
    const std::vector<Colour> block = ByBlock(screen, area);
    for (int y = 0; y < area.Height(); ++y)
        for (int x = 0; x < area.Width(); ++x)
            ASSERT_EQ(block[y * area.Width() + x], PatternAt(x + 10, y + 7)) << x << "," << y;
}

TEST_F(ScreenTest, BlocksOfChangingSizeAndPlaceMatchGetPixel) {
    // One reader for all, so a kept section larger than the block must be
    // read with its own row length.
    Win32Screen screen;
    const Size primary = screen.PrimarySize();
    const struct {
        const char* what;
        Rect area;
    } cases[] = {
        {"inside", {kLeft + 20, kTop + 20, kLeft + 61, kTop + 61}},
        {"smaller after larger", {kLeft + 3, kTop + 4, kLeft + 12, kTop + 13}},
        {"one pixel", {kLeft + 50, kTop + 40, kLeft + 51, kTop + 41}},
        {"wide and flat", {kLeft, kTop + 30, kLeft + kWidth, kTop + 33}},
        {"across the top-left corner", {-20, -15, 21, 26}},
        {"across the bottom-right corner",
         {primary.width - 9, primary.height - 9, primary.width + 32, primary.height + 32}},
        {"larger again", {kLeft - 5, kTop - 5, kLeft + 90, kTop + 75}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ByBlock(screen, c.area), ByGetPixel(c.area));
    }
}

TEST_F(ScreenTest, OffScreenSamplesGetTheFixedColour) {
    Win32Screen screen;
    const Rect virtualScreen{
        GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
        GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const Rect beyond[] = {
        {virtualScreen.left - 50, virtualScreen.top - 50, virtualScreen.left - 9,
         virtualScreen.top - 9},
        {virtualScreen.right + 5, 0, virtualScreen.right + 46, 41},
        {0, virtualScreen.bottom, 41, virtualScreen.bottom + 41},
    };
    for (const Rect& area : beyond)
        EXPECT_EQ(ByBlock(screen, area),
                  std::vector<Colour>(static_cast<std::size_t>(area.Width() * area.Height()),
                                      kOffScreenColour));
    // The corner cell beside the screen is fixed, the one on it is real.
    const std::vector<Colour> corner = ByBlock(screen, Rect{-1, -1, 1, 1});
    EXPECT_EQ(corner[0], kOffScreenColour);
    EXPECT_EQ(corner[3], ByGetPixel(Rect{0, 0, 1, 1})[0]);
}

TEST_F(ScreenTest, MarkersAreRestoredExactly) {
    Win32Screen screen;
    const Rect area{kLeft, kTop, kLeft + kWidth, kTop + kHeight};
    const std::vector<Colour> before = ByBlock(screen, area);
    const std::vector<ScreenPoint> points{{kLeft + 5, kTop + 5},
                                          {kLeft + 6, kTop + 5},
                                          {kLeft + 40, kTop + 30},
                                          {kLeft + 95, kTop + 79},
                                          {-3, 4},
                                          {0, -1}};
    std::vector<Colour> saved(points.size());
    screen.ReadPixels(points.data(), saved.data(), points.size());
    EXPECT_EQ(saved[0], PatternAt(5, 5));
    EXPECT_EQ(saved[3], PatternAt(95, 79));
    EXPECT_EQ(saved[4], kOffScreenColour);
    EXPECT_EQ(saved[5], kOffScreenColour);

    for (int round = 0; round < 20; ++round) {
        const std::vector<Colour> marks(points.size(), round % 2 ? kWhite : MakeColour(255, 0, 0));
        screen.WritePixels(points.data(), marks.data(), points.size());
        std::vector<Colour> shown(points.size());
        screen.ReadPixels(points.data(), shown.data(), points.size());
        for (std::size_t i = 0; i < 4; ++i) ASSERT_EQ(shown[i], marks[i]) << i;
        screen.WritePixels(points.data(), saved.data(), points.size());
        ASSERT_EQ(ByBlock(screen, area), before) << "round " << round;
    }
}

}  // namespace
}  // namespace pixolet::win32

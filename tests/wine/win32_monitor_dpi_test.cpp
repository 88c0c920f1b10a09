// The monitors' DPI as the readout reads it: under Wine every monitor has
// the system's DPI, which the test prefix leaves at 96.
#include <gtest/gtest.h>

#include "platform/win32/monitor_dpi.h"
#include "platform/win32/screen.h"

namespace pixolet::win32 {
namespace {

TEST(MonitorDpi, EveryPointHasItsMonitorsDpiAndPointsOffScreenTheNearestOnes) {
    const int system = ScreenLogicalDpi();
    EXPECT_EQ(system, kDefaultDpi);
    const POINT points[] = {{0, 0}, {100, 50}, {-5000, -5000}, {60000, 100}};
    for (const POINT& p : points) EXPECT_EQ(MonitorDpiAt(p), system) << p.x << "," << p.y;
    EXPECT_EQ(PointerMonitorDpi(), system);
}

TEST(MonitorDpi, DpiChangedCarriesTheVerticalDpiWithinBounds) {
    struct Case {
        WPARAM wParam;
        int dpi;
    };
    const Case cases[] = {{MAKEWPARAM(192, 192), 192},
                          {MAKEWPARAM(120, 144), 144},
                          {MAKEWPARAM(96, 96), 96},
                          {0, 0},
                          {MAKEWPARAM(0, 60000), 0}};
    for (const Case& c : cases) EXPECT_EQ(DpiFromDpiChanged(c.wParam), c.dpi) << c.wParam;
}

}  // namespace
}  // namespace pixolet::win32

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_ports.h"
#include "measure/meas_points.h"

namespace pixolet {
namespace {

using fakes::FakeScreen;
using fakes::FakeView;

// A screen where neighbouring pixels differ, so a misplaced write shows.
Colour Pattern(int x, int y) {
    return MakeColour(static_cast<std::uint8_t>(x * 7 + y), static_cast<std::uint8_t>(y * 11 + 3),
                      static_cast<std::uint8_t>(x * y));
}

std::vector<ScreenPoint> MarkerPixels(ScreenPoint p) {
    std::vector<ScreenPoint> pixels;
    for (int i = -3; i <= 3; ++i) pixels.push_back({p.x + i, p.y});
    for (int i = -3; i <= 3; ++i)
        if (i != 0) pixels.push_back({p.x, p.y + i});
    return pixels;
}

bool ShowsMarker(const FakeScreen& screen, ScreenPoint p, Colour mark) {
    for (ScreenPoint q : MarkerPixels(p))
        if (screen.Pixel(q.x, q.y) != mark) return false;
    return true;
}

// Every pixel the fake was ever written to shows the original screen again.
void ExpectScreenUntouched(const FakeScreen& screen) {
    for (const auto& [at, colour] : screen.written)
        EXPECT_EQ(colour, screen.colourAt(at.first, at.second))
            << "at (" << at.first << ", " << at.second << ")";
}

TEST(MeasPoint, MarkerContrastsWithTheCentrePixel) {
    struct Case {
        Colour under;
        Colour mark;
    };
    const Case cases[] = {
        {kWhite, kBlack},
        {kBlack, kWhite},
        {MakeColour(100, 100, 100), kBlack},  // sum 300: the threshold itself
        {MakeColour(99, 100, 100), kWhite},
        {MakeColour(255, 45, 0), kBlack},
    };
    for (const Case& c : cases) {
        FakeScreen screen;
        // Only the centre decides; the arms see the opposite colour.
        screen.colourAt = [&](int x, int y) {
            return x == 20 && y == 30 ? c.under : ~c.under & kWhite;
        };
        TMeasPoints points(screen);
        points.Add({20, 30});
        EXPECT_EQ(points.Items()[0]->MarkColor, c.mark) << std::hex << c.under;
        EXPECT_TRUE(ShowsMarker(screen, {20, 30}, c.mark));
        EXPECT_EQ(screen.pixelReads, 15);
        EXPECT_EQ(screen.pixelWrites, 14);
    }
}

TEST(MeasPoint, RedrawKeepsThePixelsSavedAtTheFirstDraw) {
    FakeScreen screen;
    screen.colourAt = Pattern;
    {
        TMeasPoint point(screen, {40, 40});
        point.Draw();
        // The content under the marker changes, then the marker is drawn again.
        screen.written[{41, 40}] = kBlue;
        point.Draw();
        EXPECT_EQ(screen.pixelReads, 15);
        EXPECT_EQ(screen.Pixel(41, 40), point.MarkColor);
    }
    ExpectScreenUntouched(screen);
}

TEST(MeasPoints, ClearingOverlappingMarkersRestoresTheScreen) {
    // Markers 2 pixels apart share pixels; undoing them in the wrong order
    // would leave pieces of the older marker behind.
    const ScreenPoint seconds[] = {{52, 50}, {52, 51}, {50, 52}, {48, 49}};
    for (ScreenPoint second : seconds) {
        FakeScreen screen;
        screen.colourAt = Pattern;
        TMeasPoints points(screen);
        points.Add({50, 50});
        points.Add(second);
        points.Clear();
        EXPECT_TRUE(points.Items().empty());
        ExpectScreenUntouched(screen);
    }
}

TEST(MeasPoints, RedrawLeavesPointsNearTheWindowAlone) {
    FakeScreen screen;
    screen.colourAt = [](int, int) { return kWhite; };
    FakeView window;
    window.bounds = Rect{100, 100, 200, 200};  // grown by 4: 96..203 inside
    TMeasPoints points(screen);
    points.SetWindow(&window);
    const struct {
        ScreenPoint at;
        bool redrawn;
    } cases[] = {
        {{96, 96}, false},  {{203, 203}, false}, {{150, 150}, false}, {{95, 150}, true},
        {{204, 150}, true}, {{150, 95}, true},   {{150, 204}, true},
    };
    // Every point is drawn when added, even inside the window.
    for (const auto& c : cases) {
        points.Add(c.at);
        EXPECT_EQ(screen.Pixel(c.at.x, c.at.y), kBlack);
    }
    // The window paints over its area; then the markers are redrawn.
    screen.written.clear();
    points.Redraw();
    for (const auto& c : cases)
        EXPECT_EQ(screen.written.count({c.at.x, c.at.y}) == 1, c.redrawn)
            << c.at.x << ", " << c.at.y;

    // The window's rectangle is read again on every redraw.
    window.bounds = Rect{0, 0, 10, 10};
    screen.written.clear();
    points.Redraw();
    for (const auto& c : cases) EXPECT_EQ(screen.written.count({c.at.x, c.at.y}), 1u);
}

TEST(MeasPoints, SetWindowRestoresMarkersInsideTheWindow) {
    FakeScreen screen;
    screen.colourAt = Pattern;
    FakeView window;
    window.bounds = Rect{0, 0, 100, 100};
    TMeasPoints points(screen);
    points.Add({50, 50});
    points.Add({52, 50});
    points.SetWindow(&window);
    ExpectScreenUntouched(screen);
    EXPECT_FALSE(points.Items()[0]->Drawn);
    EXPECT_FALSE(points.Items()[1]->Drawn);
}

TEST(MeasPoints, Geometry) {
    const struct {
        std::vector<ScreenPoint> points;
        std::int32_t dx;
        std::int32_t dy;
        double distance;
        double area;
    } cases[] = {
        // clang-format off
        {{}, 0, 0, 0.0, 0.0},
        {{{100, 100}}, 0, 0, 0.0, 0.0},
        {{{100, 100}, {103, 104}}, 3, 4, 5.0, 0.0},
        {{{100, 100}, {103, 104}, {100, 104}}, 3, 0, 3.0, 6.0},  // last two only
        {{{103, 104}, {100, 100}}, 3, 4, 5.0, 0.0},              // offsets are absolute
        {{{-5, -5}, {-8, -1}}, 3, 4, 5.0, 0.0},
        {{{0, 0}, {1, 0}, {0, 1}}, 1, 1, 1.4142135623730951, 0.5},
        {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 10, 0, 10.0, 100.0},
        {{{0, 10}, {10, 10}, {10, 0}, {0, 0}}, 10, 0, 10.0, 100.0},  // the other way round
        {{{0, 0}, {10, 0}, {0, 10}, {10, 10}}, 10, 0, 10.0, 0.0},    // crossed edges
        // Sums far beyond 32 bits.
        {{{-60000, -60000}, {60000, -60000}, {60000, 60000}, {-60000, 60000}},
         120000, 0, 120000.0, 14400000000.0},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points.size() << " points, area " << c.area);
        FakeScreen screen;
        TMeasPoints points(screen);
        for (ScreenPoint p : c.points) points.Add(p);
        EXPECT_EQ(points.DeltaX(), c.dx);
        EXPECT_EQ(points.DeltaY(), c.dy);
        EXPECT_DOUBLE_EQ(points.Distance(), c.distance);
        EXPECT_DOUBLE_EQ(points.Area(), c.area);
    }
}

}  // namespace
}  // namespace pixolet

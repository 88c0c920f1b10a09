#include <gtest/gtest.h>

#include "fakes/fake_ports.h"
#include "readout/layout.h"

namespace pixolet {
namespace {

// A font whose characters are all 6 pixels wide and 12 high.
struct LayoutCase {
    const char* name;
    bool rgb, cmyk, hex, coordinates, measuring;
    Size window;
    int cmykLeft;
    int measureLeft;
};

const LayoutCase kCases[] = {
    {"rgb", true, false, false, false, false, {92, 56}, 86, 92},
    {"rgb and cmyk", true, true, false, false, false, {128, 56}, 86, 134},
    {"no column", false, false, false, false, false, {64, 56}, 50, 50},
    {"cmyk only", false, true, false, false, false, {92, 56}, 50, 92},
    {"rgb hex", true, false, true, false, false, {86, 56}, 86, 86},
    {"rgb measuring", true, false, false, false, true, {158, 63}, 86, 92},
    {"rgb coordinates", true, false, false, true, false, {92, 70}, 86, 92},
    {"all", true, true, false, true, true, {194, 77}, 86, 134},
};

TEST(Layout, SixPixelFontExamples) {
    fakes::FakeView font;
    for (const LayoutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Settings s;
        s.ShowRgb = c.rgb;
        s.ShowCmyk = c.cmyk;
        s.ShowHex = c.hex;
        s.ShowCoordinates = c.coordinates;
        const ReadoutLayout l = ComputeLayout(s, c.measuring, font, Size{1024, 768}, "(0, 0)");
        EXPECT_EQ(l.window, c.window);
        EXPECT_EQ(l.zoom.left, 7);
        EXPECT_EQ(l.zoom.top, 9);
        EXPECT_EQ(l.zoom.width, 39);
        EXPECT_EQ(l.zoom.height, 39);
        EXPECT_EQ(l.swatch.left, 49);
        EXPECT_EQ(l.swatch.top, 39);
        EXPECT_EQ(l.swatch.width, 9);

        const int rgbTops[] = {5, 16, 27};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(l.labels[lblR + i], (LabelPlace{50, rgbTops[i], c.rgb}));
        const int cmykTops[] = {5, 16, 27, 38};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(l.labels[lblC + i], (LabelPlace{c.cmykLeft, cmykTops[i], c.cmyk}));
        EXPECT_EQ(l.labels[lblPoint], (LabelPlace{8, 51, c.coordinates}));
        EXPECT_EQ(l.labels[lblDiffX], (LabelPlace{c.measureLeft, 5, c.measuring}));
        EXPECT_EQ(l.labels[lblDiffY], (LabelPlace{c.measureLeft, 16, c.measuring}));
        EXPECT_EQ(l.labels[lblDiff], (LabelPlace{c.measureLeft, 27, c.measuring}));
        EXPECT_EQ(l.labels[lblArea], (LabelPlace{c.measureLeft, 38, c.measuring}));

        // The bar spans the window less the magnifier's margin on both sides,
        // below the coordinates when they are shown.
        EXPECT_EQ(l.bar.left, 7);
        EXPECT_EQ(l.bar.width, c.window.width - 14);
        EXPECT_EQ(l.bar.top, c.coordinates ? 51 + 12 + 2 : 52);
        EXPECT_EQ(l.bar.height, kBarHeight);
        EXPECT_EQ(l.barVisible, c.measuring);
        EXPECT_EQ(l.barMaximum, 1280);
    }
}

TEST(Layout, BarTopUsesTheCoordinatesLabelsOwnHeight) {
    // A view that measures a taller coordinates text than digits.
    struct TallBrackets : fakes::FakeView {
        int TextHeight(std::string_view text) const override {
            return text.find('(') != std::string_view::npos ? 15 : 12;
        }
    } font;
    Settings s;
    s.ShowCoordinates = true;
    const ReadoutLayout l = ComputeLayout(s, true, font, Size{1920, 1080}, "(1023,7)");
    EXPECT_EQ(l.window.height, 56 + 7 + 15 + 2);
    EXPECT_EQ(l.bar.top, 51 + 15 + 2);
    EXPECT_EQ(l.barMaximum, 2203);  // sqrt(1920^2 + 1080^2) = 2202.9
}

TEST(Layout, ApplyKeepsTextsAndBarPositionWithinTheNewRange) {
    fakes::FakeView font;
    ReadoutScene scene;
    scene.labels[lblR].text = "R 200";
    scene.bar.position = 5000;
    ApplyLayout(ComputeLayout(Settings{}, true, font, Size{1024, 768}, "(0, 0)"), scene);
    EXPECT_EQ(scene.width, 158);
    EXPECT_EQ(scene.height, 63);
    EXPECT_EQ(scene.labels[lblR].text, "R 200");
    EXPECT_TRUE(scene.labels[lblR].visible);
    EXPECT_FALSE(scene.labels[lblC].visible);
    EXPECT_TRUE(scene.bar.visible);
    EXPECT_EQ(scene.bar.maximum, 1280);
    EXPECT_EQ(scene.bar.position, 1280);
}

}  // namespace
}  // namespace pixolet

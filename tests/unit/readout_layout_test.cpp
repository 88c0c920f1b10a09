#include <gtest/gtest.h>

#include "fakes/fake_ports.h"
#include "readout/layout.h"

namespace pixolet {
namespace {

// The fake view's font: every character 6 pixels wide, every text 12 high.
TEST(Layout, SixPixelFontExamples) {
    const struct {
        const char* name;
        bool rgb, cmyk, hex, coordinates, measuring;
        Size window;
        int cmykLeft, measureLeft;
    } cases[] = {
        {"rgb", true, false, false, false, false, {92, 56}, 86, 92},
        {"rgb+cmyk", true, true, false, false, false, {128, 56}, 86, 134},
        {"no column", false, false, false, false, false, {64, 56}, 50, 50},
        {"cmyk only", false, true, false, false, false, {92, 56}, 50, 92},
        {"rgb hex", true, false, true, false, false, {86, 56}, 86, 86},
        {"rgb measuring", true, false, false, false, true, {158, 63}, 86, 92},
        {"rgb coordinates", true, false, false, true, false, {92, 70}, 86, 92},
        {"all", true, true, false, true, true, {194, 77}, 86, 134},
    };
    fakes::FakeView font;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Settings s;
        s.ShowRgb = c.rgb;
        s.ShowCmyk = c.cmyk;
        s.ShowHex = c.hex;
        s.ShowCoordinates = c.coordinates;
        const ReadoutLayout l = ComputeLayout(s, c.measuring, font, Size{1024, 768}, "(0, 0)");
        EXPECT_EQ(l.window, c.window);
        EXPECT_TRUE(l.zoom.left == 7 && l.zoom.top == 9 && l.zoom.width == 39 &&
                    l.zoom.height == 39);
        EXPECT_TRUE(l.swatch.left == 49 && l.swatch.top == 39 && l.swatch.width == 9);
        for (int i = 0; i < 4; ++i) {
            const int top = 5 + 11 * i;
            if (i < 3) {
                EXPECT_EQ(l.labels[lblR + i], (LabelPlace{50, top, c.rgb}));
            }
            EXPECT_EQ(l.labels[lblC + i], (LabelPlace{c.cmykLeft, top, c.cmyk}));
        }
        EXPECT_EQ(l.labels[lblPoint], (LabelPlace{8, 51, c.coordinates}));
        EXPECT_EQ(l.labels[lblDiffX], (LabelPlace{c.measureLeft, 5, c.measuring}));
        EXPECT_EQ(l.labels[lblArea], (LabelPlace{c.measureLeft, 38, c.measuring}));
        EXPECT_TRUE(l.bar.left == 7 && l.bar.top == (c.coordinates ? 65 : 52) &&
                    l.bar.width == c.window.width - 14 && l.bar.height == 5);
        EXPECT_EQ(l.barVisible, c.measuring);
        EXPECT_EQ(l.barMaximum, 1280);
    }
}

TEST(Layout, BarGoesBelowTheCoordinatesOwnHeightAndKeepsItsPositionInRange) {
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
    EXPECT_EQ(l.barMaximum, 2203);  // 2202.9

    ReadoutScene scene;
    scene.labels[lblR].text = "R 200";
    scene.bar.position = 5000;
    ApplyLayout(l, scene);
    EXPECT_EQ(scene.labels[lblR].text, "R 200");
    EXPECT_EQ(scene.bar.position, 2203);
}

}  // namespace
}  // namespace pixolet

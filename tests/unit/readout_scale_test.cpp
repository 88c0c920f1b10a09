#include "readout/readout_scale.h"

#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "readout/layout.h"

namespace pixolet {
namespace {

TEST(ReadoutScale, WholeFactorOfTheMonitorsScale) {
    const struct {
        int dpi, scale;
    } rows[] = {{96, 1},  {120, 1}, {144, 1}, {191, 1},    {192, 2},
                {288, 3}, {0, 1},   {-5, 1},  {100000, 10}};
    for (const auto& row : rows) EXPECT_EQ(LayoutScale(row.dpi), row.scale) << row.dpi;
}

TEST(ReadoutScale, FontAtTheMonitorsDpi) {
    FontDescription font;  // 10-pixel character at 96 dpi
    EXPECT_EQ(FontAtDpi(font, 96), font);
    EXPECT_EQ(FontAtDpi(font, 144).height, -15);
    EXPECT_EQ(FontAtDpi(font, 192).height, -20);
    EXPECT_EQ(FontAtDpi(font, 192).dpi, 192);
    EXPECT_EQ(FontAtDpi(font, 192).name, font.name);
    font.height = -12;  // 9 points
    EXPECT_EQ(FontAtDpi(font, 192).height, -24);
    EXPECT_EQ(FontAtDpi(font, 120).height, -15);
    // A font described at another dpi goes through its own.
    font.dpi = 192;
    font.height = -20;
    EXPECT_EQ(FontAtDpi(font, 96).height, -10);
    // Never below one pixel, and a positive (cell) height stays positive.
    font.height = -1;
    EXPECT_EQ(FontAtDpi(font, 48).height, -1);
    font.height = 14;
    EXPECT_EQ(FontAtDpi(font, 96).height, 7);
}

// Metrics that grow with the font: 6 by 12 at 10 pixels.
fakes::FakeView ViewAt(int dpi) {
    fakes::FakeView view;
    view.metricsFollowFont = true;
    view.SetFont(FontAtDpi(FontDescription{}, dpi));
    return view;
}

SceneShape Twice(SceneShape s) {
    return SceneShape{2 * s.left, 2 * s.top, 2 * s.width, 2 * s.height};
}

bool operator==(const SceneShape& a, const SceneShape& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST(ScaledLayout, At200PercentEverythingIsTwiceAsLarge) {
    const fakes::FakeView at96 = ViewAt(96);
    const fakes::FakeView at192 = ViewAt(192);
    for (int bits = 0; bits < 64; ++bits) {
        Settings s;
        s.ShowRgb = bits & 1;
        s.ShowCmyk = bits & 2;
        s.ShowCoordinates = bits & 4;
        s.ShowContrast = bits & 8;
        s.ShowAngle = bits & 16;
        const bool measuring = bits & 32;
        SCOPED_TRACE(bits);
        const ReadoutLayout one = ComputeLayout(s, measuring, at96, Size{1920, 1080}, "(0,0)", 1);
        const ReadoutLayout two = ComputeLayout(s, measuring, at192, Size{1920, 1080}, "(0,0)", 2);
        EXPECT_EQ(two.window, (Size{2 * one.window.width, 2 * one.window.height}));
        EXPECT_TRUE(two.zoom == Twice(one.zoom));
        EXPECT_TRUE(two.swatch == Twice(one.swatch));
        EXPECT_TRUE(two.bar == Twice(one.bar));
        for (int i = 0; i < kLabelCount; ++i)
            EXPECT_EQ(two.labels[i], (LabelPlace{2 * one.labels[i].left, 2 * one.labels[i].top,
                                                 one.labels[i].visible}))
                << i;
        EXPECT_EQ(two.scale, 2);
    }
}

TEST(ScaledLayout, At150PercentTheTextGrowsAndTheMarginsStay) {
    // 9 by 18 characters, scale 1.
    const fakes::FakeView at144 = ViewAt(144);
    Settings s;
    const ReadoutLayout l = ComputeLayout(s, false, at144, Size{1920, 1080}, "(0,0)", 1);
    EXPECT_EQ(l.window, (Size{4 * 18 + 8 + 6 * 9, 4 * 18 + 8}));
    EXPECT_TRUE(l.zoom == (SceneShape{7, 9, 57, 57}));
    EXPECT_TRUE(l.swatch == (SceneShape{67, 57, 9, 9}));
    EXPECT_EQ(l.labels[lblG], (LabelPlace{68, 5 + 17, true}));
}

TEST(ScaledLayout, ContrastLineAndAngleRowAt100Percent) {
    // The fake font: 6 by 12.
    const fakes::FakeView at96 = ViewAt(96);
    Settings s;
    s.ShowContrast = true;
    ReadoutLayout l = ComputeLayout(s, false, at96, Size{1024, 768}, "(0, 0)");
    // One more line of 12 + 2 below the magnifier, as wide as
    // "8.88:1 AA large" (15 characters) with the margin on both sides.
    EXPECT_EQ(l.window, (Size{2 * 8 + 90, 56 + 14}));
    EXPECT_EQ(l.labels[lblContrast], (LabelPlace{8, 51, true}));
    s.ShowCoordinates = true;
    l = ComputeLayout(s, true, at96, Size{1024, 768}, "(0, 0)");
    EXPECT_EQ(l.labels[lblPoint], (LabelPlace{8, 51, true}));
    EXPECT_EQ(l.labels[lblContrast], (LabelPlace{8, 65, true}));
    EXPECT_EQ(l.bar.top, 79);
    EXPECT_EQ(l.window.height, 56 + 7 + 14 + 14);
    EXPECT_FALSE(l.labels[lblAngle].visible);

    // The angle: a fifth row of the measuring column; what is below the
    // magnifier moves down one row.
    s.ShowAngle = true;
    l = ComputeLayout(s, true, at96, Size{1024, 768}, "(0, 0)");
    EXPECT_EQ(l.labels[lblAngle], (LabelPlace{92, 49, true}));
    EXPECT_EQ(l.labels[lblPoint].top, 62);
    EXPECT_EQ(l.labels[lblContrast].top, 76);
    EXPECT_EQ(l.bar.top, 90);
    EXPECT_EQ(l.window.height, 56 + 7 + 14 + 14 + 11);
    // Outside measuring mode the angle takes no room.
    l = ComputeLayout(s, false, at96, Size{1024, 768}, "(0, 0)");
    EXPECT_EQ(l.labels[lblPoint].top, 51);
    EXPECT_FALSE(l.labels[lblAngle].visible);
}

// The readout window on a 200 % monitor.
TEST(ScaledReadout, FollowsTheMonitorUnderThePointer) {
    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
    env.view.metricsFollowFont = true;
    env.screen.colourAt = [](int x, int y) {
        return MakeColour(static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 3), 9);
    };
    w.settings.SampleSize = 3;
    env.screen.cursor = {300, 200};
    w.ShowHide(Sender::Window);
    ASSERT_EQ(env.view.bounds.Width(), 92);
    const PixelBuffer magnifier96 = w.Scene().magnifier;
    const PixelBuffer swatch96 = w.Scene().swatchPixels;
    EXPECT_EQ(env.view.font.height, -10);

    env.view.dpi = 192;
    w.TrackingUpdate();
    EXPECT_EQ(env.view.font.height, -20);
    EXPECT_EQ(env.view.bounds.Width(), 184);
    EXPECT_EQ(env.view.bounds.Height(), 112);
    EXPECT_EQ(w.Scene().scale, 2);
    // The same samples, every pixel two by two.
    const PixelBuffer& magnifier = w.Scene().magnifier;
    ASSERT_EQ(magnifier.Width(), 2 * magnifier96.Width());
    for (int y = 0; y < magnifier.Height(); ++y)
        for (int x = 0; x < magnifier.Width(); ++x)
            ASSERT_EQ(magnifier.At(x, y), magnifier96.At(x / 2, y / 2)) << x << "," << y;
    const PixelBuffer& swatch = w.Scene().swatchPixels;
    for (int y = 0; y < swatch.Height(); ++y)
        for (int x = 0; x < swatch.Width(); ++x)
            ASSERT_EQ(swatch.At(x, y), swatch96.At(x / 2, y / 2)) << x << "," << y;

    // Moves on one monitor set no font.
    const int fonts = env.view.fontsSet;
    w.TrackingUpdate();
    EXPECT_EQ(env.view.fontsSet, fonts);

    // Back on a 100 % monitor: the classic readout again.
    env.view.dpi = 96;
    w.TrackingUpdate();
    EXPECT_EQ(env.view.font.height, -10);
    EXPECT_EQ(env.view.bounds.Width(), 92);
    EXPECT_EQ(w.Scene().magnifier, magnifier96);
}

TEST(ScaledReadout, At200PercentTheLayoutIsDoubledWhateverTheLargerFontMeasures) {
    // A font whose 20-pixel size measures a little more than twice its
    // 10-pixel one, as real fonts round their metrics.
    struct RoundingView : fakes::FakeView {
        int TextHeight(std::string_view) const override { return font.height == -20 ? 25 : 12; }
    };
    fakes::FakeEnvironment env;
    RoundingView view;
    view.dpi = 192;
    TfrmPixoletMain w{ReadoutPorts{view, env.screen, env.clock, env.clipboard, env.colourDialog,
                                   env.desktop, env.registry}};
    w.ShowHide(Sender::Window);
    EXPECT_EQ(view.bounds.Height(), 2 * 56);
    EXPECT_EQ(view.font.height, -20);  // drawn with the font at 192 dpi
}

TEST(ScaledReadout, ShownOnAHighDensityMonitorFromTheStart) {
    fakes::FakeEnvironment env;
    env.view.metricsFollowFont = true;
    env.view.dpi = 192;
    env.window.ShowHide(Sender::Window);
    EXPECT_EQ(env.view.bounds.Width(), 184);
    EXPECT_EQ(env.window.ViewFont().height, -20);
    // The stored font keeps its own size.
    EXPECT_EQ(env.window.ReadoutFont.height, -10);
}

}  // namespace
}  // namespace pixolet

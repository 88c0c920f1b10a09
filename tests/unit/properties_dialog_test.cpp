// The dialog model on its own: shortcut editor rules, enabling rules, the
// zoom preview, its refresh timer and the logo's author line.
#include <gtest/gtest.h>

#include <string>

#include "properties_fake_dialog.h"
#include "settings/hotkey_rules.h"
#include "settings/version_info.h"
#include "settings/zoom_preview.h"

namespace pixolet {
namespace {

constexpr Shortcut S = kShortcutShift;
constexpr Shortcut C = kShortcutCtrl;
constexpr Shortcut A = kShortcutAlt;

TEST(HotkeyRules, RefusedModifierSetsTakeTheEditorsFallback) {
    struct Case {
        Shortcut typed;
        Shortcut fallback;
        Shortcut expected;
    };
    const Case cases[] = {
        {'C', C | A, C | A | 'C'},          // none
        {S | 'C', C | A, C | A | 'C'},      // Shift alone
        {A | 'C', C | A, C | A | 'C'},      // Alt alone
        {S | C | 'C', C | A, C | A | 'C'},  // Shift+Ctrl
        {S | 'C', 0, 'C'},
        {S | 'W', C, C | 'W'},
        {C | 'C', C | A, C | 'C'},  // allowed sets are kept
        {C | A | 'C', 0, C | A | 'C'},
        {S | A | 'C', 0, S | A | 'C'},
        {S | C | A | 'C', 0, S | C | A | 'C'},
        {C | 0x70, 0, C | 0x70},
        {C | A, C | A, 0},  // modifiers without a key are no shortcut
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.typed << " fallback " << c.fallback);
        EXPECT_EQ(ApplyHotkeyRules(c.typed, c.fallback), c.expected);
    }
}

class DialogModel : public testing::Test {
  protected:
    fakes::FakeDialogFactory factory;
    TfrmProp d{factory};
};

TEST_F(DialogModel, TypedShortcutsFollowEachEditorsFallback) {
    struct Case {
        HotkeyEditor TfrmProp::*editor;
        Shortcut expected;
    };
    const Case cases[] = {
        {&TfrmProp::hkCopyColor, C | A | 'C'}, {&TfrmProp::hkPasteColor, C | A | 'C'},
        {&TfrmProp::hkFreezeW, C | 'C'},       {&TfrmProp::hkFreezeC, 'C'},
        {&TfrmProp::hkShowHide, 'C'},          {&TfrmProp::hkQuit, 'C'},
        {&TfrmProp::hkAddPoint, 'C'},          {&TfrmProp::hkResetPoints, 'C'},
        {&TfrmProp::hkMeasure, 'C'},
    };
    for (const Case& c : cases) {
        d.TypeHotkey(d.*c.editor, S | 'C');
        EXPECT_EQ((d.*c.editor).value, c.expected);
    }
    // Set by the program, a value is kept as it is, apart from bits an
    // editor cannot hold.
    d.SetHotkey(d.hkCopyColor, S | 'C');
    EXPECT_EQ(d.hkCopyColor.value, S | 'C');
    d.SetHotkey(d.hkCopyColor, 0x1243);
    EXPECT_EQ(d.hkCopyColor.value, 0x0043);
}

TEST_F(DialogModel, CheckBoxesEnableTheirControls) {
    d.FormShow();  // form values: every box unchecked
    EXPECT_FALSE(d.cbxRGB1.enabled);
    EXPECT_FALSE(d.tcbFacK.enabled);
    EXPECT_TRUE(d.hkAddPoint.enabled);

    d.SetChecked(d.cbxRGB, true);
    d.SetChecked(d.cbxCMYK, true);
    d.SetChecked(d.cbxAddPoint, true);
    EXPECT_TRUE(d.cbxRGB1.enabled);
    EXPECT_TRUE(d.tcbFacK.enabled);
    EXPECT_FALSE(d.hkAddPoint.enabled);

    d.SetChecked(d.cbxAddPoint, false);
    EXPECT_TRUE(d.hkAddPoint.enabled);
}

TEST_F(DialogModel, TrackBarsClampAndOnlyTheUsersZoomMoveRedraws) {
    d.SetPosition(d.tcbSize, 0);
    EXPECT_EQ(d.tcbSize.position, 1);
    d.SetPosition(d.tcbFacK, 101);
    EXPECT_EQ(d.tcbFacK.position, 100);
    EXPECT_TRUE(factory.previews.empty());

    d.MoveTrackBar(d.tcbSize, 3);
    ASSERT_EQ(factory.previews.size(), 1u);
    EXPECT_EQ(factory.previews[0], RenderZoomPreview(factory.logo, 3));
}

TEST_F(DialogModel, RefreshTimerRedrawsTwiceOnTheZoomPageThenStops) {
    EXPECT_EQ(d.ActivePage(), PropPage::Preferences);
    d.FormActivate();
    EXPECT_FALSE(factory.timerRunning);

    d.SelectPage(PropPage::Zoom);
    EXPECT_TRUE(factory.timerRunning);
    d.tmrRefreshTimer();
    EXPECT_EQ(d.RefreshCount(), 1);
    EXPECT_TRUE(factory.timerRunning);
    d.tmrRefreshTimer();
    EXPECT_EQ(d.RefreshCount(), 0);
    EXPECT_FALSE(factory.timerRunning);
    EXPECT_EQ(factory.previews.size(), 2u);

    // Activation while the Zoom page shows starts it again; leaving the page
    // before the second tick stops it at the next tick without a redraw.
    d.FormActivate();
    d.tmrRefreshTimer();
    d.SelectPage(PropPage::About);
    d.tmrRefreshTimer();
    EXPECT_FALSE(factory.timerRunning);
    EXPECT_EQ(d.RefreshCount(), 0);
    EXPECT_EQ(factory.previews.size(), 3u);
}

// The About page's hint is checked with the dialog's model below.
TEST(LogoHint, TheSplashNamesThePartnersHost) {
    EXPECT_EQ(SplashLogoHint(),
              "www.orvessa.example\r\nwww.velmora.example\r\npixolet@velmora.example");
}

TEST_F(DialogModel, LogoDoubleClickShowsTheAuthorLineOrNothing) {
    EXPECT_EQ(d.LogoHint(),
              "https://www.orvessa.example/\r\nwww.velmora.example\r\npixolet@velmora.example");
    using namespace std::string_literals;
    factory.versionBlock = "ProductName\0Pixolet\0Comments\0Mail: a@b.example\r\n"s +
                           "Author: Ada Quill\r\nMail: c@d.example";
    d.imgVelmoraDblClick();
    EXPECT_EQ(d.LogoHint(), "Author: Ada Quill");
    EXPECT_EQ(factory.shownHint, "Author: Ada Quill");

    factory.versionBlock.reset();
    d.imgVelmoraDblClick();
    EXPECT_EQ(factory.shownHint, "");
}

TEST(AuthorLine, StaysInsideTheBlockAndItsLimits) {
    const std::string longName(300, 'x');
    struct Case {
        std::string block;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {"no author here", ""},
        {"Auth", "Auth"},  // at the block's very end: nothing read beyond it
        {"xxAuthor: B\r\nAuthor: C", "Author: B"},
        {"Author: D\nMail", "Author: D\nMail"},  // only a carriage return ends it
        {"AUTHOR: E\rAuthor: F", "Author: F"},   // bytes compare exactly
        {"Auth" + longName + "\r", ("Auth" + longName).substr(0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block.substr(0, 20));
        EXPECT_EQ(AuthorLine(c.block), c.expected);
    }
}

class ZoomPreviewTest : public testing::Test {
  protected:
    // Every logo pixel distinct: its coordinates in two bytes.
    ZoomPreviewTest() : logo(118, 47) {
        for (int y = 0; y < logo.Height(); ++y)
            for (int x = 0; x < logo.Width(); ++x)
                logo.Set(x, y,
                         MakeColour(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 1));
    }
    static Colour LogoAt(int x, int y) {
        return MakeColour(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 1);
    }
    static void ExpectOutline(const PixelBuffer& box) {
        for (int i = 0; i < kZoomBoxSize; ++i) {
            EXPECT_EQ(box.At(i, 0), kBlack);
            EXPECT_EQ(box.At(i, 41), kBlack);
            EXPECT_EQ(box.At(0, i), kBlack);
            EXPECT_EQ(box.At(41, i), kBlack);
        }
    }
    PixelBuffer logo;
};

TEST_F(ZoomPreviewTest, RadiusPerStep) {
    const int expected[] = {21, 11, 7, 5, 4, 4, 3};
    for (int step = 1; step <= 7; ++step) EXPECT_EQ(ZoomPreviewRadius(step), expected[step - 1]);
}

TEST_F(ZoomPreviewTest, StepOneShowsSingleLogoPixels) {
    const PixelBuffer box = RenderZoomPreview(logo, 1);
    EXPECT_EQ(box.At(22, 22), LogoAt(64, 24));
    EXPECT_EQ(box.At(1, 1), LogoAt(43, 3));
    EXPECT_EQ(box.At(40, 40), LogoAt(82, 42));
    ExpectOutline(box);
}

TEST_F(ZoomPreviewTest, StepFourCentreCellCovers21To24) {
    const PixelBuffer box = RenderZoomPreview(logo, 4);
    for (int y = 21; y <= 24; ++y)
        for (int x = 21; x <= 24; ++x) EXPECT_EQ(box.At(x, y), LogoAt(64, 24));
    EXPECT_EQ(box.At(20, 22), LogoAt(63, 24));
    EXPECT_EQ(box.At(25, 22), LogoAt(65, 24));
    ExpectOutline(box);
}

TEST_F(ZoomPreviewTest, StepSevenShowsFiveWholeCellsAndPartOfASixth) {
    const PixelBuffer box = RenderZoomPreview(logo, 7);
    // R = 3: cells start at 1, 8, ..., 36; the sixth is cut by the outline.
    for (int a = 0; a < 6; ++a) {
        const int first = 1 + 7 * a;
        const int last = std::min(first + 6, 40);
        EXPECT_EQ(box.At(first, 1), LogoAt(61 + a, 21));
        EXPECT_EQ(box.At(last, 40), LogoAt(61 + a, 26));
    }
    ExpectOutline(box);
}

TEST_F(ZoomPreviewTest, PlainBoxAndForgivingInputs) {
    const PixelBuffer plain = PlainZoomBox();
    EXPECT_EQ(plain.At(20, 20), kWhite);
    ExpectOutline(plain);
    // A step outside 1..7 or a logo smaller than the sample neither crashes
    // nor reads outside the bitmap.
    EXPECT_EQ(RenderZoomPreview(logo, 0), RenderZoomPreview(logo, 1));
    EXPECT_EQ(RenderZoomPreview(PixelBuffer(), 4), RenderZoomPreview(PixelBuffer(2, 2, kWhite), 4));
}

}  // namespace
}  // namespace pixolet

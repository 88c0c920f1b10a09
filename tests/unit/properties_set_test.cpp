// SetProperties and the uninstall, run against a scripted dialog.
#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_environment.h"
#include "measure/meas_points.h"
#include "properties_fake_dialog.h"
#include "settings/registry_paths.h"
#include "settings/settings_store.h"

namespace pixolet {
namespace {

// Every control away from what default Settings put into it.
void ChangeEverything(TfrmProp& d) {
    d.SetChecked(d.cbxStartUp, true);
    d.SetChecked(d.cbxHex, true);
    d.SetChecked(d.cbxCMYK, true);
    d.MoveTrackBar(d.tcbFacK, 35);
    d.SetChecked(d.cbxRGB, false);
    d.SetChecked(d.cbxRGB1, true);
    d.SetChecked(d.cbxPoint, true);
    d.SetItemIndex(8);
    d.TypeHotkey(d.hkCopyColor, 0x6041);   // Ctrl+Shift+A is refused: Ctrl+Alt+A
    d.TypeHotkey(d.hkPasteColor, 0x4042);  // Ctrl+B
    d.TypeHotkey(d.hkFreezeW, 0xC044);     // Ctrl+Alt+D
    d.TypeHotkey(d.hkFreezeC, 0xE045);     // Ctrl+Alt+Shift+E
    d.TypeHotkey(d.hkMeasure, 0x4046);     // Ctrl+F
    d.SetChecked(d.cbxAddPoint, false);
    d.TypeHotkey(d.hkAddPoint, 0x4047);     // Ctrl+G
    d.TypeHotkey(d.hkResetPoints, 0x4048);  // Ctrl+H
    d.TypeHotkey(d.hkShowHide, 0x2070);     // Shift+F1 is refused: plain F1
    d.TypeHotkey(d.hkQuit, 0x4051);         // Ctrl+Q
    d.SelectPage(PropPage::Zoom);
    d.MoveTrackBar(d.tcbSize, 7);
    d.SelectPage(PropPage::Designer);
    d.SetChecked(d.cbxContrast, true);
    d.SetSampleIndex(2);
    d.SetChecked(d.cbxAngle, true);
    d.BitBtn1Click();
}

class SetPropertiesTest : public testing::Test {
  protected:
    SetPropertiesTest() {
        w.FormCreate();
        env.dialogs.chooseFont = [](FontDescription& f) {
            f.name = "Arial";
            f.height = -12;  // 9 points at 96 dpi
            f.bold = true;
            f.underline = true;
            f.colour = 0x123456;
            return true;
        };
    }

    void Show() { w.ShowHide(Sender::Show1); }
    void Run(int result, std::function<void(TfrmProp&)> edits = ChangeEverything) {
        env.dialogs.script = [result, edits](TfrmProp& d) {
            edits(d);
            return result;
        };
        w.SetProperties(Sender::Show1);
    }
    static void NoEdits(TfrmProp&) {}

    fakes::DialogEnvironment env;
    TfrmPixoletMain& w = env.window;
};

TEST_F(SetPropertiesTest, CancelOrUninstallAnsweredNoKeepsEverythingAsItWas) {
    for (const int result : {kDialogCancel, kDialogUninstall}) {
        SCOPED_TRACE(result);
        const Settings settings = w.settings;
        const FontDescription font = w.ReadoutFont;
        const auto keys = env.registry.keys;
        env.view.menuShowHide = 0x1111;  // whatever the menu showed before
        env.registry.writeLog.clear();
        Show();

        Run(result);

        EXPECT_EQ(w.settings, settings);
        EXPECT_EQ(w.ReadoutFont, font);
        EXPECT_TRUE(env.registry.writeLog.empty());
        EXPECT_EQ(env.registry.keys.size(), keys.size());
        EXPECT_EQ(env.view.menuShowHide, 0x1111);
        EXPECT_EQ(env.dialogs.destroyed, env.dialogs.created);
        EXPECT_EQ(w.PropertiesDialog, nullptr);
        EXPECT_EQ(env.desktop.closesPosted, 0);
        // Cancel shows the window again; the uninstall question hides it.
        EXPECT_EQ(env.view.visible, result == kDialogCancel);
        if (env.view.visible) w.ShowHide(Sender::Show1);
    }
}

TEST_F(SetPropertiesTest, OkWithoutChangesSavesEveryValueAndLaysOutAgain) {
    Show();
    const int shows = env.view.shows;
    const Settings settings = w.settings;
    env.registry.writeLog.clear();

    Run(kDialogOK, NoEdits);

    EXPECT_EQ(w.settings, settings);
    EXPECT_FALSE(env.registry.writeLog.empty());
    const RegValue* path = env.registry.Value(kSettingsKeyPath, "Path");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->text, env.desktop.exePath);
    Settings reloaded;
    reloaded.ShowRgb = !settings.ShowRgb;
    FontDescription font;
    LoadSettingsFrom(env.registry, reloaded, font);
    EXPECT_EQ(reloaded, settings);
    EXPECT_EQ(env.view.shows, shows + 1);
    EXPECT_TRUE(env.view.visible);
}

TEST_F(SetPropertiesTest, OkCopiesEveryControlBackAppliesAndSaves) {
    Show();
    Run(kDialogOK);

    Settings expected;
    expected.StartWithWindows = true;
    expected.ShowHex = true;
    expected.ShowCmyk = true;
    expected.CmykFactorK = 35;
    expected.ShowRgb = false;
    expected.RgbAsPercent = true;  // copied back although its box was disabled
    expected.ShowCoordinates = true;
    expected.ClipboardFormat = 8;
    expected.HotkeyCopyColor = 0xC041;
    expected.HotkeyPasteColor = 0x4042;
    expected.HotkeyFreezeWindow = 0xC044;
    expected.HotkeyFreezeColor = 0xE045;
    expected.HotkeyMeasure = 0x4046;
    expected.ClickAddsPoint = false;
    expected.HotkeyAddPoint = 0x4047;
    expected.HotkeyResetPoints = 0x4048;
    expected.HotkeyShowHide = 0x0070;
    expected.HotkeyQuit = 0x4051;
    expected.Zoom = 7;
    expected.ShowContrast = true;
    expected.SampleSize = 5;
    expected.ShowAngle = true;
    EXPECT_EQ(w.settings, expected);

    EXPECT_EQ(env.view.menuShowHide, 0x0070);
    EXPECT_EQ(env.view.menuQuit, 0x4051);
    EXPECT_EQ(w.ReadoutFont.name, "Arial");
    EXPECT_TRUE(w.ReadoutFont.bold);
    EXPECT_TRUE(w.ReadoutFont.underline);
    EXPECT_FALSE(w.ReadoutFont.italic);
    EXPECT_EQ(w.ReadoutFont.colour, 0x123456u);
    EXPECT_EQ(env.view.font, w.ReadoutFont);

    const RegValue* run = env.registry.Value(kRunKeyPath, kRunValueName);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->text, env.desktop.exePath);
    Settings reloaded;
    FontDescription font;
    LoadSettingsFrom(env.registry, reloaded, font);
    EXPECT_EQ(reloaded, expected);
}

TEST_F(SetPropertiesTest, FontSizeEightAt96DpiGivesATenPixelCharacter) {
    w.ReadoutFont.height = -16;  // 12 points before
    env.dialogs.chooseFont = [](FontDescription& f) {
        f.height = -11;  // what 8 points give before fitting
        return true;
    };
    Run(kDialogOK, [](TfrmProp& d) { d.BitBtn1Click(); });
    EXPECT_EQ(w.ReadoutFont.height, -10);
}

TEST_F(SetPropertiesTest, FontDialogCancelledKeepsTheReadoutFont) {
    env.dialogs.chooseFont = [](FontDescription& f) {
        f.name = "Arial";  // edits its copy, then is cancelled
        return false;
    };
    const FontDescription before = w.ReadoutFont;
    Run(kDialogOK, [](TfrmProp& d) { d.BitBtn1Click(); });
    EXPECT_EQ(w.ReadoutFont.name, before.name);
    EXPECT_EQ(w.ReadoutFont.height, before.height);
}

TEST_F(SetPropertiesTest, MeasuringModeIsOffDuringTheDialogAndBackWithNoPoints) {
    for (const int result : {kDialogOK, kDialogCancel}) {
        SCOPED_TRACE(result);
        if (!env.view.visible) Show();
        if (!w.MeasuringMode) w.ToggleMeasuringMode();
        for (int i = 0; i < 3; ++i) {
            env.screen.cursor = ScreenPoint{10 + 20 * i, 30};
            w.AddMeasurePoint();
        }
        ASSERT_EQ(w.MeasurePoints->Items().size(), 3u);
        bool offDuringDialog = false;
        env.dialogs.onModal = [&] {
            offDuringDialog = !w.MeasuringMode && !w.MeasurePoints && !env.view.visible;
        };

        Run(result, NoEdits);

        EXPECT_TRUE(offDuringDialog);
        EXPECT_TRUE(w.MeasuringMode);
        ASSERT_NE(w.MeasurePoints, nullptr);
        EXPECT_TRUE(w.MeasurePoints->Items().empty());
        EXPECT_TRUE(env.view.visible);
        // Every marker left the screen.
        for (const auto& [at, colour] : env.screen.written)
            EXPECT_EQ(colour, env.screen.colourAt(at.first, at.second));
    }
}

TEST_F(SetPropertiesTest, HiddenWindowStaysHiddenWhateverTheResult) {
    for (const int result : {kDialogOK, kDialogCancel, kDialogUninstall}) {
        SCOPED_TRACE(result);
        Run(result, NoEdits);
        EXPECT_FALSE(env.view.visible);
        EXPECT_EQ(env.view.shows, 0);
    }
}

TEST_F(SetPropertiesTest, UninstallRestoresTheWindowBeforeAsking) {
    Show();
    w.ToggleMeasuringMode();
    const int shows = env.view.shows;
    bool restoredBeforeQuestion = false;
    env.desktop.onAsk = [&] {
        // The dialog is gone, the window was shown again and then hidden by
        // the question itself, measuring mode is back.
        restoredBeforeQuestion = w.PropertiesDialog == nullptr && env.dialogs.destroyed == 1 &&
                                 env.view.shows > shows && !env.view.visible && w.MeasuringMode;
    };
    env.desktop.answerYes = false;
    Run(kDialogUninstall);
    EXPECT_TRUE(restoredBeforeQuestion);
    ASSERT_EQ(env.desktop.questions.size(), 1u);
    EXPECT_EQ(env.desktop.questions[0].first, "Uninstall");
    EXPECT_EQ(env.desktop.questions[0].second,
              "Thank you for using Pixolet!\rUninstall will clear the Pixolet registry "
              "settings.\rPlease delete /opt/pixolet/bin/pixolet by yourself.\r \r"
              "Continue uninstall?");
    EXPECT_FALSE(env.view.visible);
    EXPECT_TRUE(w.MeasuringMode);  // hidden by the window itself: the mode stays
}

TEST_F(SetPropertiesTest, UninstallAnsweredYesRemovesTheEntriesAndCloses) {
    Run(kDialogOK, [](TfrmProp& d) { d.SetChecked(d.cbxStartUp, true); });
    ASSERT_NE(env.registry.Value(kRunKeyPath, kRunValueName), nullptr);
    env.desktop.answerYes = true;

    Run(kDialogUninstall, NoEdits);

    EXPECT_EQ(env.registry.Value(kRunKeyPath, kRunValueName), nullptr);
    EXPECT_FALSE(env.registry.HasKey(kSettingsKeyPath));
    EXPECT_FALSE(env.registry.HasKey(kCompanyKeyPath));
    EXPECT_EQ(env.desktop.closesPosted, 1);
}

TEST_F(SetPropertiesTest, SecondRequestWhileOpenBringsTheDialogToTheFront) {
    Show();
    Run(kDialogCancel, [this](TfrmProp&) { w.SetProperties(Sender::Show1); });
    EXPECT_EQ(env.dialogs.created, 1);
    EXPECT_EQ(env.dialogs.modalRuns, 1);
    EXPECT_EQ(env.dialogs.broughtToFront, 1);
    EXPECT_TRUE(env.view.visible);
}

TEST_F(SetPropertiesTest, DisabledControlsAreStillCopiedBack) {
    w.settings.ShowRgb = false;
    w.settings.RgbAsPercent = true;
    w.settings.ClickAddsPoint = true;
    w.settings.HotkeyAddPoint = 0x4050;
    w.settings.ShowCmyk = false;
    w.settings.CmykFactorK = 40;
    bool disabled = false;
    Run(kDialogOK, [&](TfrmProp& d) {
        disabled = !d.cbxRGB1.enabled && !d.hkAddPoint.enabled && !d.tcbFacK.enabled;
    });
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(w.settings.RgbAsPercent);
    EXPECT_EQ(w.settings.HotkeyAddPoint, 0x4050);
    EXPECT_EQ(w.settings.CmykFactorK, 40);
    const RegValue* stored = env.registry.Value(kSettingsKeyPath, "HotKey5");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->dword, 0x4050u);
}

TEST_F(SetPropertiesTest, CopyInClampsTrackBarsAndSelectsTheFormat) {
    w.settings.Zoom = 9;
    w.settings.CmykFactorK = -5;
    w.settings.ClipboardFormat = 0;
    std::string item;
    int zoom = 0;
    int factor = 0;
    Run(kDialogCancel, [&](TfrmProp& d) {
        item = kClipboardFormatItems.at(static_cast<std::size_t>(d.cmxClipbCode.itemIndex));
        zoom = d.tcbSize.position;
        factor = d.tcbFacK.position;
    });
    EXPECT_EQ(item, "RGB ");
    EXPECT_EQ(zoom, 7);
    EXPECT_EQ(factor, 0);
}

TEST_F(SetPropertiesTest, CopyInOfTheDesignerPageAndBackWithNothingSelected) {
    w.settings.ShowContrast = true;
    w.settings.SampleSize = 3;
    w.settings.ClipboardFormat = 7;
    int sample = -2;
    int format = -2;
    bool contrast = false;
    Run(kDialogCancel, [&](TfrmProp& d) {
        sample = d.cmxSample.itemIndex;
        format = d.cmxClipbCode.itemIndex;
        contrast = d.cbxContrast.checked;
    });
    EXPECT_EQ(sample, 1);
    EXPECT_EQ(kSampleSizeItems[1], "3 x 3 pixels, averaged");
    EXPECT_EQ(format, 7);
    EXPECT_EQ(kClipboardFormatItems[7], "CSS hsl()");
    EXPECT_TRUE(contrast);

    // A size outside the list (set otherwise than by a load) selects
    // nothing, and OK then keeps the size.
    w.settings.SampleSize = 4;
    Run(kDialogOK, [&](TfrmProp& d) { sample = d.cmxSample.itemIndex; });
    EXPECT_EQ(sample, -1);
    EXPECT_EQ(w.settings.SampleSize, 4);
}

TEST_F(SetPropertiesTest, RefusedSaveStillRestoresTheWindowAndSkipsNothingElse) {
    Show();
    env.registry.refusedWrites.insert("Zoom");
    env.desktop.answerYes = true;
    EXPECT_THROW(Run(kDialogOK, NoEdits), PixoletError);
    EXPECT_EQ(w.PropertiesDialog, nullptr);
    EXPECT_EQ(env.dialogs.destroyed, 1);
    EXPECT_TRUE(env.view.visible);
    EXPECT_TRUE(env.desktop.questions.empty());
}

TEST(SetPropertiesWithoutDialog, DoesNothing) {
    fakes::FakeEnvironment env;
    env.window.ShowHide(Sender::Show1);
    env.window.SetProperties(Sender::Show1);
    EXPECT_TRUE(env.view.visible);
    EXPECT_EQ(env.window.PropertiesDialog, nullptr);
}

}  // namespace
}  // namespace pixolet

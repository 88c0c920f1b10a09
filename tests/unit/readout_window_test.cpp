#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "measure/meas_points.h"

namespace pixolet {
namespace {

class ReadoutWindow : public testing::Test {
  protected:
    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
    int dialog = 0;  // stands in for an open properties dialog
    TfrmProp* const openDialog = reinterpret_cast<TfrmProp*>(&dialog);
};

TEST_F(ReadoutWindow, ShowFollowsThePointerAndAFrozenWindowComesBackWhereItWas) {
    env.screen.cursor = {300, 200};
    w.ShowHide(Sender::TrayIcon);
    EXPECT_EQ(env.view.showCaption, "Hide");
    EXPECT_EQ(env.view.bounds, (Rect{310, 210, 310 + 92, 210 + 56}));
    EXPECT_TRUE(w.Scene().live);

    w.FollowPointer = false;
    env.view.Move(40, 50);
    w.ShowHide(Sender::TrayIcon);
    EXPECT_FALSE(env.view.visible);
    EXPECT_EQ(env.view.showCaption, "Show");
    env.screen.cursor = {700, 600};
    w.ShowHide(Sender::TrayIcon);
    EXPECT_EQ(env.view.bounds.left, 40);
    EXPECT_EQ(env.view.bounds.top, 50);
}

TEST_F(ReadoutWindow, PointerPassesThroughWhileFollowingAndIsTakenWhileFrozen) {
    constexpr int kF9 = 0x78;
    w.settings.HotkeyFreezeWindow = kF9;
    w.ShowHide(Sender::TrayIcon);
    EXPECT_TRUE(env.view.passThroughAtShow);
    EXPECT_TRUE(env.view.passThrough);

    ASSERT_TRUE(w.DispatchShortcut(kF9, 0));
    EXPECT_FALSE(w.FollowPointer);
    EXPECT_FALSE(env.view.passThrough);  // at once, before any move

    // Shown again while frozen: it takes the pointer from its first frame.
    w.ShowHide(Sender::TrayIcon);
    w.ShowHide(Sender::TrayIcon);
    EXPECT_FALSE(env.view.passThroughAtShow);

    ASSERT_TRUE(w.DispatchShortcut(kF9, 0));
    EXPECT_TRUE(w.FollowPointer);
    EXPECT_TRUE(env.view.passThrough);

    // Hidden, the freeze shortcut is not taken and nothing changes.
    w.ShowHide(Sender::TrayIcon);
    EXPECT_FALSE(w.DispatchShortcut(kF9, 0));
    EXPECT_TRUE(env.view.passThrough);
}

TEST_F(ReadoutWindow, UserHideEndsMeasuringModeRelayoutDoesNot) {
    for (Sender sender : {Sender::Show1, Sender::TrayIcon, Sender::Window}) {
        w.ShowHide(Sender::Show1);
        w.ToggleMeasuringMode();
        ASSERT_TRUE(w.MeasuringMode && w.Scene().bar.visible);
        w.ShowHide(sender);
        EXPECT_EQ(w.MeasuringMode, sender == Sender::Window);
        EXPECT_EQ(w.MeasurePoints != nullptr, sender == Sender::Window);
        if (w.MeasuringMode) w.ToggleMeasuringMode();
    }
}

TEST_F(ReadoutWindow, OpenPropertiesDialogBlocksShowAndHide) {
    w.PropertiesDialog = openDialog;
    w.ShowHide(Sender::TrayIcon);
    EXPECT_EQ(env.view.shows, 0);
    w.PropertiesDialog = nullptr;
    w.ShowHide(Sender::TrayIcon);
    w.PropertiesDialog = openDialog;
    w.ShowHide(Sender::Show1);
    EXPECT_TRUE(env.view.visible);
    w.PropertiesDialog = nullptr;
}

TEST_F(ReadoutWindow, DragGrabsTheWindowFromInsideAndCentresItOnThePointer) {
    env.view.bounds = Rect{100, 100, 192, 156};
    env.screen.cursor = {50, 50};
    w.PlaceUnderPointer();
    EXPECT_FALSE(w.Dragging);
    EXPECT_TRUE(env.view.moves.empty());
    env.screen.cursor = {191, 155};  // last pixel inside
    w.PlaceUnderPointer();
    EXPECT_TRUE(w.Dragging);
    EXPECT_EQ(env.view.bounds, (Rect{145, 127, 237, 183}));
    env.screen.cursor = {10, 900};  // once dragging, anywhere
    w.PlaceUnderPointer();
    EXPECT_EQ(env.view.bounds.left, 10 - 46);
}

TEST_F(ReadoutWindow, ErrorBoxTextAddsAFullStopAfterLaterCharacters) {
    const struct {
        const char *in, *out;
    } rows[] = {{"", ""},           {"Failed", "Failed."}, {"Done.", "Done."},
                {"Oops!", "Oops!"}, {"Why?", "Why?."},     {"'HotKey1'", "'HotKey1'"},
                {"\xE9", "\xE9."}};
    for (const auto& row : rows) EXPECT_EQ(ErrorBoxText(row.in), row.out) << row.in;
}

TEST_F(ReadoutWindow, FormCreateStopsAtAFailingStepAndGoesOn) {
    env.desktop.hookInstallError = "Cannot watch input";
    w.MoveTolerance = 4;
    w.FormCreate();
    EXPECT_EQ(env.desktop.errors, std::vector<std::string>{"Cannot watch input."});
    EXPECT_EQ(env.desktop.errorHandlerInstalls, 0);
    EXPECT_EQ(w.MoveTolerance, 4);
    EXPECT_EQ(env.desktop.terminations, 0);

    env.desktop.hookInstallError.clear();
    w.FormCreate();
    EXPECT_EQ(env.desktop.hookInstalls, 1);
    EXPECT_EQ(env.desktop.errorHandlerInstalls, 1);
    EXPECT_EQ(w.MoveTolerance, 0);
}

TEST_F(ReadoutWindow, ErrorHandlerAndCloseRemoveTheHookAndEnd) {
    w.AppExceptionHandler(PixoletError("Failed to set data for 'HotKey1'"));
    EXPECT_EQ(env.desktop.hookRemovals, 1);
    EXPECT_EQ(env.desktop.errors.back(), "Failed to set data for 'HotKey1'");
    EXPECT_EQ(env.desktop.terminations, 1);

    // Closing while measuring takes every marker off the screen first.
    env.screen.colourAt = [](int, int) { return kWhite; };
    w.ShowHide(Sender::Show1);
    w.ToggleMeasuringMode();
    env.screen.cursor = {500, 400};
    w.AddMeasurePoint();
    ASSERT_NE(env.screen.Pixel(500, 400), kWhite);
    w.FormClose();
    EXPECT_FALSE(w.MeasuringMode);
    EXPECT_EQ(env.screen.Pixel(500, 400), kWhite);
    EXPECT_EQ(env.desktop.hookRemovals, 2);
    EXPECT_EQ(env.desktop.terminations, 2);
}

}  // namespace
}  // namespace pixolet

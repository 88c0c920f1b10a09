#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "measure/meas_points.h"

namespace pixolet {
namespace {

class ReadoutWindow : public testing::Test {
  protected:
    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
};

TEST_F(ReadoutWindow, ShowPlacesAFollowingWindowBesideThePointer) {
    env.screen.cursor = {300, 200};
    w.ShowHide(Sender::TrayIcon);
    EXPECT_TRUE(env.view.visible);
    EXPECT_EQ(env.view.showCaption, "Hide");
    EXPECT_EQ(env.view.bounds, (Rect{310, 210, 310 + 92, 210 + 56}));
    EXPECT_EQ(w.SavedLeft, 300);
    EXPECT_TRUE(w.Scene().live);
    EXPECT_TRUE(w.Scene().labels[lblR].visible);

    w.ShowHide(Sender::TrayIcon);
    EXPECT_FALSE(env.view.visible);
    EXPECT_EQ(env.view.showCaption, "Show");
    EXPECT_EQ(w.SavedLeft, 310);
    EXPECT_EQ(w.SavedTop, 210);
}

TEST_F(ReadoutWindow, FrozenWindowReappearsWhereItWasHidden) {
    w.ShowHide(Sender::Show1);
    w.FollowPointer = false;
    env.view.Move(40, 50);
    w.ShowHide(Sender::Show1);
    env.screen.cursor = {700, 600};
    w.ShowHide(Sender::Show1);
    EXPECT_EQ(env.view.bounds.left, 40);
    EXPECT_EQ(env.view.bounds.top, 50);
}

TEST_F(ReadoutWindow, UserHideEndsMeasuringModeRelayoutDoesNot) {
    for (Sender sender : {Sender::Show1, Sender::TrayIcon, Sender::Window}) {
        w.ShowHide(Sender::Show1);
        w.ToggleMeasuringMode();
        ASSERT_TRUE(w.MeasuringMode);
        EXPECT_TRUE(w.Scene().bar.visible);
        w.ShowHide(sender);
        EXPECT_EQ(w.MeasuringMode, sender == Sender::Window);
        EXPECT_EQ(w.MeasurePoints != nullptr, sender == Sender::Window);
        if (w.MeasuringMode) w.ToggleMeasuringMode();
    }
}

TEST_F(ReadoutWindow, OpenPropertiesDialogBlocksShowAndHide) {
    int dialog = 0;
    w.PropertiesDialog = reinterpret_cast<TfrmProp*>(&dialog);
    w.ShowHide(Sender::TrayIcon);
    EXPECT_FALSE(env.view.visible);
    EXPECT_EQ(env.view.shows, 0);
    w.PropertiesDialog = nullptr;
    w.ShowHide(Sender::TrayIcon);
    w.PropertiesDialog = reinterpret_cast<TfrmProp*>(&dialog);
    w.ShowHide(Sender::Show1);
    EXPECT_TRUE(env.view.visible);
    w.PropertiesDialog = nullptr;
}

TEST_F(ReadoutWindow, DragGrabsTheFrozenWindowAnywhereAndCentresIt) {
    env.view.bounds = Rect{100, 100, 192, 156};
    env.screen.cursor = {50, 50};  // outside, no drag yet
    w.PlaceUnderPointer();
    EXPECT_FALSE(w.Dragging);
    EXPECT_TRUE(env.view.moves.empty());

    env.screen.cursor = {191, 155};  // last pixel inside
    w.PlaceUnderPointer();
    EXPECT_TRUE(w.Dragging);
    EXPECT_EQ(env.view.bounds, (Rect{145, 127, 237, 183}));

    env.screen.cursor = {10, 900};  // a drag under way follows anywhere
    w.PlaceUnderPointer();
    EXPECT_EQ(env.view.bounds.left, 10 - 46);
    EXPECT_EQ(env.view.bounds.top, 900 - 28);
}

TEST_F(ReadoutWindow, ErrorBoxTextAddsAFullStopAfterLaterCharacters) {
    const struct {
        const char *in, *out;
    } rows[] = {{"", ""},           {"Failed", "Failed."}, {"Done.", "Done."},
                {"Oops!", "Oops!"}, {"Why?", "Why?."},     {"Code 5", "Code 5."},
                {"(x)", "(x)"},     {"a-", "a-"},          {"\xE9", "\xE9."}};
    for (const auto& row : rows) EXPECT_EQ(ErrorBoxText(row.in), row.out) << row.in;
}

TEST_F(ReadoutWindow, FormCreateStopsAtAFailingStepAndGoesOn) {
    env.desktop.hookInstallError = "Cannot watch input";
    w.MoveTolerance = 4;
    w.FormCreate();
    EXPECT_TRUE(w.TrackColor);
    EXPECT_TRUE(w.FollowPointer);
    ASSERT_EQ(env.desktop.errors, std::vector<std::string>{"Cannot watch input."});
    EXPECT_EQ(env.desktop.errorHandlerInstalls, 0);
    EXPECT_EQ(w.MoveTolerance, 4);
    EXPECT_EQ(env.desktop.terminations, 0);

    fakes::FakeEnvironment fresh;
    fresh.window.FormCreate();
    EXPECT_EQ(fresh.desktop.hookInstalls, 1);
    EXPECT_EQ(fresh.desktop.errorHandlerInstalls, 1);
    EXPECT_TRUE(fresh.desktop.errors.empty());
    EXPECT_FALSE(fresh.view.visible);
}

TEST_F(ReadoutWindow, ErrorHandlerAndCloseRemoveTheHookAndEnd) {
    w.AppExceptionHandler(PixoletError("Failed to set data for 'HotKey1'"));
    EXPECT_EQ(env.desktop.hookRemovals, 1);
    EXPECT_EQ(env.desktop.errors.back(), "Failed to set data for 'HotKey1'");  // ' sorts before .
    EXPECT_EQ(env.desktop.terminations, 1);

    fakes::FakeEnvironment measuring;
    measuring.screen.colourAt = [](int, int) { return kWhite; };
    measuring.window.ShowHide(Sender::Show1);
    measuring.window.ToggleMeasuringMode();
    measuring.screen.cursor = {500, 400};
    measuring.window.AddMeasurePoint();
    ASSERT_NE(measuring.screen.Pixel(500, 400), kWhite);
    measuring.window.FormClose();
    EXPECT_FALSE(measuring.window.MeasuringMode);
    EXPECT_EQ(measuring.screen.Pixel(500, 400), kWhite);
    EXPECT_EQ(measuring.desktop.hookRemovals, 1);
    EXPECT_EQ(measuring.desktop.terminations, 1);
}

}  // namespace
}  // namespace pixolet

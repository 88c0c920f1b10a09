#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fakes/fake_environment.h"
#include "fakes/fake_timer.h"
#include "readout/motion_pacer.h"

namespace pixolet {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

class Pacing : public testing::Test {
  protected:
    void SetUp() override {
        env.screen.cursor = {400, 300};
        w.ShowHide(Sender::Show1);  // shows, lays out, runs one update
        pacer.SetFrameInterval(16);
        reads = env.screen.blockReads;
    }
    bool Move(int x, int y) {
        env.screen.cursor = {x, y};
        return pacer.Handle(InputEvent{InputKind::MouseMove, 0});
    }
    void Fire() {
        ASSERT_TRUE(timer.armed.has_value());
        env.clock.now += *timer.armed;
        timer.armed.reset();
        pacer.OnTimer();
    }
    int NewReads() { return env.screen.blockReads - reads; }

    fakes::FakeEnvironment env;
    fakes::FakeKeys keys;
    fakes::FakeTimer timer;
    TfrmPixoletMain& w = env.window;
    MotionPacer pacer{w, keys, timer};
    int reads = 0;
};

TEST_F(Pacing, FirstMoveRunsAtOnceAndLeavesNoTimer) {
    Move(401, 301);
    EXPECT_EQ(NewReads(), 1);
    EXPECT_EQ(w.Ports().view.Bounds().left, 411);
    EXPECT_FALSE(pacer.MovePending());
    EXPECT_EQ(timer.starts, 0);
}

TEST_F(Pacing, MovesWithinAFrameCollapseIntoOneUpdateOfTheLatestPosition) {
    // Across the 32-bit wrap of the tick count, too. Up and to the left,
    // away from the window: no re-sample is due.
    env.clock.now = 0xFFFFFFF8u;
    Move(401, 301);
    for (int i = 2; i <= 9; ++i) {
        env.clock.now += 1;
        Move(402 - i, 302 - i);
    }
    EXPECT_EQ(NewReads(), 1);
    EXPECT_TRUE(pacer.MovePending());
    ASSERT_EQ(timer.starts, 1);         // armed once, not once per move
    EXPECT_EQ(*timer.armed, 16u - 1u);  // the end of the first frame
    Fire();
    EXPECT_EQ(NewReads(), 2);
    EXPECT_EQ(w.Ports().view.Bounds().left, 403);
    EXPECT_FALSE(pacer.MovePending());
    EXPECT_FALSE(timer.armed.has_value());
    EXPECT_EQ(pacer.UpdatesRun(), 2u);
}

TEST_F(Pacing, MoveAfterAQuietSpellRunsAtOnce) {
    Move(401, 301);
    env.clock.now += 16;
    Move(402, 302);
    env.clock.now += 100;
    Move(403, 303);
    EXPECT_EQ(NewReads(), 3);
    EXPECT_EQ(timer.starts, 0);
}

TEST_F(Pacing, AWaitingMoveRunsBeforeEveryOtherEvent) {
    const struct {
        InputKind kind;
        int key;
    } rows[] = {{InputKind::KeyDown, 'C'},   {InputKind::SysKeyDown, 'F'}, {InputKind::KeyUp, 'C'},
                {InputKind::LButtonDown, 0}, {InputKind::LButtonUp, 0},    {InputKind::Other, 0}};
    for (const auto& row : rows) {
        env.clock.now += 100;
        Move(350, 250);
        env.clock.now += 1;
        Move(300, 200);
        ASSERT_TRUE(pacer.MovePending());
        const int before = env.screen.blockReads;
        pacer.Handle(InputEvent{row.kind, row.key});
        EXPECT_EQ(env.screen.blockReads, before + 1) << static_cast<int>(row.kind);
        EXPECT_EQ(w.Ports().view.Bounds().left, 310) << static_cast<int>(row.kind);
        EXPECT_FALSE(pacer.MovePending());
        EXPECT_FALSE(timer.armed.has_value());
    }
}

TEST_F(Pacing, ACopyRightAfterAMoveTakesThatMovesColour) {
    env.screen.colourAt = [](int x, int) { return x < 500 ? kRed : kGreen; };
    Move(450, 300);
    env.clock.now += 2;
    Move(600, 300);  // waits
    keys.down[vk::kControl] = true;
    EXPECT_TRUE(pacer.Handle(InputEvent{InputKind::KeyDown, 'C'}));
    EXPECT_EQ(w.CopiedColor, kGreen);
}

TEST_F(Pacing, FlushBeforeTheButtonStateChangesKeepsTheLastDragStep) {
    // The platform flushes before it records the release, so the waiting
    // move still drags with the button down.
    w.FollowPointer = false;
    keys.down[vk::kLButton] = true;
    const Rect b = w.Ports().view.Bounds();
    Move(b.left + 5, b.top + 5);  // grabs the window
    ASSERT_TRUE(w.Dragging);
    env.clock.now += 1;
    Move(700, 500);
    pacer.Flush();
    keys.down[vk::kLButton] = false;
    pacer.Handle(InputEvent{InputKind::LButtonUp, 0});
    const Rect after = w.Ports().view.Bounds();
    EXPECT_EQ(after.left, 700 - after.Width() / 2);
    EXPECT_EQ(after.top, 500 - after.Height() / 2);
    EXPECT_FALSE(w.Dragging);
}

TEST_F(Pacing, NothingWaitsOnceTheReadoutIsHidden) {
    Move(401, 301);
    env.clock.now += 1;
    Move(402, 302);
    ASSERT_TRUE(timer.armed.has_value());
    // Hidden from the tray: the platform tells the pacer.
    w.ShowHide(Sender::TrayIcon);
    pacer.Discard();
    EXPECT_FALSE(pacer.MovePending());
    EXPECT_FALSE(timer.armed.has_value());
    const int before = env.screen.blockReads;
    for (int i = 0; i < 5; ++i) {
        env.clock.now += 1;
        Move(500 + i, 400);
    }
    pacer.OnTimer();  // a late wake-up changes nothing either
    EXPECT_EQ(env.screen.blockReads, before);
    EXPECT_FALSE(pacer.MovePending());
    EXPECT_FALSE(timer.armed.has_value());
}

TEST_F(Pacing, HiddenByAShortcutRightAfterAMove) {
    w.settings.HotkeyShowHide = 0x4000 | 'H';
    keys.down[vk::kControl] = true;
    Move(401, 301);
    env.clock.now += 1;
    Move(402, 302);
    EXPECT_TRUE(pacer.Handle(InputEvent{InputKind::KeyDown, 'H'}));
    EXPECT_FALSE(w.Ports().view.IsVisible());
    EXPECT_EQ(w.Ports().view.Bounds().left, 412);  // the move ran before the hide
    EXPECT_FALSE(pacer.MovePending());
    EXPECT_FALSE(timer.armed.has_value());
}

// The window below repaints the place the readout left only after a while:
// until `settled`, that place still shows the readout's blue.
class Resample : public Pacing {
  protected:
    void SetUp() override {
        Pacing::SetUp();
        oldPlace = w.Ports().view.Bounds();
        env.screen.colourAt = [this](int x, int y) {
            return !settled && oldPlace.Contains({x, y}) ? kBlue : kRed;
        };
        env.clock.now += 100;
    }
    Rect oldPlace;
    bool settled = false;
};

TEST_F(Resample, AJumpOntoTheOldPlaceIsSampledAgainOneFrameLater) {
    Move(oldPlace.left, oldPlace.top);
    EXPECT_EQ(w.CurrentColor, kBlue);
    EXPECT_TRUE(pacer.ResamplePending());
    ASSERT_TRUE(timer.armed.has_value());
    EXPECT_EQ(*timer.armed, 16u);
    settled = true;
    Fire();
    EXPECT_EQ(w.CurrentColor, kRed);
    EXPECT_FALSE(pacer.ResamplePending());
    EXPECT_FALSE(timer.armed.has_value());  // a re-sample asks for no other
}

TEST_F(Resample, ACopyBeforeTheFrameEndsTakesTheRealColour) {
    Move(oldPlace.left, oldPlace.top);
    settled = true;
    keys.down[vk::kControl] = true;
    EXPECT_TRUE(pacer.Handle(InputEvent{InputKind::KeyDown, 'C'}));
    EXPECT_EQ(w.CopiedColor, kRed);
    // The frame's own re-sample still comes.
    EXPECT_TRUE(pacer.ResamplePending());
    const int before = env.screen.blockReads;
    Fire();
    EXPECT_EQ(env.screen.blockReads, before + 1);
    EXPECT_FALSE(timer.armed.has_value());
}

TEST_F(Resample, OnlyWhenTheSampleMetTheOldPlace) {
    Move(oldPlace.left - 200, oldPlace.top - 200);  // far away
    EXPECT_FALSE(pacer.ResamplePending());
    EXPECT_FALSE(timer.armed.has_value());
    w.FollowPointer = false;  // a frozen window does not move
    env.clock.now += 100;
    Move(w.Ports().view.Bounds().left + 3, w.Ports().view.Bounds().top + 3);
    EXPECT_FALSE(pacer.ResamplePending());
}

TEST_F(Resample, AFollowingMoveTakesTheResamplesPlace) {
    Move(oldPlace.left, oldPlace.top);
    env.clock.now += 2;
    settled = true;
    Move(oldPlace.left + 1, oldPlace.top + 1);
    EXPECT_FALSE(pacer.ResamplePending());
    EXPECT_TRUE(pacer.MovePending());
    ASSERT_EQ(timer.armed, 14u);
    Fire();
    EXPECT_EQ(w.CurrentColor, kRed);
}

TEST(FrameInterval, FromTheRefreshRate) {
    const struct {
        double hertz;
        std::uint32_t ms;
    } rows[] = {{60.0, 16}, {59.95, 16},
                {75.0, 13}, {144.0, 6},
                {240.0, 4}, {0.0, 16},
                {1.0, 16},  {-60.0, 16},
                {1e9, 16},  {std::numeric_limits<double>::quiet_NaN(), 16}};
    for (const auto& row : rows) EXPECT_EQ(FrameIntervalForRefresh(row.hertz), row.ms) << row.hertz;
}

}  // namespace
}  // namespace pixolet

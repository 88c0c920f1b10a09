// Raw input records as the system sends them, through the router, the motion
// pacer and the core: what the user sees of a drag, of a shortcut, of keys
// whose releases went to another desktop.
#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "fakes/fake_timer.h"
#include "platform/win32/raw_input.h"
#include "readout/motion_pacer.h"

namespace pixolet::win32 {
namespace {

constexpr USHORT kCtrlScan = 0x1D;
constexpr USHORT kAltScan = 0x38;
constexpr USHORT kCScan = 0x2E;
constexpr Colour kTeal = 0x808000;

// The system's own view, as the test sets it.
class FakeSystemKeys : public SystemKeyStatePort {
  public:
    HeldState held;
    // Input the stream has still to hand over.
    bool waiting = false;
    int reads = 0;
    HeldState ReadHeld() override {
        ++reads;
        return held;
    }
    bool InputWaiting() override { return waiting; }
};

RawKey Down(USHORT scan, USHORT vKey, USHORT flags = 0) {
    return RawKey{scan, flags, vKey, WM_KEYDOWN};
}
RawKey Up(USHORT scan, USHORT vKey, USHORT flags = 0) {
    return RawKey{scan, static_cast<USHORT>(flags | RI_KEY_BREAK), vKey, WM_KEYUP};
}

class RouterTest : public testing::Test {
  protected:
    void SetUp() override {
        env.screen.colourAt = [](int, int) { return kTeal; };
        env.screen.cursor = {400, 300};
        pacer.SetFrameInterval(16);
        router.Start([this](const InputEvent& event) { pacer.Handle(event); },
                     [this] { pacer.Flush(); });
        w.ShowHide(Sender::Show1);
    }
    // One record, and the time the system took to send the next.
    void Key(const RawKey& key) {
        router.Keyboard(key);
        env.clock.now += 1;
    }
    void Mouse(USHORT buttons, int x, int y) {
        const ScreenPoint from = env.screen.cursor;
        env.screen.cursor = {x, y};
        router.Mouse(RawMouse{0, buttons, x - from.x, y - from.y}, false);
        env.clock.now += 1;
    }
    // The frame's end: a move that waits for it runs.
    void Settle() { pacer.Flush(); }
    Rect Bounds() const { return env.view.bounds; }
    bool Centred(ScreenPoint at) const {
        const Rect b = Bounds();
        return b.left == at.x - b.Width() / 2 && b.top == at.y - b.Height() / 2;
    }

    fakes::FakeEnvironment env;
    fakes::FakeTimer timer;
    FakeSystemKeys system;
    RawInputRouter router{system};
    TfrmPixoletMain& w = env.window;
    MotionPacer pacer{w, router.Keys(), timer};
};

TEST_F(RouterTest, DragEndsCentredOnThePointerWhenTheLastMoveAndTheReleaseShareARecord) {
    w.FollowPointer = false;
    const Rect start = Bounds();
    Mouse(0, start.left + 5, start.top + 5);
    Mouse(RI_MOUSE_LEFT_BUTTON_DOWN, start.left + 6, start.top + 6);
    Mouse(0, start.left + 10, start.top + 9);
    Settle();
    ASSERT_TRUE(w.Dragging);
    // The further steps come within one frame and wait for its end.
    for (int i = 1; i <= 5; ++i) Mouse(0, start.left + 10 + 10 * i, start.top + 9 + 7 * i);
    // A remote desktop's record: the last step of the drag and the release.
    Mouse(RI_MOUSE_LEFT_BUTTON_UP, start.left + 90, start.top + 70);
    EXPECT_TRUE(Centred({start.left + 90, start.top + 70}))
        << "window at " << Bounds().left << "," << Bounds().top;
    EXPECT_FALSE(w.Dragging);
    EXPECT_FALSE(router.Keys().IsDown(VK_LBUTTON));
}

TEST_F(RouterTest, APressSharingARecordWithTheMoveToItIsSeenAfterTheMove) {
    w.FollowPointer = false;
    const Rect start = Bounds();
    // The pointer comes from outside the window and presses on it at once:
    // the move alone must not count as a drag with the button down.
    Mouse(0, start.left - 30, start.top - 30);
    Mouse(RI_MOUSE_LEFT_BUTTON_DOWN, start.left + 4, start.top + 4);
    EXPECT_EQ(Bounds().left, start.left);
    EXPECT_EQ(Bounds().top, start.top);
    EXPECT_FALSE(w.Dragging);
    Mouse(0, start.left + 14, start.top + 9);
    Settle();
    EXPECT_TRUE(Centred({start.left + 14, start.top + 9}));
}

TEST_F(RouterTest, PauseActsAsAShortcut) {
    w.settings.HotkeyFreezeColor = VK_PAUSE;
    Key(Down(kCtrlScan, VK_PAUSE, RI_KEY_E1));
    Key(Down(0x45, 0xFF));
    Key(Up(kCtrlScan, VK_PAUSE, RI_KEY_E1));
    Key(Up(0x45, 0xFF, 0));
    EXPECT_FALSE(w.TrackColor);
}

// Ctrl+Alt+Del: the presses arrive, the releases happen on the secure
// desktop. Then the user types Ctrl+C.
class LostReleases : public RouterTest {
  protected:
    void SetUp() override {
        RouterTest::SetUp();
        w.settings.HotkeyFreezeColor = kShortcutCtrl | kShortcutAlt | 'C';
        system.held.keys = {HeldKey{kCtrlScan, VK_CONTROL}};
        Key(Down(kCtrlScan, VK_CONTROL));
        system.held.keys.push_back(HeldKey{kAltScan, VK_MENU});
        Key(Down(kAltScan, VK_MENU));
        Key(Down(0x53, VK_DELETE, RI_KEY_E0));
        system.held = HeldState{};
    }
    void TypeCtrlC() {
        system.held.keys = {HeldKey{kCtrlScan, VK_CONTROL}};
        Key(Down(kCtrlScan, VK_CONTROL));
        Key(Down(kCScan, 'C'));
        Key(Up(kCScan, 'C'));
        system.held.keys.clear();
        Key(Up(kCtrlScan, VK_CONTROL));
    }
    void ExpectCopyOnly() {
        EXPECT_EQ(env.clipboard.writes, 1) << "Ctrl+C copies";
        EXPECT_TRUE(w.TrackColor) << "the Ctrl+Alt+C shortcut did not fire";
    }
};

TEST_F(LostReleases, DesktopChangeBringsTheStateBackBeforeTheNextKeys) {
    // Typed fast: the system runs ahead of the stream at every key-down, so
    // only the notification can tell.
    router.SystemChanged();
    system.waiting = true;
    TypeCtrlC();
    ExpectCopyOnly();
}

TEST_F(LostReleases, ANotificationWhileInputWaitsActsOnceTheStreamCaughtUp) {
    system.waiting = true;
    router.SystemChanged();
    EXPECT_TRUE(router.Keys().IsDown(VK_MENU));
    // The queued records come, then nothing waits.
    system.waiting = false;
    Mouse(0, 410, 310);
    EXPECT_FALSE(router.Keys().IsDown(VK_MENU));
    system.waiting = true;
    TypeCtrlC();
    ExpectCopyOnly();
}

TEST_F(LostReleases, WithoutAnyResynchronisationCtrlAltStaysDown) {
    // What the cases above guard against: a stream that is behind.
    system.waiting = true;
    TypeCtrlC();
    EXPECT_EQ(env.clipboard.writes, 0);
    EXPECT_FALSE(w.TrackColor);
}

TEST_F(RouterTest, CtrlCTypedWithNoDelayKeepsCtrlWhileTheSystemRunsAhead) {
    // By the time C is handled, the system already shows Ctrl released; its
    // release is still queued.
    system.held = HeldState{};
    system.waiting = true;
    Key(Down(kCtrlScan, VK_CONTROL));
    Key(Down(kCScan, 'C'));
    EXPECT_EQ(env.clipboard.writes, 1);
}

TEST_F(RouterTest, LostLeftReleaseOfAFrozenDragEndsWithTheSessionChange) {
    w.FollowPointer = false;
    const Rect start = Bounds();
    Mouse(RI_MOUSE_LEFT_BUTTON_DOWN, start.left + 3, start.top + 3);
    Mouse(0, start.left + 20, start.top + 20);
    Settle();
    ASSERT_TRUE(w.Dragging);
    // The screen was locked with the button held; it came up there.
    system.held = HeldState{};
    router.SystemChanged();
    EXPECT_FALSE(w.Dragging);
    const Rect after = Bounds();
    Mouse(0, start.left + 200, start.top + 150);
    Settle();
    EXPECT_EQ(Bounds().left, after.left) << "the window no longer sticks to the pointer";
    EXPECT_EQ(Bounds().top, after.top);
}

}  // namespace
}  // namespace pixolet::win32

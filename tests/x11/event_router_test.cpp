// XInput2 raw events as the server sends them, through the router, the
// motion pacer and the core: keys held across a switch of virtual terminal.
#include "platform/x11/event_router.h"

#include <gtest/gtest.h>

#include <map>

#include "fakes/fake_environment.h"
#include "fakes/fake_timer.h"
#include "readout/motion_pacer.h"

namespace pixolet::x11 {
namespace {

// Key codes of a pc105 keyboard, as the X server numbers them.
constexpr unsigned kControlL = 37;
constexpr unsigned kAltL = 64;
constexpr unsigned kKeyC = 54;
constexpr unsigned kF1 = 67;

class FakeSystemKeys : public SystemKeyStatePort {
  public:
    HeldState held;
    bool waiting = false;
    HeldState ReadHeld() override { return held; }
    bool InputWaiting() override { return waiting; }
};

class X11RouterTest : public testing::Test {
  protected:
    void SetUp() override {
        env.screen.cursor = {400, 300};
        pacer.SetFrameInterval(16);
        router.Start([this](const InputEvent& event) { pacer.Handle(event); },
                     [this] { pacer.Flush(); });
        w.ShowHide(Sender::Show1);
        w.settings.HotkeyFreezeColor = kShortcutCtrl | kShortcutAlt | 'C';
    }
    void Hold(unsigned code) { system.held.keys.push_back(HeldKey{code, keyMap.at(code)}); }
    // Ctrl+C typed with no delay: the server's state is ahead at every key.
    void TypeCtrlCFast() {
        system.held = HeldState{};
        system.waiting = true;
        router.KeyDown(kControlL);
        router.KeyDown(kKeyC);
        router.KeyUp(kKeyC);
        router.KeyUp(kControlL);
        system.waiting = false;
    }

    std::map<unsigned, int> keyMap{
        {kControlL, vk::kControl}, {kAltL, vk::kMenu}, {kKeyC, 'C'}, {kF1, 0x70}};
    fakes::FakeEnvironment env;
    fakes::FakeTimer timer;
    FakeSystemKeys system;
    X11EventRouter router{
        system, [this](unsigned code) { return keyMap.count(code) ? keyMap.at(code) : 0; },
        [](int physical) { return physical; }};
    TfrmPixoletMain& w = env.window;
    MotionPacer pacer{w, router.Keys(), timer};
};

TEST_F(X11RouterTest, VirtualTerminalSwitchWithHeldModifiersLeavesNoneStuck) {
    // Ctrl+Alt+F1 to the text console: the presses arrive, then the server
    // disables the devices; the releases happen there.
    Hold(kControlL);
    router.KeyDown(kControlL);
    Hold(kAltL);
    router.KeyDown(kAltL);
    Hold(kF1);
    router.KeyDown(kF1);
    system.held = HeldState{};
    router.DevicesChanged();  // disabled
    router.DevicesChanged();  // enabled again on return
    EXPECT_EQ(router.Keys().Shift(), 0);
    TypeCtrlCFast();
    EXPECT_EQ(env.clipboard.writes, 1) << "Ctrl+C copies";
    EXPECT_TRUE(w.TrackColor) << "the Ctrl+Alt+C shortcut did not fire";
}

TEST_F(X11RouterTest, ChangeSeenWhileEventsWaitActsOnceTheyAreRead) {
    Hold(kControlL);
    router.KeyDown(kControlL);
    Hold(kAltL);
    router.KeyDown(kAltL);
    system.held = HeldState{};
    system.waiting = true;
    router.DevicesChanged();
    EXPECT_EQ(router.Keys().Shift(), kShiftCtrl | kShiftAlt);
    system.waiting = false;
    router.Moved();
    EXPECT_EQ(router.Keys().Shift(), 0);
}

TEST_F(X11RouterTest, KeyDownComparesWithTheServerWhenNothingWaits) {
    // Released where the program could not see it, with no device change.
    Hold(kControlL);
    router.KeyDown(kControlL);
    Hold(kAltL);
    router.KeyDown(kAltL);
    system.held = HeldState{};
    Hold(kControlL);
    router.KeyDown(kControlL);
    router.KeyDown(kKeyC);
    EXPECT_EQ(env.clipboard.writes, 1);
    EXPECT_TRUE(w.TrackColor);
}

TEST_F(X11RouterTest, CtrlCTypedWithNoDelayCarriesCtrl) {
    TypeCtrlCFast();
    EXPECT_EQ(env.clipboard.writes, 1);
}

}  // namespace
}  // namespace pixolet::x11

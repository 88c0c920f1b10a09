#include <gtest/gtest.h>

#include "readout/key_state_tracker.h"

namespace pixolet {
namespace {

// Key codes of a pc105 keyboard, as the X server numbers them.
constexpr unsigned kShiftL = 50;
constexpr unsigned kShiftR = 62;
constexpr unsigned kControlL = 37;
constexpr unsigned kControlR = 105;
constexpr unsigned kAltL = 64;
constexpr unsigned kKeyC = 54;
constexpr unsigned kKeyF = 41;
constexpr unsigned kF10 = 76;

TEST(KeyStateTrackerTest, CtrlHeldWhenCIsPressedGivesCtrlShiftByte) {
    KeyStateTracker keys;
    keys.KeyPressed(kControlL, vk::kControl);
    keys.KeyPressed(kKeyC, 'C');
    EXPECT_EQ(keys.Shift(), kShiftCtrl);
    EXPECT_TRUE(keys.IsDown('C'));
    EXPECT_EQ(keys.KeyDownKind('C'), InputKind::KeyDown);
}

TEST(KeyStateTrackerTest, RepeatedReleaseDoesNotLeaveKeyStateNegative) {
    // X repeats some releases: Control_L comes up twice after one Ctrl+C. A
    // counter that went below zero would hide the next press.
    KeyStateTracker keys;
    keys.KeyPressed(kControlL, vk::kControl);
    keys.KeyReleased(kControlL);
    keys.KeyReleased(kControlL);
    EXPECT_FALSE(keys.IsDown(vk::kControl));
    keys.KeyPressed(kControlL, vk::kControl);
    EXPECT_TRUE(keys.IsDown(vk::kControl));
    EXPECT_EQ(keys.Shift(), kShiftCtrl);
}

TEST(KeyStateTrackerTest, LeftAndRightModifierKeysAreHeldSeparately) {
    KeyStateTracker keys;
    keys.KeyPressed(kShiftL, vk::kShift);
    keys.KeyPressed(kShiftR, vk::kShift);
    keys.KeyReleased(kShiftL);
    EXPECT_TRUE(keys.IsDown(vk::kShift)) << "right Shift is still down";
    keys.KeyReleased(kShiftR);
    EXPECT_FALSE(keys.IsDown(vk::kShift));

    // A press repeated on one side must not need two releases.
    keys.KeyPressed(kControlR, vk::kControl);
    keys.KeyPressed(kControlR, vk::kControl);
    keys.KeyReleased(kControlR);
    EXPECT_FALSE(keys.IsDown(vk::kControl));
}

TEST(KeyStateTrackerTest, ReleaseUsesTheCodeTheKeyWentDownWith) {
    // The keyboard map may change while a key is held; the release must
    // still clear what the press set.
    KeyStateTracker keys;
    keys.KeyPressed(kKeyC, 'C');
    EXPECT_EQ(keys.DownVirtualKey(kKeyC), 'C');
    keys.KeyReleased(kKeyC);
    EXPECT_FALSE(keys.IsDown('C'));
    EXPECT_EQ(keys.DownVirtualKey(kKeyC), 0);
}

struct KindCase {
    const char* name;
    std::vector<std::pair<unsigned, int>> held;  // key code, virtual key
    unsigned keyCode;
    int virtualKey;
    InputKind kind;
};

class KeyDownKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(KeyDownKindTest, ClassifiesLikeWindows) {
    const KindCase& c = GetParam();
    KeyStateTracker keys;
    for (const auto& [code, virtualKey] : c.held) keys.KeyPressed(code, virtualKey);
    keys.KeyPressed(c.keyCode, c.virtualKey);
    EXPECT_EQ(keys.KeyDownKind(c.virtualKey), c.kind) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyDownKindTest,
    ::testing::Values(KindCase{"PlainF", {}, kKeyF, 'F', InputKind::KeyDown},
                      KindCase{"AltF", {{kAltL, vk::kMenu}}, kKeyF, 'F', InputKind::SysKeyDown},
                      KindCase{"CtrlAltC",
                               {{kControlL, vk::kControl}, {kAltL, vk::kMenu}},
                               kKeyC,
                               'C',
                               InputKind::KeyDown},
                      KindCase{"F10", {}, kF10, vk::kF10, InputKind::SysKeyDown},
                      KindCase{"AltItself", {}, kAltL, vk::kMenu, InputKind::SysKeyDown},
                      KindCase{"ShiftAltF",
                               {{kShiftL, vk::kShift}, {kAltL, vk::kMenu}},
                               kKeyF,
                               'F',
                               InputKind::SysKeyDown}),
    [](const ::testing::TestParamInfo<KindCase>& param) { return std::string(param.param.name); });

TEST(KeyStateTrackerTest, MouseButtonsSetTheirShiftBits) {
    KeyStateTracker keys;
    EXPECT_EQ(keys.ButtonPressed(1), vk::kLButton);
    EXPECT_EQ(keys.Shift(), kShiftLeftButton);
    EXPECT_EQ(keys.ButtonPressed(3), vk::kRButton);
    EXPECT_EQ(keys.ButtonPressed(2), vk::kMButton);
    EXPECT_EQ(keys.Shift(), kShiftLeftButton | kShiftRightButton | kShiftMiddleButton);
    keys.ButtonReleased(1);
    keys.ButtonReleased(1);
    EXPECT_EQ(keys.Shift(), kShiftRightButton | kShiftMiddleButton);
    // The wheel is buttons 4 to 7: no state, no shift bit.
    EXPECT_EQ(keys.ButtonPressed(4), 0);
    EXPECT_EQ(keys.Shift(), kShiftRightButton | kShiftMiddleButton);
}

TEST(KeyStateTrackerTest, ShortcutWithMouseButtonHeldCarriesTheButtonBit) {
    KeyStateTracker keys;
    keys.ButtonPressed(1);
    keys.KeyPressed(kControlL, vk::kControl);
    keys.KeyPressed(kKeyC, 'C');
    EXPECT_EQ(keys.Shift(), kShiftCtrl | kShiftLeftButton);
}

TEST(KeyStateTrackerTest, IgnoresOutOfRangeInput) {
    KeyStateTracker keys;
    keys.KeyPressed(600, 'C');
    keys.KeyPressed(kKeyC, 0);
    keys.KeyReleased(999);
    EXPECT_FALSE(keys.IsDown('C'));
    EXPECT_FALSE(keys.IsDown(0));
    EXPECT_FALSE(keys.IsDown(-1));
    EXPECT_FALSE(keys.IsDown(4096));
    EXPECT_EQ(keys.Shift(), 0);
}

// The system's own view, as a test sets it.
class FakeSystem : public SystemKeyStatePort {
  public:
    HeldState held;
    bool waiting = false;
    HeldState ReadHeld() override { return held; }
    bool InputWaiting() override { return waiting; }
};

TEST(KeyStateTrackerTest, SeedTakesExactlyWhatTheSystemHolds) {
    KeyStateTracker keys;
    keys.KeyPressed(kAltL, vk::kMenu);
    keys.SystemChanged();
    HeldState held;
    held.keys = {HeldKey{kControlR, vk::kControl}};
    held.right = true;
    keys.Seed(held);
    EXPECT_EQ(keys.Shift(), kShiftCtrl | kShiftRightButton);
    EXPECT_FALSE(keys.ResyncPending());
    keys.KeyReleased(kControlR);
    EXPECT_EQ(keys.Shift(), kShiftRightButton);
}

TEST(KeyStateTrackerTest, ResynchronisationWaitsUntilNoInputWaits) {
    KeyStateTracker keys;
    FakeSystem system;
    keys.KeyPressed(kControlL, vk::kControl);
    keys.ButtonPressed(1);
    keys.SystemChanged();
    system.waiting = true;
    EXPECT_EQ(keys.CatchUp(system), 0);
    EXPECT_EQ(keys.Shift(), kShiftCtrl | kShiftLeftButton);
    EXPECT_TRUE(keys.ResyncPending());
    system.waiting = false;
    EXPECT_EQ(keys.CatchUp(system), vk::kLButton);
    EXPECT_EQ(keys.Shift(), 0);
    EXPECT_FALSE(keys.ResyncPending());
    // Nothing pending: the system is not consulted, a press stays.
    keys.KeyPressed(kShiftL, vk::kShift);
    EXPECT_EQ(keys.CatchUp(system), 0);
    EXPECT_EQ(keys.Shift(), kShiftShift);
}

struct KeyDownCheckCase {
    const char* name;
    bool waiting;
    HeldState system;
    ShiftByte before;  // Ctrl, Alt and the left button held by the stream
    ShiftByte after;
    int releasedButtons;
};

class KeyDownCheck : public testing::TestWithParam<KeyDownCheckCase> {};

TEST_P(KeyDownCheck, ReleasesOnlyWhatTheSystemReportsUpWhenNothingWaits) {
    const KeyDownCheckCase& c = GetParam();
    KeyStateTracker keys;
    FakeSystem system;
    system.held = c.system;
    system.waiting = c.waiting;
    keys.KeyPressed(kControlL, vk::kControl);
    keys.KeyPressed(kAltL, vk::kMenu);
    keys.ButtonPressed(1);
    keys.KeyPressed(kKeyC, 'C');
    ASSERT_EQ(keys.Shift(), c.before);
    EXPECT_EQ(keys.CheckAtKeyDown(system), c.releasedButtons);
    EXPECT_EQ(keys.Shift(), c.after);
}

const ShiftByte kHeld = kShiftCtrl | kShiftAlt | kShiftLeftButton;

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyDownCheck,
    testing::Values(
        // Ctrl+Alt+Del's releases on the secure desktop: only Ctrl is held now.
        KeyDownCheckCase{"LostReleases", false,
                         HeldState{{HeldKey{kControlL, vk::kControl}}, false, false, false}, kHeld,
                         kShiftCtrl, vk::kLButton},
        // Typed fast: the system shows releases whose events still wait.
        KeyDownCheckCase{"InputWaiting", true, HeldState{}, kHeld, kHeld, 0},
        // The other Ctrl key held counts as Ctrl held.
        KeyDownCheckCase{
            "OtherSideHeld", false,
            HeldState{
                {HeldKey{kControlR, vk::kControl}, HeldKey{kAltL, vk::kMenu}}, true, false, false},
            kHeld, kHeld, 0},
        // A press the system shows before its event is not taken.
        KeyDownCheckCase{"NoPressFromTheSystem", false,
                         HeldState{{HeldKey{kControlL, vk::kControl}, HeldKey{kAltL, vk::kMenu},
                                    HeldKey{kShiftL, vk::kShift}},
                                   true,
                                   true,
                                   true},
                         kHeld, kHeld, 0}),
    [](const testing::TestParamInfo<KeyDownCheckCase>& param) { return param.param.name; });

TEST(KeyStateTrackerTest, KeyDownCheckRunsAPendingResynchronisationInstead) {
    KeyStateTracker keys;
    FakeSystem system;
    keys.KeyPressed(kAltL, vk::kMenu);
    keys.SystemChanged();
    system.held.keys = {HeldKey{kShiftR, vk::kShift}};
    keys.CheckAtKeyDown(system);
    EXPECT_EQ(keys.Shift(), kShiftShift);
    EXPECT_FALSE(keys.ResyncPending());
}

}  // namespace
}  // namespace pixolet

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

}  // namespace
}  // namespace pixolet

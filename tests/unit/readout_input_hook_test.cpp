#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "measure/meas_points.h"
#include "readout/input_hook.h"

namespace pixolet {
namespace {

TEST(ShiftByte, ModifiersButtonsAndSystemKeys) {
    fakes::FakeKeys keys;
    for (int key : {vk::kControl, vk::kShift, vk::kMenu, vk::kLButton, vk::kRButton, vk::kMButton})
        keys.down[key] = true;
    EXPECT_EQ(ShiftByteFrom(keys), 0x3F);
    keys.down[vk::kShift] = keys.down[vk::kMenu] = keys.down[vk::kMButton] = false;
    EXPECT_EQ(ShiftByteFrom(keys), kShiftCtrl | kShiftLeftButton | kShiftRightButton);

    const struct {
        int key;
        ShiftByte held;
        bool system;
    } rows[] = {{'F', kShiftAlt, true},
                {'F', kShiftAlt | kShiftShift, true},
                {'C', kShiftAlt | kShiftCtrl, false},
                {'C', kShiftCtrl, false},
                {vk::kF10, kShiftCtrl, true},
                {vk::kMenu, 0, true},
                {'A', 0, false}};
    for (const auto& row : rows)
        EXPECT_EQ(IsSystemKeyDown(row.key, row.held), row.system) << row.key;
}

class InputRouting : public testing::Test {
  protected:
    bool Send(InputKind kind, int key = 0) { return InputHookProc(w, InputEvent{kind, key}, keys); }

    fakes::FakeEnvironment env;
    fakes::FakeKeys keys;
    TfrmPixoletMain& w = env.window;
};

TEST_F(InputRouting, HiddenWindowIgnoresPointerEvents) {
    keys.down[vk::kLButton] = true;
    w.FollowPointer = false;
    EXPECT_FALSE(Send(InputKind::MouseMove));
    EXPECT_EQ(env.screen.blockReads, 0);
    EXPECT_TRUE(env.view.moves.empty());
    EXPECT_FALSE(w.Dragging);
}

TEST_F(InputRouting, KeyDownsReachTheDispatchOnlyWhenAllowed) {
    w.ShowHide(Sender::Show1);
    keys.down[vk::kControl] = true;  // Ctrl+C copies by default
    int dialog = 0;
    w.PropertiesDialog = reinterpret_cast<TfrmProp*>(&dialog);
    EXPECT_FALSE(Send(InputKind::KeyDown, 'C'));
    w.PropertiesDialog = nullptr;
    EXPECT_FALSE(Send(InputKind::SysKeyDown, 'C'));
    EXPECT_FALSE(Send(InputKind::KeyUp, 'C'));
    keys.down[vk::kRButton] = true;  // a held button spoils every shortcut
    EXPECT_FALSE(Send(InputKind::KeyDown, 'C'));
    EXPECT_EQ(env.clipboard.writes, 0);
    keys.down[vk::kRButton] = false;
    EXPECT_TRUE(Send(InputKind::KeyDown, 0x100 | 'C'));  // only the low byte counts
    EXPECT_EQ(env.clipboard.writes, 1);
}

TEST_F(InputRouting, MovesTrackAndDragTheFrozenWindow) {
    w.ShowHide(Sender::Show1);
    env.screen.cursor = {500, 300};
    Send(InputKind::MouseMove);
    EXPECT_EQ(env.view.bounds.left, 510);
    w.FollowPointer = false;
    env.screen.cursor = {520, 320};  // on the window, button up: no drag
    Send(InputKind::MouseMove);
    EXPECT_FALSE(w.Dragging);
    keys.down[vk::kLButton] = true;
    Send(InputKind::MouseMove);
    EXPECT_TRUE(w.Dragging);
    EXPECT_EQ(env.view.bounds.left, 520 - 46);
    Send(InputKind::LButtonUp);
    EXPECT_FALSE(w.Dragging);
}

TEST_F(InputRouting, LeftClickAddsAPointOnlyWhenAllowed) {
    w.ShowHide(Sender::Show1);
    w.ToggleMeasuringMode();
    Send(InputKind::LButtonDown);
    w.settings.ClickAddsPoint = false;
    Send(InputKind::LButtonDown);
    ASSERT_NE(w.MeasurePoints, nullptr);
    EXPECT_EQ(w.MeasurePoints->Items().size(), 1u);
}

}  // namespace
}  // namespace pixolet

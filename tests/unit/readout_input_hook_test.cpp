#include <gtest/gtest.h>

#include "fakes/fake_environment.h"
#include "measure/meas_points.h"
#include "readout/input_hook.h"

namespace pixolet {
namespace {

class InputRouting : public testing::Test {
  protected:
    bool Send(InputKind kind, int key = 0) { return InputHookProc(w, InputEvent{kind, key}, keys); }

    fakes::FakeEnvironment env;
    fakes::FakeKeys keys;
    TfrmPixoletMain& w = env.window;
};

TEST(ShiftByte, ModifiersAndMouseButtons) {
    const struct {
        std::vector<int> down;
        ShiftByte shift;
    } rows[] = {{{}, 0},
                {{vk::kControl}, kShiftCtrl},
                {{vk::kShift, vk::kMenu}, kShiftShift | kShiftAlt},
                {{vk::kControl, vk::kLButton}, kShiftCtrl | kShiftLeftButton},
                {{vk::kRButton}, kShiftRightButton},
                {{vk::kMButton, vk::kShift}, kShiftMiddleButton | kShiftShift}};
    for (const auto& row : rows) {
        fakes::FakeKeys keys;
        for (int key : row.down) keys.down[key] = true;
        EXPECT_EQ(ShiftByteFrom(keys), row.shift);
    }
}

TEST(ShiftByte, SystemKeyDowns) {
    const struct {
        int key;
        ShiftByte held;
        bool system;
    } rows[] = {{'F', kShiftAlt, true},
                {'F', kShiftAlt | kShiftShift, true},
                {'C', kShiftAlt | kShiftCtrl, false},
                {'C', kShiftCtrl, false},
                {vk::kF10, 0, true},
                {vk::kF10, kShiftCtrl, true},
                {vk::kMenu, 0, true},
                {vk::kMenu, kShiftCtrl, false},
                {'A', 0, false}};
    for (const auto& row : rows)
        EXPECT_EQ(IsSystemKeyDown(row.key, row.held), row.system) << row.key;
}

TEST_F(InputRouting, HiddenWindowIgnoresPointerEvents) {
    keys.down[vk::kLButton] = true;
    w.FollowPointer = false;
    w.MeasuringMode = true;
    EXPECT_FALSE(Send(InputKind::MouseMove));
    EXPECT_FALSE(Send(InputKind::LButtonDown));
    EXPECT_EQ(env.screen.blockReads, 0);
    EXPECT_TRUE(env.view.moves.empty());
    EXPECT_FALSE(w.Dragging);
    w.MeasuringMode = false;
}

TEST_F(InputRouting, KeyDownsReachTheDispatchOnlyWhenAllowed) {
    w.ShowHide(Sender::Show1);
    keys.down[vk::kControl] = true;
    int dialog = 0;
    w.PropertiesDialog = reinterpret_cast<TfrmProp*>(&dialog);
    EXPECT_FALSE(Send(InputKind::KeyDown, 'C'));
    w.PropertiesDialog = nullptr;
    EXPECT_FALSE(Send(InputKind::SysKeyDown, 'C'));
    EXPECT_FALSE(Send(InputKind::KeyUp, 'C'));
    EXPECT_EQ(env.clipboard.writes, 0);

    keys.down[vk::kRButton] = true;  // a held button spoils every shortcut
    EXPECT_FALSE(Send(InputKind::KeyDown, 'C'));
    keys.down[vk::kRButton] = false;
    EXPECT_TRUE(Send(InputKind::KeyDown, 0x100 | 'C'));  // only the low byte counts
    EXPECT_EQ(env.clipboard.writes, 1);
}

TEST_F(InputRouting, MovesTrackAndDragTheFrozenWindow) {
    w.ShowHide(Sender::Show1);
    const int reads = env.screen.blockReads;
    env.screen.cursor = {500, 300};
    Send(InputKind::MouseMove);
    EXPECT_EQ(env.screen.blockReads, reads + 1);
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

TEST_F(InputRouting, LeftClickAddsAPointOnlyWhenMeasuringAndAllowed) {
    w.ShowHide(Sender::Show1);
    w.ToggleMeasuringMode();
    ASSERT_NE(w.MeasurePoints, nullptr);
    Send(InputKind::LButtonDown);
    EXPECT_EQ(w.MeasurePoints->Items().size(), 1u);
    w.settings.ClickAddsPoint = false;
    Send(InputKind::LButtonDown);
    EXPECT_EQ(w.MeasurePoints->Items().size(), 1u);
}

}  // namespace
}  // namespace pixolet

// Raw input records through the translation into InputEvents, with the key
// and button state the dispatch then sees.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/raw_input.h"

namespace pixolet::win32 {
namespace {

RawKey Down(USHORT scan, USHORT vKey, USHORT flags = 0, UINT message = WM_KEYDOWN) {
    return RawKey{scan, flags, vKey, message};
}
RawKey Up(USHORT scan, USHORT vKey, USHORT flags = 0) {
    return RawKey{scan, static_cast<USHORT>(flags | RI_KEY_BREAK), vKey, WM_KEYUP};
}

struct KeyStep {
    RawKey record;
    bool delivered;
    InputKind kind;
    int key;
    ShiftByte shiftAfter;
};

struct KeySequence {
    const char* name;
    std::vector<KeyStep> steps;
};

class RawKeyTest : public testing::TestWithParam<KeySequence> {};

TEST_P(RawKeyTest, EachRecordGivesItsEventAndTheStateAsOfIt) {
    KeyStateTracker keys;
    int index = 0;
    for (const KeyStep& step : GetParam().steps) {
        SCOPED_TRACE(testing::Message() << "record " << index++);
        InputEvent event;
        ASSERT_EQ(TranslateKey(step.record, keys, event), step.delivered);
        if (step.delivered) {
            EXPECT_EQ(event.kind, step.kind);
            EXPECT_EQ(event.key, step.key);
        }
        EXPECT_EQ(keys.Shift(), step.shiftAfter);
    }
}

constexpr USHORT kCtrlScan = 0x1D;
constexpr USHORT kShiftScan = 0x2A;
constexpr USHORT kAltScan = 0x38;
constexpr USHORT kCScan = 0x2E;

INSTANTIATE_TEST_SUITE_P(
    Sequences, RawKeyTest,
    testing::Values(
        KeySequence{
            "CtrlC",
            {{Down(kCtrlScan, VK_CONTROL), true, InputKind::KeyDown, VK_CONTROL, kShiftCtrl},
             {Down(kCScan, 'C'), true, InputKind::KeyDown, 'C', kShiftCtrl},
             {Up(kCScan, 'C'), true, InputKind::KeyUp, 'C', kShiftCtrl},
             {Up(kCtrlScan, VK_CONTROL), true, InputKind::KeyUp, VK_CONTROL, 0}}},
        // Left and right Ctrl are two keys: one released keeps Ctrl down.
        KeySequence{
            "BothCtrls",
            {{Down(kCtrlScan, VK_CONTROL), true, InputKind::KeyDown, VK_CONTROL, kShiftCtrl},
             {Down(kCtrlScan, VK_CONTROL, RI_KEY_E0), true, InputKind::KeyDown, VK_CONTROL,
              kShiftCtrl},
             {Up(kCtrlScan, VK_CONTROL), true, InputKind::KeyUp, VK_CONTROL, kShiftCtrl},
             {Up(kCtrlScan, VK_CONTROL, RI_KEY_E0), true, InputKind::KeyUp, VK_CONTROL, 0}}},
        // Sided codes count as the generic modifier.
        KeySequence{"SidedCodes",
                    {{Down(0x36, VK_RSHIFT), true, InputKind::KeyDown, VK_SHIFT, kShiftShift},
                     {Down(kAltScan, VK_LMENU, 0, WM_SYSKEYDOWN), true, InputKind::SysKeyDown,
                      VK_MENU, kShiftShift | kShiftAlt}}},
        // The system's verdict decides: Alt+X is a system key-down.
        KeySequence{
            "AltX",
            {{Down(kAltScan, VK_MENU, 0, WM_SYSKEYDOWN), true, InputKind::SysKeyDown, VK_MENU,
              kShiftAlt},
             {Down(0x2D, 'X', 0, WM_SYSKEYDOWN), true, InputKind::SysKeyDown, 'X', kShiftAlt}}},
        // Auto-repeat presses are delivered again and change no state.
        KeySequence{"Repeat",
                    {{Down(kShiftScan, VK_SHIFT), true, InputKind::KeyDown, VK_SHIFT, kShiftShift},
                     {Down(kShiftScan, VK_SHIFT), true, InputKind::KeyDown, VK_SHIFT, kShiftShift},
                     {Up(kShiftScan, VK_SHIFT), true, InputKind::KeyUp, VK_SHIFT, 0}}},
        // The driver's fake Shift around a navigation key neither releases
        // the real Shift nor leaves a Shift stuck down.
        KeySequence{
            "FakeShift",
            {{Down(kShiftScan, VK_SHIFT), true, InputKind::KeyDown, VK_SHIFT, kShiftShift},
             {Up(kShiftScan, VK_SHIFT, RI_KEY_E0), false, InputKind::Other, 0, kShiftShift},
             {Down(0x48, VK_UP, RI_KEY_E0), true, InputKind::KeyDown, VK_UP, kShiftShift},
             {Down(kShiftScan, VK_SHIFT, RI_KEY_E0), false, InputKind::Other, 0, kShiftShift},
             {Up(kShiftScan, VK_SHIFT), true, InputKind::KeyUp, VK_SHIFT, 0}}},
        // Pause is one E1 record with VK_PAUSE and Ctrl's scan code, then a
        // filler record; while Ctrl is held it is a key of its own.
        KeySequence{
            "PauseWithCtrlHeld",
            {{Down(kCtrlScan, VK_CONTROL), true, InputKind::KeyDown, VK_CONTROL, kShiftCtrl},
             {Down(kCtrlScan, VK_PAUSE, RI_KEY_E1), true, InputKind::KeyDown, VK_PAUSE, kShiftCtrl},
             {Down(0x45, 0xFF), false, InputKind::Other, 0, kShiftCtrl},
             {Up(kCtrlScan, VK_PAUSE, RI_KEY_E1), true, InputKind::KeyUp, VK_PAUSE, kShiftCtrl},
             {Up(0x45, 0xFF), false, InputKind::Other, 0, kShiftCtrl},
             {Up(kCtrlScan, VK_CONTROL), true, InputKind::KeyUp, VK_CONTROL, 0}}},
        // Filler records and records without a key are not keys.
        KeySequence{"Fillers",
                    {{Down(0x45, 0xFF), false, InputKind::Other, 0, 0},
                     {Down(0, 0), false, InputKind::Other, 0, 0}}},
        // Injected keys may have no scan code; they are still tracked.
        KeySequence{"NoScanCode",
                    {{Down(0, VK_CONTROL), true, InputKind::KeyDown, VK_CONTROL, kShiftCtrl},
                     {Up(0, VK_CONTROL), true, InputKind::KeyUp, VK_CONTROL, 0}}}),
    [](const testing::TestParamInfo<KeySequence>& param) { return param.param.name; });

TEST(RawKeyCodes, ExtendedKeysHaveCodesOfTheirOwn) {
    EXPECT_EQ(PhysicalKeyCode(Down(kCtrlScan, VK_CONTROL)), 0x1Du);
    EXPECT_EQ(PhysicalKeyCode(Down(kCtrlScan, VK_CONTROL, RI_KEY_E0)), 0x11Du);
    EXPECT_LT(PhysicalKeyCode(Down(0, 0xFE)), static_cast<unsigned>(KeyStateTracker::kKeyCodes));
    EXPECT_GE(PhysicalKeyCode(Down(0, VK_CONTROL)), 0x180u);
}

struct MouseCase {
    const char* name;
    RawMouse record;
    bool swapped;
    bool moves;
    std::vector<InputKind> buttonEvents;
    ShiftByte buttonsAfter;
};

class RawMouseTest : public testing::TestWithParam<MouseCase> {};

TEST_P(RawMouseTest, MoveAndButtonsInOrder) {
    KeyStateTracker keys;
    const MouseCase& c = GetParam();
    EXPECT_EQ(MouseMoves(c.record), c.moves);
    const ButtonEvents out = TranslateButtons(c.record, c.swapped, keys);
    std::vector<InputKind> kinds;
    for (std::size_t i = 0; i < out.count; ++i) kinds.push_back(out.events[i].kind);
    EXPECT_EQ(kinds, c.buttonEvents);
    EXPECT_EQ(keys.Shift(), c.buttonsAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Records, RawMouseTest,
    testing::Values(MouseCase{"Move", {0, 0, 3, -2}, false, true, {}, 0},
                    MouseCase{
                        "AbsoluteMoveAtOrigin", {MOUSE_MOVE_ABSOLUTE, 0, 0, 0}, false, true, {}, 0},
                    MouseCase{"StillRecordIsNoMove", {0, 0, 0, 0}, false, false, {}, 0},
                    MouseCase{"MoveAndPress",
                              {0, RI_MOUSE_LEFT_BUTTON_DOWN, 1, 0},
                              false,
                              true,
                              {InputKind::LButtonDown},
                              kShiftLeftButton},
                    MouseCase{"ClickInOneRecord",
                              {0, RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_LEFT_BUTTON_UP, 0, 0},
                              false,
                              false,
                              {InputKind::LButtonDown, InputKind::LButtonUp},
                              0},
                    MouseCase{"RightAndMiddle",
                              {0, RI_MOUSE_RIGHT_BUTTON_DOWN | RI_MOUSE_MIDDLE_BUTTON_DOWN, 0, 0},
                              false,
                              false,
                              {InputKind::Other, InputKind::Other},
                              kShiftRightButton | kShiftMiddleButton},
                    // Left-handed: the physical right button is the logical left one.
                    MouseCase{"SwappedRight",
                              {0, RI_MOUSE_RIGHT_BUTTON_DOWN, 0, 0},
                              true,
                              false,
                              {InputKind::LButtonDown},
                              kShiftLeftButton},
                    MouseCase{"SwappedLeft",
                              {0, RI_MOUSE_LEFT_BUTTON_DOWN, 0, 0},
                              true,
                              false,
                              {InputKind::Other},
                              kShiftRightButton},
                    MouseCase{"Wheel", {0, RI_MOUSE_WHEEL, 0, 0}, false, false, {}, 0}),
    [](const testing::TestParamInfo<MouseCase>& param) { return param.param.name; });

}  // namespace
}  // namespace pixolet::win32

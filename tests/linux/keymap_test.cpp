#include "platform/linux/keymap.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace pixolet::linux_common {
namespace {

struct KeysymCase {
    const char* name;
    unsigned long keysym;
    int virtualKey;
};

class KeymapTest : public ::testing::TestWithParam<KeysymCase> {};

TEST_P(KeymapTest, MapsKeysymToUsLayoutVirtualKey) {
    EXPECT_EQ(VirtualKeyFromKeysym(GetParam().keysym), GetParam().virtualKey) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeymapTest,
    ::testing::Values(
        // Letters of either case: shortcuts store the upper-case code.
        KeysymCase{"a", XK_a, 0x41}, KeysymCase{"z", XK_z, 0x5A}, KeysymCase{"A", XK_A, 0x41},
        KeysymCase{"C", XK_C, 0x43}, KeysymCase{"Z", XK_Z, 0x5A}, KeysymCase{"0", XK_0, 0x30},
        KeysymCase{"9", XK_9, 0x39}, KeysymCase{"F1", XK_F1, 0x70}, KeysymCase{"F10", XK_F10, 0x79},
        KeysymCase{"F12", XK_F12, 0x7B}, KeysymCase{"F24", XK_F24, 0x87},
        KeysymCase{"Left", XK_Left, 0x25}, KeysymCase{"Up", XK_Up, 0x26},
        KeysymCase{"Right", XK_Right, 0x27}, KeysymCase{"Down", XK_Down, 0x28},
        KeysymCase{"Home", XK_Home, 0x24}, KeysymCase{"End", XK_End, 0x23},
        KeysymCase{"Prior", XK_Prior, 0x21}, KeysymCase{"Next", XK_Next, 0x22},
        KeysymCase{"Insert", XK_Insert, 0x2D}, KeysymCase{"Delete", XK_Delete, 0x2E},
        KeysymCase{"Return", XK_Return, 0x0D}, KeysymCase{"Escape", XK_Escape, 0x1B},
        KeysymCase{"Tab", XK_Tab, 0x09}, KeysymCase{"BackSpace", XK_BackSpace, 0x08},
        KeysymCase{"space", XK_space, 0x20},
        // Both sides of a modifier give its one code.
        KeysymCase{"Shift_L", XK_Shift_L, 0x10}, KeysymCase{"Shift_R", XK_Shift_R, 0x10},
        KeysymCase{"Control_L", XK_Control_L, 0x11}, KeysymCase{"Control_R", XK_Control_R, 0x11},
        KeysymCase{"Alt_L", XK_Alt_L, 0x12}, KeysymCase{"Alt_R", XK_Alt_R, 0x12},
        KeysymCase{"Meta_L", XK_Meta_L, 0x12}, KeysymCase{"Super_L", XK_Super_L, 0x5B},
        KeysymCase{"Super_R", XK_Super_R, 0x5C}, KeysymCase{"Menu", XK_Menu, 0x5D},
        KeysymCase{"KP_0", XK_KP_0, 0x60}, KeysymCase{"KP_9", XK_KP_9, 0x69},
        KeysymCase{"KP_Home", XK_KP_Home, 0x24}, KeysymCase{"KP_Multiply", XK_KP_Multiply, 0x6A},
        KeysymCase{"KP_Add", XK_KP_Add, 0x6B}, KeysymCase{"KP_Subtract", XK_KP_Subtract, 0x6D},
        KeysymCase{"KP_Decimal", XK_KP_Decimal, 0x6E}, KeysymCase{"KP_Divide", XK_KP_Divide, 0x6F},
        KeysymCase{"KP_Enter", XK_KP_Enter, 0x0D}, KeysymCase{"semicolon", XK_semicolon, 0xBA},
        KeysymCase{"equal", XK_equal, 0xBB}, KeysymCase{"comma", XK_comma, 0xBC},
        KeysymCase{"minus", XK_minus, 0xBD}, KeysymCase{"period", XK_period, 0xBE},
        KeysymCase{"slash", XK_slash, 0xBF}, KeysymCase{"grave", XK_grave, 0xC0},
        KeysymCase{"bracketleft", XK_bracketleft, 0xDB},
        KeysymCase{"backslash", XK_backslash, 0xDC},
        KeysymCase{"bracketright", XK_bracketright, 0xDD},
        KeysymCase{"apostrophe", XK_apostrophe, 0xDE}, KeysymCase{"Pause", XK_Pause, 0x13},
        KeysymCase{"Print", XK_Print, 0x2C}, KeysymCase{"Caps_Lock", XK_Caps_Lock, 0x14},
        KeysymCase{"Num_Lock", XK_Num_Lock, 0x90}, KeysymCase{"Scroll_Lock", XK_Scroll_Lock, 0x91},
        // No code: dead keys, symbols outside a US layout, NoSymbol.
        KeysymCase{"NoSymbol", 0, 0}, KeysymCase{"dead_acute", XK_dead_acute, 0},
        KeysymCase{"adiaeresis", XK_adiaeresis, 0}, KeysymCase{"F25", XK_F25, 0},
        KeysymCase{"ISO_Level3_Shift", XK_ISO_Level3_Shift, 0}),
    [](const ::testing::TestParamInfo<KeysymCase>& param) {
        return std::string(param.param.name);
    });

}  // namespace
}  // namespace pixolet::linux_common

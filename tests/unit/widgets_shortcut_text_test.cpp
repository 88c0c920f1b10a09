#include <gtest/gtest.h>

#include <string>

#include "widgets/shortcut_text.h"

namespace pixolet {
namespace {

struct TextCase {
    Shortcut shortcut;
    std::string text;
};

class ShortcutTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ShortcutTextTest, WritesModifiersThenTheKeyName) {
    EXPECT_EQ(ShortcutText(GetParam().shortcut), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Shortcuts, ShortcutTextTest,
    testing::Values(TextCase{0, ""}, TextCase{0x4043, "Ctrl+C"}, TextCase{0x4056, "Ctrl+V"},
                    TextCase{0xC043, "Ctrl+Alt+C"}, TextCase{0x2074, "Shift+F5"},
                    TextCase{0xE041, "Ctrl+Alt+Shift+A"}, TextCase{0x0030, "0"},
                    TextCase{0x0039, "9"}, TextCase{0x005A, "Z"}, TextCase{0x0070, "F1"},
                    TextCase{0x0087, "F24"}, TextCase{0x0025, "Left"}, TextCase{0x0028, "Down"},
                    TextCase{0x0060, "Num 0"}, TextCase{0x0069, "Num 9"}, TextCase{0x006B, "Num +"},
                    TextCase{0x00BA, ";"}, TextCase{0x00DE, "'"}, TextCase{0x00DC, "\\"},
                    TextCase{0x002E, "Del"}, TextCase{0x0020, "Space"},
                    // Unknown codes still show something the user can tell apart.
                    TextCase{0x00FF, "Key 0xFF"}, TextCase{0x8007, "Alt+Key 0x07"},
                    // Modifiers without a key leave no dangling "+".
                    TextCase{0x4000, "Ctrl"}, TextCase{0xA000, "Alt+Shift"}));

}  // namespace
}  // namespace pixolet

#include "widgets/shortcut_text.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace pixolet {

namespace {

struct NamedKey {
    int code;
    std::string_view name;
};

// Keys whose names are not derived from a range below. The codes are the
// Windows virtual-key codes that stored shortcuts use on every platform.
constexpr std::array kNamedKeys{
    NamedKey{0x03, "Break"},     NamedKey{0x08, "Backspace"}, NamedKey{0x09, "Tab"},
    NamedKey{0x0C, "Clear"},     NamedKey{0x0D, "Enter"},     NamedKey{0x13, "Pause"},
    NamedKey{0x14, "Caps Lock"}, NamedKey{0x1B, "Esc"},       NamedKey{0x20, "Space"},
    NamedKey{0x21, "PgUp"},      NamedKey{0x22, "PgDown"},    NamedKey{0x23, "End"},
    NamedKey{0x24, "Home"},      NamedKey{0x25, "Left"},      NamedKey{0x26, "Up"},
    NamedKey{0x27, "Right"},     NamedKey{0x28, "Down"},      NamedKey{0x2C, "Print"},
    NamedKey{0x2D, "Ins"},       NamedKey{0x2E, "Del"},       NamedKey{0x2F, "Help"},
    NamedKey{0x5D, "Menu"},      NamedKey{0x6A, "Num *"},     NamedKey{0x6B, "Num +"},
    NamedKey{0x6C, "Num ,"},     NamedKey{0x6D, "Num -"},     NamedKey{0x6E, "Num ."},
    NamedKey{0x6F, "Num /"},     NamedKey{0x90, "Num Lock"},  NamedKey{0x91, "Scroll Lock"},
    NamedKey{0xBA, ";"},         NamedKey{0xBB, "="},         NamedKey{0xBC, ","},
    NamedKey{0xBD, "-"},         NamedKey{0xBE, "."},         NamedKey{0xBF, "/"},
    NamedKey{0xC0, "`"},         NamedKey{0xDB, "["},         NamedKey{0xDC, "\\"},
    NamedKey{0xDD, "]"},         NamedKey{0xDE, "'"},         NamedKey{0xE2, "<"},
};

}  // namespace

std::string KeyName(int virtualKey) {
    if (virtualKey == 0) return "";
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return std::string(1, static_cast<char>(virtualKey));
    // Appending rather than `"F" + std::to_string(...)`: the latter trips a
    // false -Wrestrict in g++ 12's optimised std::string code.
    if (virtualKey >= 0x60 && virtualKey <= 0x69) {
        std::string name = "Num ";
        name += std::to_string(virtualKey - 0x60);
        return name;
    }
    if (virtualKey >= 0x70 && virtualKey <= 0x87) {
        std::string name = "F";
        name += std::to_string(virtualKey - 0x6F);
        return name;
    }
    for (const NamedKey& k : kNamedKeys)
        if (k.code == virtualKey) return std::string(k.name);
    char text[16];
    std::snprintf(text, sizeof text, "Key 0x%02X", static_cast<unsigned>(virtualKey) & 0xFFu);
    return text;
}

std::string ShortcutText(Shortcut shortcut) {
    if (shortcut == 0) return "";
    std::string text;
    if (shortcut & kShortcutCtrl) text += "Ctrl+";
    if (shortcut & kShortcutAlt) text += "Alt+";
    if (shortcut & kShortcutShift) text += "Shift+";
    const int key = shortcut & 0xFF;
    if (key == 0) {
        // Modifiers alone: drop the dangling "+".
        text.pop_back();
        return text;
    }
    return text + KeyName(key);
}

}  // namespace pixolet

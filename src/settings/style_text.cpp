#include "settings/style_text.h"

#include <array>

namespace pixolet {

namespace {

struct StyleWord {
    std::string_view word;
    bool FontDescription::*style;
};

// The written order.
constexpr std::array<StyleWord, 4> kStyleWords{{
    {"Bold", &FontDescription::bold},
    {"Italic", &FontDescription::italic},
    {"Underline", &FontDescription::underline},
    {"StrikeOut", &FontDescription::strikeOut},
}};

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

}  // namespace

void ApplyStyleText(std::string_view text, FontDescription& font) {
    const std::string upper = AsciiUpper(text);
    for (const StyleWord& w : kStyleWords)
        font.*w.style = upper.find(AsciiUpper(w.word)) != std::string::npos;
}

std::string StyleTextOf(const FontDescription& font) {
    std::string text;
    for (const StyleWord& w : kStyleWords) {
        if (!(font.*w.style)) continue;
        text += ' ';
        text += w.word;
        text += ' ';
    }
    return text;
}

}  // namespace pixolet

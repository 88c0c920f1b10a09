// Any bytes as the stored font colour and font style: reading never fails,
// and what is read is written back to a text that reads the same again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/colour_text.h"
#include "settings/style_text.h"

namespace {

bool SameStyle(const pixolet::FontDescription& a, const pixolet::FontDescription& b) {
    return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
           a.strikeOut == b.strikeOut;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pixolet;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (const auto colour = ParseColourText(text)) {
        if (ParseColourText(FormatColourText(*colour)) != colour) std::abort();
    }

    // The style read does not depend on the style before.
    FontDescription plain, styled;
    styled.bold = styled.italic = styled.underline = styled.strikeOut = true;
    ApplyStyleText(text, plain);
    ApplyStyleText(text, styled);
    if (!SameStyle(plain, styled)) std::abort();
    FontDescription again;
    ApplyStyleText(StyleTextOf(plain), again);
    if (!SameStyle(plain, again)) std::abort();
    return 0;
}

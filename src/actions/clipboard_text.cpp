#include "actions/clipboard_text.h"

#include "readout/colour.h"
#include "readout/number_text.h"
#include "readout/readout_window.h"

namespace pixolet {

namespace {

// Hex fields are padded with blanks, not zeros: 5 is " 5".
std::string HexFields(std::initializer_list<int> values) {
    std::string text = "#";
    for (int v : values) text += FormatHex(static_cast<std::uint32_t>(v), 2);
    return text;
}

std::string DecimalFields(std::initializer_list<int> values, const char* separator) {
    std::string text;
    for (int v : values) {
        if (!text.empty()) text += separator;
        text += FormatDecimal(v, 3);
    }
    return text;
}

}  // namespace

std::string ColourText(Colour colour, int format, int factorK) {
    const int r = RedOf(colour);
    const int g = GreenOf(colour);
    const int b = BlueOf(colour);
    switch (format) {
        case kClipRgbHex:
            return HexFields({r, g, b});
        case kClipRgbPercent:
            // Truncated percentages; a component of 100 runs into the next.
            return DecimalFields({ComponentPercent(r), ComponentPercent(g), ComponentPercent(b)},
                                 "");
        case kClipCmyk:
        case kClipCmykHex: {
            const Cmyk cmyk = RgbToCmyk(RedOf(colour), GreenOf(colour), BlueOf(colour), factorK);
            if (format == kClipCmyk) return DecimalFields({cmyk.c, cmyk.m, cmyk.y, cmyk.k}, " ");
            return HexFields({cmyk.c, cmyk.m, cmyk.y, cmyk.k});
        }
        case kClipRgb:
        default:
            return DecimalFields({r, g, b}, " ");
    }
}

bool TfrmPixoletMain::CopyColorToClipboard() {
    return CopyColour(CurrentColor);
}

bool TfrmPixoletMain::CopyColour(Colour colour) {
    ClipboardText.clear();
    ClipboardText = ColourText(colour, settings.ClipboardFormat, settings.CmykFactorK);
    if (ClipboardText.empty()) return false;
    // A clipboard held by another program keeps its contents; the copy then
    // did not happen, so the colour dialog must not be sent this colour and
    // the key passes on to the next hook.
    if (!ports_.clipboard.SetText(ClipboardText)) return false;
    CopiedColor = colour;
    return true;
}

}  // namespace pixolet

#include "actions/clipboard_text.h"

#include <cmath>

#include "readout/colour.h"
#include "readout/colour_spaces.h"
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

// `value` with `decimals` digits after the point, halves away from zero.
std::string FixedText(double value, int decimals) {
    long long scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const long long scaled = std::llround(value * static_cast<double>(scale));
    const long long magnitude = scaled < 0 ? -scaled : scaled;
    std::string text = scaled < 0 ? "-" : "";
    text += std::to_string(magnitude / scale);
    if (decimals > 0) {
        std::string fraction = std::to_string(magnitude % scale);
        text += '.';
        text.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
        text += fraction;
    }
    return text;
}

std::string CssHex(int r, int g, int b) {
    std::string text = "#";
    for (int v : {r, g, b}) {
        if (v < 16) text += '0';
        text += FormatHex(static_cast<std::uint32_t>(v));
    }
    return text;
}

std::string CssHsl(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const Hsl hsl = RgbToHsl(r, g, b);
    return "hsl(" + std::to_string(hsl.hue) + ' ' + std::to_string(hsl.saturation) + "% " +
           std::to_string(hsl.lightness) + "%)";
}

std::string CssOklch(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const Oklch lch = RgbToOklch(r, g, b);
    std::string text = "oklch(" + FixedText(lch.lightness * 100.0, 1) + "% ";
    // A grey has no hue, and its chroma is only arithmetic noise.
    if (r == g && g == b) return text + "0 0)";
    std::string hue = FixedText(lch.hue, 1);
    if (hue == "360.0") hue = "0.0";
    return text + FixedText(lch.chroma, 3) + ' ' + hue + ')';
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
        case kClipCssHex:
            return CssHex(r, g, b);
        case kClipCssRgb:
            return "rgb(" + std::to_string(r) + ' ' + std::to_string(g) + ' ' + std::to_string(b) +
                   ')';
        case kClipCssHsl:
            return CssHsl(RedOf(colour), GreenOf(colour), BlueOf(colour));
        case kClipCssOklch:
            return CssOklch(RedOf(colour), GreenOf(colour), BlueOf(colour));
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
    HasCopiedColor = true;
    // The contrast line compares against the new copy at once.
    if (settings.ShowContrast) {
        UpdateContrastLine();
        ports_.view.Repaint();
    }
    return true;
}

}  // namespace pixolet

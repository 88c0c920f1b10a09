#include "readout/readout_scale.h"

#include <algorithm>

#include "settings/font_fit.h"

namespace pixolet {

int ReadoutDpi(int monitorDpi) {
    if (monitorDpi <= 0) return kBaseDpi;
    return std::clamp(monitorDpi, kMinReadoutDpi, kMaxReadoutDpi);
}

int LayoutScale(int dpi) {
    return std::max(1, ReadoutDpi(dpi) / kBaseDpi);
}

FontDescription FontAtDpi(const FontDescription& font, int dpi) {
    const int target = ReadoutDpi(dpi);
    const int own = font.dpi > 0 ? std::min(font.dpi, kMaxFontDpi) : kBaseDpi;
    if (own == target && font.dpi == target) return font;
    FontDescription out = font;
    out.dpi = target;
    // The height keeps its sign: negative is a character height, positive a
    // cell height; 0 (the toolkit's default) stays as it is.
    if (font.height != 0) {
        const int scaled = MulDiv(font.height, target, own);
        out.height = scaled != 0 ? scaled : (font.height < 0 ? -1 : 1);
    }
    return out;
}

}  // namespace pixolet

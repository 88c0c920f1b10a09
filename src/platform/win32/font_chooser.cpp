#include "platform/win32/font_chooser.h"

// The font dialog: not in the lean windows.h. Its ChooseFont macro stays
// out of the headers, where it would rename the view's method.
#include <commdlg.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/screen.h"
#include "settings/font_fit.h"
#include "settings/system_colour.h"

namespace pixolet::win32 {

LOGFONTA LogFontFrom(const FontDescription& font, int screenDpi) {
    LOGFONTA log{};
    // The description's height is at its own dpi; the dialog measures at the
    // screen's, so a different dpi goes through the point size.
    log.lfHeight = font.dpi == screenDpi ? font.height : -MulDiv(PointSizeOf(font), screenDpi, 72);
    log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = font.italic;
    log.lfUnderline = font.underline;
    log.lfStrikeOut = font.strikeOut;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t length = std::min(font.name.size(), sizeof log.lfFaceName - 1);
    std::memcpy(log.lfFaceName, font.name.data(), length);
    return log;
}

COLORREF SystemPaintColour(Colour stored) {
    return PaintColour(stored, [](int index) { return static_cast<Colour>(GetSysColor(index)); });
}

void TakeChoice(const LOGFONTA& chosen, int pointTenths, COLORREF colour, COLORREF shown,
                FontDescription& font) {
    font.name.assign(chosen.lfFaceName, strnlen(chosen.lfFaceName, sizeof chosen.lfFaceName));
    // Rounded to whole points, halves up, then held to the offered sizes.
    const int points = (pointTenths + 5) / 10;
    SetPointSize(font, std::clamp(points, kMinChooserPoints, kMaxChooserPoints));
    font.bold = chosen.lfWeight >= FW_BOLD;
    font.italic = chosen.lfItalic != 0;
    font.underline = chosen.lfUnderline != 0;
    font.strikeOut = chosen.lfStrikeOut != 0;
    if ((colour & 0xFFFFFF) != (shown & 0xFFFFFF))
        font.colour = static_cast<Colour>(colour & 0xFFFFFF);
}

bool ChooseReadoutFont(HWND owner, FontDescription& font) {
    LOGFONTA log = LogFontFrom(font, ScreenLogicalDpi());
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpLogFont = &log;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_FORCEFONTEXIST | CF_NOSIMULATIONS |
                   CF_SHOWHELP | CF_LIMITSIZE | CF_INITTOLOGFONTSTRUCT;
    const COLORREF shown = SystemPaintColour(font.colour);
    choose.rgbColors = shown;
    choose.nSizeMin = kMinChooserPoints;
    choose.nSizeMax = kMaxChooserPoints;
    if (!ChooseFontA(&choose)) return false;
    TakeChoice(log, choose.iPointSize, choose.rgbColors, shown, font);
    return true;
}

}  // namespace pixolet::win32

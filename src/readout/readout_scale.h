// The readout on screens of any pixel density: its font at the monitor's
// dpi, and everything else (magnifier cells, crosshair, frame, margins)
// multiplied by a whole factor so that it stays pixel-sharp.
#pragma once

#include <string_view>

#include "ports/font_description.h"
#include "ports/readout_view_port.h"

namespace pixolet {

// The dpi of a monitor at 100 % scale.
inline constexpr int kBaseDpi = 96;
// Dpi values outside this range are taken as its nearest end.
inline constexpr int kMinReadoutDpi = 48;
inline constexpr int kMaxReadoutDpi = 960;

// A monitor's dpi as the readout uses it: 0 or less (unknown) is 96, others
// are pulled into kMinReadoutDpi..kMaxReadoutDpi.
int ReadoutDpi(int monitorDpi);

// The whole part of the monitor's scale, at least 1: 96 and 144 dpi give 1,
// 192 gives 2, 288 gives 3.
int LayoutScale(int dpi);

// `font` as the view draws it on a monitor of `dpi`: its pixel height scaled
// by dpi / font.dpi (halves away from zero), at least one pixel. The same
// font at its own dpi is returned unchanged.
FontDescription FontAtDpi(const FontDescription& font, int dpi);

// Text measures of another measure, `scale` times larger. The layout at a
// whole scale k measures the font at dpi / k this way, so that at 200 % it is
// exactly the 100 % layout doubled, whatever the font's own rounding of its
// larger size.
class ScaledTextMeasure : public TextMeasure {
  public:
    ScaledTextMeasure(const TextMeasure& base, int scale) : base_(base), scale_(scale) {}
    int TextWidth(std::string_view text) const override { return scale_ * base_.TextWidth(text); }
    int TextHeight(std::string_view text) const override { return scale_ * base_.TextHeight(text); }

  private:
    const TextMeasure& base_;
    int scale_;
};

}  // namespace pixolet

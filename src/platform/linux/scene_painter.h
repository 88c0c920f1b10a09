// Paints the core's ReadoutScene with Qt: silver background, the magnifier
// and swatch buffers 1:1, the labels in the readout font, the distance bar
// and the blue frame. Both Linux readout windows (the X11 widget and the
// Wayland layer surface) paint through it, so they show the same pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ports/font_description.h"
#include "ports/types.h"
#include "readout/readout_scene.h"

class QPainter;

namespace pixolet::linux_common {

// The readout font as Qt draws it: family, pixel size (a negative height is
// the character height), styles.
QFont ToQFont(const FontDescription& description);

class ScenePainter {
  public:
    ScenePainter();

    void SetFont(const FontDescription& font);
    const QFont& Font() const { return font_; }
    int TextWidth(std::string_view text) const;
    int TextHeight() const;

    // The region to repaint for the scene's changed rectangles: italic and
    // overhanging glyphs reach a little past their text's advance.
    QRegion DamageRegion(const std::vector<Rect>& damage) const;

    // Paints everything of `scene` (none: the background and frame only)
    // that lies in `region`, onto a window of `size`.
    void Paint(QPainter& painter, const QRegion& region, const QRect& bounding,
               const ReadoutScene* scene, const QSize& size);

  private:
    // A label's advance, measured again only when its text changed.
    int LabelAdvance(std::size_t index, const std::string& text);

    QFont font_;
    QColor textColour_;
    // How far glyphs may reach outside their text's advance.
    int inkMargin_ = 3;
    struct LabelWidth {
        std::string text;
        int advance = 0;
        bool valid = false;
    };
    std::array<LabelWidth, kLabelCount> labelWidths_;
    QImage zoomImage_;
    QImage swatchImage_;
};

}  // namespace pixolet::linux_common

// The readout window's layout: its size and every position in it, computed
// from text measurements of the readout font each time the window is shown.
#pragma once

#include <array>
#include <string_view>

#include "ports/readout_view_port.h"
#include "ports/types.h"
#include "readout/readout_scene.h"
#include "settings/settings.h"

namespace pixolet {

// Height of the distance bar `tcbSymbol` at 100 % scale.
constexpr int kBarHeight = 5;

struct LabelPlace {
    int left = 0;
    int top = 0;
    bool visible = false;
    friend bool operator==(const LabelPlace&, const LabelPlace&) = default;
};

struct ReadoutLayout {
    Size window;
    SceneShape zoom;    // shpZoom
    SceneShape swatch;  // Shape2
    std::array<LabelPlace, kLabelCount> labels{};
    SceneShape bar;  // tcbSymbol
    int barMaximum = 0;
    bool barVisible = false;
    int scale = 1;
};

// `pointText` is the coordinates label's current text, whose height places
// the distance bar below it. `screen` is the primary screen's size, whose
// diagonal is the bar's maximum. `measure` measures with the font at the
// monitor's dpi; every margin, the magnifier's border, the swatch and the
// bar are multiplied by `scale`, the whole part of the monitor's scale
// (LayoutScale), so at 1 the layout is the classic one.
//
// Optional lines: the contrast line (ShowContrast) goes below the
// magnifier, under the coordinates when they are shown, and widens the
// window to hold the widest contrast text; the angle (ShowAngle, measuring
// mode only) is a fifth row of the measuring column, and what lies below
// the magnifier moves down by one row to make room for it.
ReadoutLayout ComputeLayout(const Settings& settings, bool measuringMode,
                            const TextMeasure& measure, Size screen, std::string_view pointText,
                            int scale = 1);

// Writes the layout into the scene; label texts stay as they are and the bar
// keeps its position within the new maximum.
void ApplyLayout(const ReadoutLayout& layout, ReadoutScene& scene);

// Length of the screen's diagonal in whole pixels.
int ScreenDiagonal(Size screen);

}  // namespace pixolet

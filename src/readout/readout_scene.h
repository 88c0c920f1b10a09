// Everything the readout window shows, computed by the core and painted by
// the platform view: positions are in window client pixels.
#pragma once

#include <array>
#include <string>

#include "ports/types.h"

namespace pixolet {

enum LabelId {
    lblR,
    lblG,
    lblB,
    lblC,
    lblM,
    lblY,
    lblK,
    lblPoint,
    lblDiffX,
    lblDiffY,
    lblDiff,
    lblArea,
    kLabelCount
};

struct SceneLabel {
    std::string text;
    int left = 0;
    int top = 0;
    bool visible = false;
};

struct SceneShape {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The disabled distance bar `tcbSymbol`.
struct SceneBar {
    SceneShape bounds{6, 74, 91, 5};
    int maximum = 10;
    int position = 5;
    bool visible = false;
};

struct ReadoutScene {
    int width = 251;
    int height = 182;
    SceneShape zoom{6, 7, 34, 34};  // shpZoom, the magnifier
    SceneShape swatch{47, 34, 7, 7};  // Shape2
    // Pixels of the magnifier and the swatch as the last tracking update
    // painted them; when `live` is false the view shows their plain look
    // (silver and white with a black outline).
    PixelBuffer magnifier;
    PixelBuffer swatchPixels;
    bool live = false;
    std::array<SceneLabel, kLabelCount> labels{{{"R"}, {"G"}, {"B"}, {"C"}, {"M"}, {"Y"}, {"K"},
                                                 {"(0, 0)"}, {"A"}, {"B"}, {"C"}, {"S"}}};
    SceneBar bar;
};

}  // namespace pixolet

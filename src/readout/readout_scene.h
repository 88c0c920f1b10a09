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
    lblContrast,  // contrast against the last copied colour, below the magnifier
    lblAngle,     // direction of the last measured segment, in the measuring column
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
    SceneShape zoom{6, 7, 34, 34};    // shpZoom, the magnifier
    SceneShape swatch{47, 34, 7, 7};  // Shape2
    // Pixels of the magnifier and the swatch as the last tracking update
    // painted them; when `live` is false the view shows their plain look
    // (silver and white with a black outline).
    PixelBuffer magnifier;
    PixelBuffer swatchPixels;
    bool live = false;
    std::array<SceneLabel, kLabelCount> labels{{{"R"},
                                                {"G"},
                                                {"B"},
                                                {"C"},
                                                {"M"},
                                                {"Y"},
                                                {"K"},
                                                {"(0, 0)"},
                                                {"A"},
                                                {"B"},
                                                {"C"},
                                                {"S"},
                                                {""},
                                                {""}}};
    SceneBar bar;
    // The whole factor of the monitor's scale that the layout used: the
    // view draws the window's frame and the distance bar this many pixels
    // thick (the magnifier and swatch buffers come scaled already).
    int scale = 1;
};

}  // namespace pixolet

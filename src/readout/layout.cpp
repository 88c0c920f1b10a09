#include "readout/layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "readout/number_text.h"

namespace pixolet {

int ScreenDiagonal(Size screen) {
    const double w = screen.width;
    const double h = screen.height;
    return RoundHalfEven(std::sqrt(h * h + w * w));
}

ReadoutLayout ComputeLayout(const Settings& settings, bool measuringMode,
                            const TextMeasure& measure, Size screen, std::string_view pointText) {
    ReadoutLayout out;
    const int th = measure.TextHeight("99");
    const int t9 = measure.TextHeight("9");
    // The widest line of a column: the widest label letter with the widest
    // number, plus a gap.
    const std::string sample = settings.ShowHex ? "B FF " : "B 888 ";
    const int sampleWidth = measure.TextWidth(sample);
    const bool anyColumn = settings.ShowRgb || settings.ShowCmyk;

    int width = 4 * th + (anyColumn ? 8 : 16);
    int height = 4 * th + 8;
    if (anyColumn) width += sampleWidth;
    if (settings.ShowRgb && settings.ShowCmyk) width += sampleWidth;
    if (measuringMode) {
        width += measure.TextWidth("dX 999999M ");
        height += kBarHeight + 2;
    }
    if (settings.ShowCoordinates) height += measure.TextHeight("()") + 2;
    out.window = Size{width, height};

    const int zoomSide = 3 * th + 3;
    out.zoom = SceneShape{7, 9, zoomSide, zoomSide};
    const int zoomBottom = out.zoom.top + out.zoom.height;
    out.swatch = SceneShape{out.zoom.left + out.zoom.width + 3, zoomBottom - 9, 9, 9};

    auto& labels = out.labels;
    // RGB column.
    const int columnLeft = out.swatch.left + 1;
    labels[lblR] = {columnLeft, out.zoom.top - 4, settings.ShowRgb};
    labels[lblG] = {columnLeft, labels[lblR].top + t9 - 1, settings.ShowRgb};
    labels[lblB] = {columnLeft, labels[lblG].top + t9 - 1, settings.ShowRgb};

    // CMYK column, in the RGB column's place when that is off.
    const int cmykLeft = columnLeft + (settings.ShowRgb ? measure.TextWidth("R 888M") : 0);
    labels[lblC] = {cmykLeft, labels[lblR].top, settings.ShowCmyk};
    labels[lblM] = {cmykLeft, labels[lblC].top + t9 - 1, settings.ShowCmyk};
    labels[lblY] = {cmykLeft, labels[lblM].top + t9 - 1, settings.ShowCmyk};
    labels[lblK] = {cmykLeft, labels[lblY].top + t9 - 1, settings.ShowCmyk};

    labels[lblPoint] = {out.zoom.left + 1, zoomBottom + 3, settings.ShowCoordinates};

    // Measuring column, right of whichever columns are on.
    const int columnStep = measure.TextWidth(sample + "M");
    const int measureLeft =
        columnLeft + (settings.ShowRgb ? columnStep : 0) + (settings.ShowCmyk ? columnStep : 0);
    labels[lblDiffX] = {measureLeft, labels[lblR].top, measuringMode};
    labels[lblDiffY] = {measureLeft, labels[lblG].top, measuringMode};
    labels[lblDiff] = {measureLeft, labels[lblB].top, measuringMode};
    labels[lblArea] = {measureLeft, labels[lblK].top, measuringMode};

    const int barLeft = out.zoom.left;
    const int barTop = settings.ShowCoordinates
                           ? labels[lblPoint].top + measure.TextHeight(pointText) + 2
                           : zoomBottom + 4;
    out.bar = SceneShape{barLeft, barTop, width - 2 * barLeft, kBarHeight};
    out.barMaximum = ScreenDiagonal(screen);
    out.barVisible = measuringMode;
    return out;
}

void ApplyLayout(const ReadoutLayout& layout, ReadoutScene& scene) {
    scene.width = layout.window.width;
    scene.height = layout.window.height;
    scene.zoom = layout.zoom;
    scene.swatch = layout.swatch;
    for (int i = 0; i < kLabelCount; ++i) {
        const LabelPlace& place = layout.labels[static_cast<std::size_t>(i)];
        SceneLabel& label = scene.labels[static_cast<std::size_t>(i)];
        label.left = place.left;
        label.top = place.top;
        label.visible = place.visible;
    }
    scene.bar.bounds = layout.bar;
    scene.bar.maximum = layout.barMaximum;
    scene.bar.position = std::clamp(scene.bar.position, 0, std::max(layout.barMaximum, 0));
    scene.bar.visible = layout.barVisible;
}

}  // namespace pixolet

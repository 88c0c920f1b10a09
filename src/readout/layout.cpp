#include "readout/layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "readout/contrast.h"
#include "readout/number_text.h"

namespace pixolet {

int ScreenDiagonal(Size screen) {
    const double w = screen.width;
    const double h = screen.height;
    return RoundHalfEven(std::sqrt(h * h + w * w));
}

ReadoutLayout ComputeLayout(const Settings& settings, bool measuringMode,
                            const TextMeasure& measure, Size screen, std::string_view pointText,
                            int scale) {
    ReadoutLayout out;
    const int k = std::max(scale, 1);
    out.scale = k;
    const int th = measure.TextHeight("99");
    const int t9 = measure.TextHeight("9");
    // Rows of a column overlap by one (scaled) pixel of leading.
    const int rowStep = t9 - k;
    // The widest line of a column: the widest label letter with the widest
    // number, plus a gap.
    const std::string sample = settings.ShowHex ? "B FF " : "B 888 ";
    const int sampleWidth = measure.TextWidth(sample);
    const bool anyColumn = settings.ShowRgb || settings.ShowCmyk;
    const bool angleRow = measuringMode && settings.ShowAngle;

    int width = 4 * th + (anyColumn ? 8 : 16) * k;
    int height = 4 * th + 8 * k;
    if (anyColumn) width += sampleWidth;
    if (settings.ShowRgb && settings.ShowCmyk) width += sampleWidth;
    if (measuringMode) {
        width += measure.TextWidth("dX 999999M ");
        height += (kBarHeight + 2) * k;
    }
    if (angleRow) height += rowStep;
    if (settings.ShowCoordinates) height += measure.TextHeight("()") + 2 * k;
    if (settings.ShowContrast) height += measure.TextHeight(kWidestContrastText) + 2 * k;

    const int zoomSide = 3 * th + 3 * k;
    out.zoom = SceneShape{7 * k, 9 * k, zoomSide, zoomSide};
    const int zoomBottom = out.zoom.top + out.zoom.height;
    out.swatch =
        SceneShape{out.zoom.left + out.zoom.width + 3 * k, zoomBottom - 9 * k, 9 * k, 9 * k};

    auto& labels = out.labels;
    // RGB column.
    const int columnLeft = out.swatch.left + k;
    labels[lblR] = {columnLeft, out.zoom.top - 4 * k, settings.ShowRgb};
    labels[lblG] = {columnLeft, labels[lblR].top + rowStep, settings.ShowRgb};
    labels[lblB] = {columnLeft, labels[lblG].top + rowStep, settings.ShowRgb};

    // CMYK column, in the RGB column's place when that is off.
    const int cmykLeft = columnLeft + (settings.ShowRgb ? measure.TextWidth("R 888M") : 0);
    labels[lblC] = {cmykLeft, labels[lblR].top, settings.ShowCmyk};
    labels[lblM] = {cmykLeft, labels[lblC].top + rowStep, settings.ShowCmyk};
    labels[lblY] = {cmykLeft, labels[lblM].top + rowStep, settings.ShowCmyk};
    labels[lblK] = {cmykLeft, labels[lblY].top + rowStep, settings.ShowCmyk};

    // Measuring column, right of whichever columns are on.
    const int columnStep = measure.TextWidth(sample + "M");
    const int measureLeft =
        columnLeft + (settings.ShowRgb ? columnStep : 0) + (settings.ShowCmyk ? columnStep : 0);
    labels[lblDiffX] = {measureLeft, labels[lblR].top, measuringMode};
    labels[lblDiffY] = {measureLeft, labels[lblG].top, measuringMode};
    labels[lblDiff] = {measureLeft, labels[lblB].top, measuringMode};
    labels[lblArea] = {measureLeft, labels[lblK].top, measuringMode};
    labels[lblAngle] = {measureLeft, labels[lblArea].top + rowStep, angleRow};

    // Lines below the magnifier, below the angle's row when it reaches
    // further down.
    const int lowerTop = zoomBottom + (angleRow ? rowStep : 0);
    const int lineLeft = out.zoom.left + k;
    labels[lblPoint] = {lineLeft, lowerTop + 3 * k, settings.ShowCoordinates};
    int nextTop = lowerTop + 3 * k;
    if (settings.ShowCoordinates)
        nextTop = labels[lblPoint].top + measure.TextHeight(pointText) + 2 * k;
    labels[lblContrast] = {lineLeft, nextTop, settings.ShowContrast};
    if (settings.ShowContrast) {
        nextTop += measure.TextHeight(kWidestContrastText) + 2 * k;
        // Room for the widest contrast line, with the margin of its left.
        width = std::max(width, 2 * lineLeft + measure.TextWidth(kWidestContrastText));
    }
    out.window = Size{width, height};

    const int barLeft = out.zoom.left;
    const bool lineAbove = settings.ShowCoordinates || settings.ShowContrast;
    const int barTop = lineAbove ? nextTop : lowerTop + 4 * k;
    out.bar = SceneShape{barLeft, barTop, width - 2 * barLeft, kBarHeight * k};
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
    scene.scale = layout.scale;
}

}  // namespace pixolet

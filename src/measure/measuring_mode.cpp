// Measuring mode of the readout window: the point list, the four measuring
// labels and the distance bar.
#include <algorithm>

#include "measure/angle.h"
#include "measure/meas_points.h"
#include "readout/number_text.h"
#include "readout/readout_window.h"

namespace pixolet {

namespace {

// Nearest integer, ties to even, held within 0..maximum (RoundHalfEven
// already saturates at the int range and maps NaN to 0).
int BarPosition(double distance, int maximum) {
    return std::clamp(RoundHalfEven(distance), 0, std::max(maximum, 0));
}

}  // namespace

void TfrmPixoletMain::ToggleMeasuringMode() {
    if (ports_.view.IsVisible()) {
        // Hide and show again so that the layout adds or drops the measuring
        // column. The window as sender keeps ShowHide from ending the mode.
        ShowHide(Sender::Window);
        MeasuringMode = !MeasuringMode;
        ShowHide(Sender::Window);
    } else {
        MeasuringMode = !MeasuringMode;
    }

    if (MeasuringMode) {
        MeasurePoints = std::make_unique<TMeasPoints>(ports_.screen);
        MeasurePoints->SetWindow(&ports_.view);
        ResetMeasurePoints();
    } else {
        MeasurePoints.reset();  // every marker goes, newest first
    }
}

void TfrmPixoletMain::AddMeasurePoint() {
    if (!MeasurePoints) return;
    MeasurePoints->Add(ports_.screen.CursorPos());

    auto& labels = scene_.labels;
    labels[lblDiffX].text = "dX " + FormatDecimal(MeasurePoints->DeltaX(), 6);
    labels[lblDiffY].text = "dY " + FormatDecimal(MeasurePoints->DeltaY(), 6);
    labels[lblDiff].text = "d  " + FormatFixed0(MeasurePoints->Distance(), 6);
    labels[lblArea].text = "S " + FormatFixed0(MeasurePoints->Area(), 7);
    const std::optional<double> angle = MeasurePoints->Angle();
    labels[lblAngle].text = angle ? AngleText(*angle) : std::string();
    scene_.bar.position = BarPosition(MeasurePoints->Distance(), scene_.bar.maximum);
    ports_.view.Repaint();
}

void TfrmPixoletMain::ResetMeasurePoints() {
    if (!MeasuringMode) return;
    if (MeasurePoints) MeasurePoints->Clear();
    for (LabelId id : {lblDiffX, lblDiffY, lblDiff, lblArea, lblAngle})
        scene_.labels[id].text.clear();
    scene_.bar.position = 0;
    ports_.view.Repaint();
}

void TfrmPixoletMain::FormPaint() {
    if (MeasuringMode && MeasurePoints) MeasurePoints->Redraw();
}

}  // namespace pixolet

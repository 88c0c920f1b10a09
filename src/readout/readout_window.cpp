#include "readout/readout_window.h"

#include "measure/meas_points.h"  // complete type for MeasurePoints' deleter
#include "readout/layout.h"
#include "readout/readout_scale.h"

namespace pixolet {

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    // Compared as unsigned bytes, the way 8-bit characters sort.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

TfrmPixoletMain::TfrmPixoletMain(const ReadoutPorts& ports) : ports_(ports) {}

TfrmPixoletMain::~TfrmPixoletMain() = default;

void TfrmPixoletMain::FormCreate() {
    TrackColor = true;
    FollowPointer = true;
    MeasuringMode = false;
    try {
        LoadSettings();
        ports_.desktop.InstallInputHook();
        ports_.desktop.InstallErrorHandler();
        PropertiesDialog = nullptr;
        Dragging = false;
        MoveTolerance = 0;
    } catch (const std::exception& error) {
        // The window stays created; whatever step failed and those after it
        // are simply missing, and the program goes on.
        ports_.desktop.ShowError(ErrorBoxText(error.what()));
    }
}

void TfrmPixoletMain::ShowHide(Sender sender) {
    if (PropertiesDialog != nullptr) return;
    ReadoutView& view = ports_.view;
    if (view.IsVisible()) {
        view.SetShowCaption("Show");
        const Rect bounds = view.Bounds();
        SavedLeft = bounds.left;
        SavedTop = bounds.top;
        view.Hide();
        // Only a hide the user asked for ends measuring mode; the hide and
        // show that re-lay out the window keep it.
        if (sender != Sender::Window && MeasuringMode) ToggleMeasuringMode();
        return;
    }
    view.SetShowCaption("Hide");
    const ScreenPoint at = ports_.screen.CursorPos();
    if (FollowPointer) {
        SavedLeft = at.x;
        SavedTop = at.y;
    }
    // Laid out for the monitor under the pointer from the start.
    const int dpi = ReadoutDpi(view.MonitorDpi(at));
    if (dpi != LayoutDpi) {
        LayoutDpi = dpi;
        view.SetFont(ViewFont());
    }
    FormShow();
    view.Resize(scene_.width, scene_.height);
    view.Move(SavedLeft, SavedTop);
    view.SetPointerPassThrough(FollowPointer);
    view.Show();
    TrackingUpdate();
}

void TfrmPixoletMain::FormShow() {
    ReadoutView& view = ports_.view;
    const Size screen = ports_.screen.PrimarySize();
    const std::string& pointText = scene_.labels[lblPoint].text;
    const int scale = LayoutScale(LayoutDpi);
    ReadoutLayout layout;
    if (scale == 1) {
        layout = ComputeLayout(settings, MeasuringMode, view, screen, pointText, 1);
    } else {
        // Measured with the font at dpi / scale, every measure `scale` times:
        // at 200 % the 100 % layout doubled, pixel for pixel. The view then
        // draws with the font at the full dpi, which fills that room.
        view.SetFont(FontAtDpi(ReadoutFont, LayoutDpi / scale));
        const ScaledTextMeasure measure(view, scale);
        layout = ComputeLayout(settings, MeasuringMode, measure, screen, pointText, scale);
        view.SetFont(ViewFont());
    }
    ApplyLayout(layout, scene_);
    scene_.live = false;
}

FontDescription TfrmPixoletMain::ViewFont() const {
    return FontAtDpi(ReadoutFont, LayoutDpi);
}

void TfrmPixoletMain::ApplyMonitorDpi(int dpi) {
    const int wanted = ReadoutDpi(dpi);
    if (wanted == LayoutDpi) return;
    LayoutDpi = wanted;
    ReadoutView& view = ports_.view;
    view.SetFont(ViewFont());
    if (!view.IsVisible()) return;
    FormShow();
    view.Resize(scene_.width, scene_.height);
    view.Repaint();
}

void TfrmPixoletMain::ToggleFollowPointer() {
    FollowPointer = !FollowPointer;
    ports_.view.SetPointerPassThrough(FollowPointer);
}

void TfrmPixoletMain::FormClose() {
    // Measuring mode off first, so that every marker leaves the screen.
    if (MeasuringMode) ToggleMeasuringMode();
    ports_.desktop.RemoveInputHook();
    ports_.desktop.Terminate();
}

void TfrmPixoletMain::PlaceUnderPointer() {
    const ScreenPoint at = ports_.screen.CursorPos();
    const Rect bounds = ports_.view.Bounds();
    if (!Dragging && !bounds.Contains(at)) return;
    const int top = at.y - bounds.Height() / 2;
    const int left = at.x - bounds.Width() / 2;
    ports_.view.Move(left, top);
    Dragging = true;
}

void TfrmPixoletMain::AppExceptionHandler(const std::exception& error) {
    ports_.desktop.RemoveInputHook();
    ports_.desktop.ShowError(ErrorBoxText(error.what()));
    ports_.desktop.Terminate();
}

}  // namespace pixolet

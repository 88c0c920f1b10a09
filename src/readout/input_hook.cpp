#include "readout/input_hook.h"

#include "readout/readout_window.h"

namespace pixolet {

std::uint8_t ShiftByteFrom(const KeyStatePort& keys) {
    ShiftByte shift = 0;
    if (keys.IsDown(vk::kControl)) shift |= kShiftCtrl;
    if (keys.IsDown(vk::kShift)) shift |= kShiftShift;
    if (keys.IsDown(vk::kMenu)) shift |= kShiftAlt;
    if (keys.IsDown(vk::kLButton)) shift |= kShiftLeftButton;
    if (keys.IsDown(vk::kRButton)) shift |= kShiftRightButton;
    if (keys.IsDown(vk::kMButton)) shift |= kShiftMiddleButton;
    return shift;
}

bool IsSystemKeyDown(int virtualKey, ShiftByte held) {
    if (virtualKey == vk::kF10) return true;
    const bool alt = (held & kShiftAlt) != 0 || virtualKey == vk::kMenu;
    const bool ctrl = (held & kShiftCtrl) != 0 || virtualKey == vk::kControl;
    return alt && !ctrl;
}

bool InputHookProc(TfrmPixoletMain& window, const InputEvent& event, const KeyStatePort& keys) {
    const ReadoutView& view = window.Ports().view;
    switch (event.kind) {
        case InputKind::KeyDown:
            // While the properties dialog is open no key acts, whatever it is.
            if (window.PropertiesDialog != nullptr) return false;
            return window.DispatchShortcut(event.key & 0xFF, ShiftByteFrom(keys));
        case InputKind::MouseMove:
            if (!view.IsVisible()) return false;
            window.TrackingUpdate();
            if (!window.FollowPointer && keys.IsDown(vk::kLButton)) window.PlaceUnderPointer();
            return false;
        case InputKind::LButtonDown:
            if (view.IsVisible() && window.MeasuringMode && window.settings.ClickAddsPoint)
                window.AddMeasurePoint();
            return false;
        case InputKind::LButtonUp:
            window.Dragging = false;
            return false;
        case InputKind::SysKeyDown:
        case InputKind::KeyUp:
        case InputKind::Other:
            return false;
    }
    return false;
}

}  // namespace pixolet

// Key-downs from the input hook against the nine configured shortcuts. At
// most one action runs; the result tells the hook whether the key was taken.
#include "ports/shortcut.h"
#include "readout/readout_window.h"

namespace pixolet {

bool TfrmPixoletMain::DispatchShortcut(int key, std::uint8_t shift) {
    if (key == 0) return false;  // so an unset shortcut (0) never matches

    // The whole modifier byte must agree, so extra modifiers or a held mouse
    // button (never part of a shortcut) prevent a match.
    const auto matches = [key, shift](Shortcut s) {
        return (s & kShortcutKeyMask) == key && ShortcutModifiers(s) == shift;
    };
    const Settings& s = settings;

    // Group A acts on the readout and runs only while it is shown; it wins
    // over an equal shortcut of group B.
    if (ports_.view.IsVisible()) {
        if (matches(s.HotkeyCopyColor)) return CopyColorToClipboard();
        if (matches(s.HotkeyFreezeWindow)) {
            ToggleFollowPointer();
            return true;
        }
        if (matches(s.HotkeyFreezeColor)) {
            TrackColor = !TrackColor;
            return true;
        }
        if (matches(s.HotkeyMeasure)) {
            ToggleMeasuringMode();
            return true;
        }
        if (matches(s.HotkeyAddPoint)) {
            // With clicks placing points the shortcut is taken but does nothing.
            if (MeasuringMode && !s.ClickAddsPoint) AddMeasurePoint();
            return true;
        }
        if (matches(s.HotkeyResetPoints)) {
            ResetMeasurePoints();
            return true;
        }
    }

    // Group B, shown or hidden.
    if (matches(s.HotkeyPasteColor)) return SendColorToDialog();
    if (matches(s.HotkeyShowHide) && !ports_.desktop.IsReadoutActive()) {
        ShowHide(Sender::Show1);
        return true;
    }
    if (matches(s.HotkeyQuit)) {
        // Posted, so the window closes after the hook has returned.
        ports_.desktop.PostClose();
        return true;
    }
    return false;
}

}  // namespace pixolet

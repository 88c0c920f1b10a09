// Key-downs from the input hook against the nine configured shortcuts. At
// most one action runs; the result tells the hook whether the key was taken.
#include "actions/action_table.h"
#include "ports/shortcut.h"
#include "readout/readout_window.h"

namespace pixolet {

bool TfrmPixoletMain::DispatchShortcut(int key, std::uint8_t shift) {
    if (key == 0) return false;  // so an unset shortcut (0) never matches

    // The whole modifier byte must agree, so extra modifiers or a held mouse
    // button (never part of a shortcut) prevent a match.
    const auto matches = [this, key, shift](Action action) {
        const Shortcut s = settings.*EntryOf(action).hotkey;
        return (s & kShortcutKeyMask) == key && ShortcutModifiers(s) == shift;
    };

    // Group A acts on the readout and runs only while it is shown; it wins
    // over an equal shortcut of group B.
    if (ports_.view.IsVisible()) {
        for (const Action action : {Action::Copy, Action::FreezeWindow, Action::FreezeColour,
                                    Action::Measure, Action::AddPoint, Action::ResetPoints})
            if (matches(action)) return PerformAction(action);
    }

    // Group B, shown or hidden. The paste ends the tests whatever it did.
    if (matches(Action::Paste)) return PerformAction(Action::Paste);
    if (matches(Action::ShowHide) && !ports_.desktop.IsReadoutActive())
        return PerformAction(Action::ShowHide);
    if (matches(Action::Quit)) return PerformAction(Action::Quit);
    return false;
}

bool TfrmPixoletMain::PerformAction(Action action) {
    switch (action) {
        case Action::Copy:
            return CopyColorToClipboard();
        case Action::Paste:
            return SendColorToDialog();
        case Action::FreezeWindow:
            ToggleFollowPointer();
            return true;
        case Action::FreezeColour:
            TrackColor = !TrackColor;
            return true;
        case Action::Measure:
            ToggleMeasuringMode();
            return true;
        case Action::AddPoint:
            // With clicks placing points the action is taken but does nothing.
            if (MeasuringMode && !settings.ClickAddsPoint) AddMeasurePoint();
            return true;
        case Action::ResetPoints:
            ResetMeasurePoints();
            return true;
        case Action::ShowHide:
            // A menu entry as the sender: a hide by the user ends measuring.
            ShowHide(Sender::Show1);
            return true;
        case Action::Quit:
            // Posted, so the window closes after the current event.
            ports_.desktop.PostClose();
            return true;
    }
    return false;
}

}  // namespace pixolet

// An action asked for by name from outside the program. It runs under the
// rules of its shortcut: nothing acts while the properties dialog is open,
// the readout's own actions act only while it is shown, show/hide not while
// the readout window is the active one. The one addition is the copy of a
// hidden readout, which has no current colour of its own: it copies the
// colour under the pointer, read there and then (averaged over the sample
// area, as the readout would show it).
#include <algorithm>
#include <array>

#include "actions/action_table.h"
#include "readout/area_sample.h"
#include "readout/magnifier.h"
#include "readout/readout_window.h"

namespace pixolet {

ActionOutcome TfrmPixoletMain::RunAction(Action action) {
    if (PropertiesDialog != nullptr) return ActionOutcome::PropertiesOpen;
    if (EntryOf(action).needsReadout && !ports_.view.IsVisible()) {
        if (action != Action::Copy) return ActionOutcome::ReadoutHidden;
        return CopyColorAtPointer() ? ActionOutcome::Done : ActionOutcome::NotDone;
    }
    if (action == Action::ShowHide && ports_.desktop.IsReadoutActive())
        return ActionOutcome::NotDone;
    return PerformAction(action) ? ActionOutcome::Done : ActionOutcome::NotDone;
}

bool TfrmPixoletMain::CopyColorAtPointer() {
    // Where the platform knows no live position (a Wayland desktop between
    // pick sessions), CursorPos is the last one it saw.
    const ScreenPoint at = ports_.screen.CursorPos();
    // The colour the readout would show there: the mean of the sample area.
    const int size = std::clamp(settings.SampleSize, 1, kSampleSizes[std::size(kSampleSizes) - 1]);
    const int radius = size / 2;
    std::vector<Colour> block(static_cast<std::size_t>((2 * radius + 1) * (2 * radius + 1)));
    ports_.screen.ReadBlock(
        Rect{at.x - radius, at.y - radius, at.x + radius + 1, at.y + radius + 1}, block.data());
    return CopyColour(SampleMean(block.data(), radius, size));
}

}  // namespace pixolet

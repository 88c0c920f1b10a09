#include "actions/dialog_paste.h"

#include "actions/colour_dialog_shape.h"

namespace pixolet {
namespace {

bool RunSteps(AccessibilityPort& port, const std::vector<ColourDialogStep>& steps,
              const DialogPasteWaits& waits) {
    for (const ColourDialogStep& step : steps) {
        if (waits.stopping && waits.stopping()) return false;
        const bool done = step.kind == ColourDialogStep::Kind::SetText
                              ? port.SetText(step.node, step.text)
                              : port.DoAction(step.node, step.text);
        if (!done) return false;
    }
    return true;
}

bool WaitUntilShowing(AccessibilityPort& port, int node, const DialogPasteWaits& waits) {
    for (int poll = 0; poll < kEditorPolls; ++poll) {
        if (waits.stopping && waits.stopping()) return false;
        if (port.IsShowing(node)) return true;
        if (waits.sleep) waits.sleep(kEditorPollInterval);
    }
    return false;
}

}  // namespace

DialogPasteOutcome PasteIntoDialog(AccessibilityPort& port, const DialogPasteJob& job,
                                   const DialogPasteWaits& waits) {
    std::optional<AccessibleTree> tree = port.ReadActiveWindow(job.processId);
    if (!tree) return DialogPasteOutcome::Unreachable;
    ColourDialogPlan plan = PlanColourDialogPaste(*tree, job.colour);
    if (plan.kind == ColourDialogPlan::Kind::None) return DialogPasteOutcome::NotAColourDialog;

    if (plan.kind == ColourDialogPlan::Kind::OpenEditor) {
        // The palette view: open the editor as the "+" does, wait until it
        // shows, and read the window again, now with the editor open.
        if (!RunSteps(port, plan.steps, waits) || !WaitUntilShowing(port, plan.waitForNode, waits))
            return DialogPasteOutcome::Failed;
        tree = port.ReadActiveWindow(job.processId);
        if (!tree) return DialogPasteOutcome::Failed;
        plan = PlanColourDialogPaste(*tree, job.colour);
        if (plan.kind != ColourDialogPlan::Kind::HexEditor) return DialogPasteOutcome::Failed;
    }
    return RunSteps(port, plan.steps, waits) ? DialogPasteOutcome::Sent
                                             : DialogPasteOutcome::Failed;
}

}  // namespace pixolet

// Typing a colour into the colour dialog of another program through its
// accessible tree. Runs on the accessibility worker thread: every port call
// may block until the other program answers or times out.
#pragma once

#include <chrono>
#include <functional>

#include "ports/accessibility_port.h"
#include "ports/types.h"

namespace pixolet {

struct DialogPasteJob {
    int processId = 0;  // the program whose active window is the dialog
    Colour colour = kBlack;
};

enum class DialogPasteOutcome {
    Sent,              // the dialog took the colour
    NotAColourDialog,  // the window was read but has no colour editor
    Unreachable,       // no accessibility, no such window, or no answer in time
    Failed,            // a colour dialog that refused a step or stopped answering
};

struct DialogPasteWaits {
    // Waits between checks whether the GTK editor has opened.
    std::function<void(std::chrono::milliseconds)> sleep;
    // True when the program is ending: stop between calls.
    std::function<bool()> stopping;
};

// How long the GTK chooser may take to show its editor after the "+".
inline constexpr std::chrono::milliseconds kEditorPollInterval{10};
inline constexpr int kEditorPolls = 100;

DialogPasteOutcome PasteIntoDialog(AccessibilityPort& port, const DialogPasteJob& job,
                                   const DialogPasteWaits& waits);

}  // namespace pixolet

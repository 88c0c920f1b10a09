// Toolkit colour dialogs recognised by the shape of their accessible tree,
// never by names or titles (those are translated), and what to do to type a
// colour into them.
#pragma once

#include <string>
#include <vector>

#include "ports/accessibility_port.h"
#include "ports/types.h"

namespace pixolet {

struct ColourDialogStep {
    enum class Kind { SetText, Action };
    Kind kind = Kind::SetText;
    int node = -1;
    std::string text;  // the text to set, or the action's name
    friend bool operator==(const ColourDialogStep&, const ColourDialogStep&) = default;
};

struct ColourDialogPlan {
    enum class Kind {
        None,        // no colour dialog: nothing to do
        Fields,      // red, green and blue fields (Qt's QColorDialog)
        HexEditor,   // a hex entry taken by its activate action (GTK 3's chooser)
        OpenEditor,  // GTK 3's chooser in its palette view: open the editor first
    };
    Kind kind = Kind::None;
    // Fields and HexEditor: the steps in order. OpenEditor: the action that
    // opens the editor.
    std::vector<ColourDialogStep> steps;
    // OpenEditor: the hex entry, which shows once the editor is open.
    int waitForNode = -1;
};

ColourDialogPlan PlanColourDialogPaste(const AccessibleTree& tree, Colour colour);

// "#RRGGBB" in upper-case hexadecimal.
std::string HexColourText(Colour colour);

}  // namespace pixolet

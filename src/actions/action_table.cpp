#include "actions/action_table.h"

namespace pixolet {

namespace {

constexpr std::array<ActionEntry, kActionCount> kActions = {{
    {Action::Copy, "copy", "Copy the colour to the clipboard", &Settings::HotkeyCopyColor, true},
    {Action::Paste, "paste", "Paste the copied colour into a colour dialog",
     &Settings::HotkeyPasteColor, false},
    {Action::FreezeWindow, "freeze-window", "Freeze/unfreeze the readout window",
     &Settings::HotkeyFreezeWindow, true},
    {Action::FreezeColour, "freeze-colour", "Freeze/unfreeze the colour",
     &Settings::HotkeyFreezeColor, true},
    {Action::Measure, "measure", "Measuring mode on/off", &Settings::HotkeyMeasure, true},
    {Action::AddPoint, "add-point", "Add a measuring point", &Settings::HotkeyAddPoint, true},
    {Action::ResetPoints, "reset-points", "Reset the measuring points",
     &Settings::HotkeyResetPoints, true},
    {Action::ShowHide, "show-hide", "Show/hide the readout window", &Settings::HotkeyShowHide,
     false},
    {Action::Quit, "quit", "Quit", &Settings::HotkeyQuit, false},
}};

// The table is indexed by the enum: each entry sits at its own action's place.
constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kActions.size(); ++i)
        if (static_cast<std::size_t>(kActions[i].action) != i) return false;
    return true;
}
static_assert(InEnumOrder());

}  // namespace

const std::array<ActionEntry, kActionCount>& ActionTable() {
    return kActions;
}

const ActionEntry& EntryOf(Action action) {
    return kActions[static_cast<std::size_t>(action)];
}

const char* ActionName(Action action) {
    return EntryOf(action).name;
}

std::optional<Action> ActionNamed(std::string_view name) {
    for (const ActionEntry& entry : kActions)
        if (name == entry.name) return entry.action;
    return std::nullopt;
}

std::string ActionNames(std::string_view separator) {
    std::string names;
    for (const ActionEntry& entry : kActions) {
        if (!names.empty()) names += separator;
        names += entry.name;
    }
    return names;
}

}  // namespace pixolet

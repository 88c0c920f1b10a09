// The nine actions a user can start: by a configured shortcut, or by name
// from outside the program ("pixolet --action copy"). One table gives each
// its name, its description and the shortcut field that starts it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ports/shortcut.h"
#include "settings/settings.h"

namespace pixolet {

// In the order the properties dialog lists their shortcuts.
enum class Action {
    Copy,
    Paste,
    FreezeWindow,
    FreezeColour,
    Measure,
    AddPoint,
    ResetPoints,
    ShowHide,
    Quit,
};

struct ActionEntry {
    Action action;
    // The name on the command line: lower case, words joined by '-'.
    const char* name;
    // One line for the usage text.
    const char* description;
    Shortcut Settings::*hotkey;
    // Acts on the readout window, so only while it is shown (the shortcut
    // dispatch's first group).
    bool needsReadout;
};

inline constexpr std::size_t kActionCount = 9;

const std::array<ActionEntry, kActionCount>& ActionTable();
const ActionEntry& EntryOf(Action action);
const char* ActionName(Action action);
// Exact, case-sensitive match of a table name.
std::optional<Action> ActionNamed(std::string_view name);
// Every name in table order, joined by `separator`.
std::string ActionNames(std::string_view separator);

// What the readout window did with an action asked for by name.
enum class ActionOutcome {
    Done,
    // It acts on the readout window, which is hidden.
    ReadoutHidden,
    // Nothing acts while the properties dialog is open.
    PropertiesOpen,
    // The action could not act: no colour dialog to paste into, a clipboard
    // held by another program, the readout window itself active.
    NotDone,
};

}  // namespace pixolet

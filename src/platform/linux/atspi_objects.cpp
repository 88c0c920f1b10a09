#include "platform/linux/atspi_objects.h"

namespace pixolet::linux_common {

AccessibleRole RoleOf(AtspiRole role) {
    switch (role) {
        case ATSPI_ROLE_DIALOG:
            return AccessibleRole::Dialog;
        case ATSPI_ROLE_SPIN_BUTTON:
            return AccessibleRole::SpinButton;
        case ATSPI_ROLE_TEXT:
        case ATSPI_ROLE_ENTRY:
            return AccessibleRole::Text;
        case ATSPI_ROLE_PUSH_BUTTON:
            return AccessibleRole::PushButton;
        case ATSPI_ROLE_COLOR_CHOOSER:
            return AccessibleRole::ColourChooser;
        default:
            return AccessibleRole::Other;
    }
}

bool HasState(AtspiAccessible* object, AtspiStateType state) {
    GRef<AtspiStateSet> states(atspi_accessible_get_state_set(object));
    return states && atspi_state_set_contains(states.get(), state);
}

std::vector<std::string> ActionNames(AtspiAccessible* object) {
    std::vector<std::string> names;
    GRef<AtspiAction> action(atspi_accessible_get_action_iface(object));
    if (!action) return names;
    CallError countError;
    const gint count = atspi_action_get_n_actions(action.get(), countError.out());
    for (gint i = 0; !countError.failed() && i < count && i < 16; ++i) {
        CallError nameError;
        OwnedText name(atspi_action_get_action_name(action.get(), i, nameError.out()));
        names.emplace_back(name ? name.get() : "");
    }
    return names;
}

}  // namespace pixolet::linux_common

#include "app/action_switch.h"

#include <string_view>

namespace pixolet {

namespace {

ActionSwitch UsageError(const std::string& what) {
    ActionSwitch result;
    result.kind = ActionSwitch::Kind::UsageError;
    result.error = "pixolet: " + what + "; the actions are: " + ActionNames(", ");
    return result;
}

}  // namespace

ActionSwitch ActionSwitchOf(const std::vector<std::string>& args) {
    if (args.empty()) return {};
    const std::string_view first = args.front();
    const std::string joined = std::string(kActionSwitch) + "=";
    std::string name;
    std::size_t used = 1;
    if (first == kActionSwitch) {
        if (args.size() < 2) return UsageError("--action needs the name of an action");
        name = args[1];
        used = 2;
    } else if (first.starts_with(joined)) {
        name = first.substr(joined.size());
    } else {
        return {};
    }
    if (name.empty()) return UsageError("--action needs the name of an action");
    const auto action = ActionNamed(name);
    if (!action) return UsageError("unknown action \"" + name + "\"");
    if (args.size() > used)
        return UsageError("--action takes one name, \"" + args[used] + "\" is one too many");
    ActionSwitch result;
    result.kind = ActionSwitch::Kind::Send;
    result.action = *action;
    return result;
}

}  // namespace pixolet

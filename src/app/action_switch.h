// "--action NAME" on the command line: the program does not start, it asks
// the running one to run the named action and ends. Like the other switches
// it counts only as the first argument; "--action=NAME" is the same.
#pragma once

#include <string>
#include <vector>

#include "actions/action_table.h"

namespace pixolet {

inline constexpr char kActionSwitch[] = "--action";
// The exit code of a command line that cannot be run as given.
inline constexpr int kUsageErrorExit = 2;

struct ActionSwitch {
    enum class Kind {
        None,        // no action switch: the program starts as usual
        Send,        // send `action` to the running program
        UsageError,  // `error` says what is wrong and lists the names
    };
    Kind kind = Kind::None;
    Action action = Action::Copy;
    std::string error;
};

// `args` are the command-line arguments without the program name.
ActionSwitch ActionSwitchOf(const std::vector<std::string>& args);

}  // namespace pixolet

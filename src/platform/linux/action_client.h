// The sending side of "pixolet --action NAME": a short-lived process that
// hands one action to the user's running Pixolet and reports how it ended.
// It needs no display and starts no toolkit.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "actions/action_protocol.h"

namespace pixolet::linux_common {

// How long the client waits for the running program's reply: long enough
// for a program that is still starting or busy painting.
inline constexpr std::chrono::milliseconds kActionReplyTimeout{5000};

// Sends `action` and waits up to `timeout` for the reply.
ActionReply SendAction(Action action, std::chrono::milliseconds timeout = kActionReplyTimeout);

// The whole "--action" command line: when `args` (without the program name)
// start with the action switch, runs it, writes the one line of a usage
// error or of an action not done on standard error, and returns the exit
// code; none for any other command line.
std::optional<int> RunActionCommandLine(const std::vector<std::string>& args);

}  // namespace pixolet::linux_common

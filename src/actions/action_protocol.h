// The conversation between "pixolet --action NAME" and the running program:
// the client sends one request line, the program answers with one reply
// line and closes. Lines are short ASCII text ending in a line feed, so a
// person can also talk to the program by hand.
//
//   request: "action copy\n"
//   reply:   "done\n", or a word that says why nothing was done
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "actions/action_table.h"

namespace pixolet {

// The longest request line the program reads, line feed included; anything
// longer is refused without reading on.
inline constexpr std::size_t kMaxRequestLine = 64;

// How an action asked for by name ended, as the client learns it.
enum class ActionReply {
    // The program's answers: its ActionOutcome ...
    Done,
    ReadoutHidden,
    PropertiesOpen,
    NotDone,
    // ... or a refusal of the request itself.
    UnknownAction,
    BadRequest,
    // What the client finds out by itself.
    NoInstance,
    NoAnswer,
    UnreadableReply,
};

// "action NAME" and a line feed.
std::string RequestLine(Action action);

// A request line without its line feed: the action it names, or the reply
// that refuses it (UnknownAction for a well-formed request of a name the
// program does not know, BadRequest for anything else).
struct ParsedRequest {
    std::optional<Action> action;
    ActionReply refusal = ActionReply::BadRequest;
};
ParsedRequest ParseRequestLine(std::string_view line);

ActionReply ReplyFor(ActionOutcome outcome);

// The reply's word and a line feed; only the program's answers have one.
std::string ReplyLine(ActionReply reply);
// A reply line without its line feed; UnreadableReply for anything else.
ActionReply ParseReplyLine(std::string_view line);

// The client's exit code: 0 when the action was done, 1 otherwise.
int ClientExitCode(ActionReply reply);
// The one line the client writes on standard error when the action was not
// done (without a line feed); empty when it was.
std::string ClientMessage(Action action, ActionReply reply);

}  // namespace pixolet

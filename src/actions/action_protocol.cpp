#include "actions/action_protocol.h"

#include <array>

namespace pixolet {

namespace {

constexpr std::string_view kRequestVerb = "action ";

struct ReplyWord {
    ActionReply reply;
    std::string_view word;
};

constexpr std::array<ReplyWord, 6> kReplyWords = {{
    {ActionReply::Done, "done"},
    {ActionReply::ReadoutHidden, "hidden"},
    {ActionReply::PropertiesOpen, "properties-open"},
    {ActionReply::NotDone, "not-done"},
    {ActionReply::UnknownAction, "unknown-action"},
    {ActionReply::BadRequest, "bad-request"},
}};

// Visible ASCII and the blank: what a request line may hold.
bool IsPlainText(std::string_view text) {
    for (const char c : text)
        if (c < ' ' || c > '~') return false;
    return true;
}

// Why an action the program took could not act, by action.
std::string NotDoneReason(Action action) {
    switch (action) {
        case Action::Copy:
            return "the clipboard could not be set";
        case Action::Paste:
            return "the active window is no colour dialog that takes the colour";
        case Action::ShowHide:
            return "the readout window is the active window";
        default:
            return "it could not act";
    }
}

}  // namespace

std::string RequestLine(Action action) {
    return std::string(kRequestVerb) + ActionName(action) + "\n";
}

ParsedRequest ParseRequestLine(std::string_view line) {
    if (!line.starts_with(kRequestVerb) || !IsPlainText(line)) return {};
    const std::string_view name = line.substr(kRequestVerb.size());
    if (const auto action = ActionNamed(name)) return {action, ActionReply::Done};
    // A name of letters and dashes is a request of a newer client.
    const bool wellFormed =
        !name.empty() && name.find_first_not_of("abcdefghijklmnopqrstuvwxyz-") == name.npos;
    return {std::nullopt, wellFormed ? ActionReply::UnknownAction : ActionReply::BadRequest};
}

ActionReply ReplyFor(ActionOutcome outcome) {
    switch (outcome) {
        case ActionOutcome::Done:
            return ActionReply::Done;
        case ActionOutcome::ReadoutHidden:
            return ActionReply::ReadoutHidden;
        case ActionOutcome::PropertiesOpen:
            return ActionReply::PropertiesOpen;
        case ActionOutcome::NotDone:
            break;
    }
    return ActionReply::NotDone;
}

std::string ReplyLine(ActionReply reply) {
    for (const ReplyWord& entry : kReplyWords)
        if (entry.reply == reply) return std::string(entry.word) + "\n";
    return {};
}

ActionReply ParseReplyLine(std::string_view line) {
    for (const ReplyWord& entry : kReplyWords)
        if (entry.word == line) return entry.reply;
    return ActionReply::UnreadableReply;
}

int ClientExitCode(ActionReply reply) {
    return reply == ActionReply::Done ? 0 : 1;
}

std::string ClientMessage(Action action, ActionReply reply) {
    const std::string head = std::string("pixolet: --action ") + ActionName(action) + ": ";
    switch (reply) {
        case ActionReply::Done:
            return {};
        case ActionReply::ReadoutHidden:
            return head + "not done, the readout window is hidden";
        case ActionReply::PropertiesOpen:
            return head + "not done while the properties dialog is open";
        case ActionReply::NotDone:
            return head + "not done, " + NotDoneReason(action);
        case ActionReply::UnknownAction:
            return head + "the running Pixolet does not know this action";
        case ActionReply::BadRequest:
            return head + "the running Pixolet refused the request";
        case ActionReply::NoInstance:
            return head + "Pixolet is not running";
        case ActionReply::NoAnswer:
            return head + "the running Pixolet did not answer";
        case ActionReply::UnreadableReply:
            break;
    }
    return head + "the running Pixolet gave an answer this one does not understand";
}

}  // namespace pixolet

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "actions/action_protocol.h"
#include "actions/action_table.h"
#include "settings/settings.h"

namespace pixolet {
namespace {

TEST(ActionTable, NamesAreUniqueAndFoundExactly) {
    std::set<std::string> names;
    for (const ActionEntry& entry : ActionTable()) {
        names.insert(entry.name);
        for (const ActionEntry& other : ActionTable())
            EXPECT_TRUE(&other == &entry || other.hotkey != entry.hotkey) << entry.name;
        EXPECT_EQ(ActionNamed(entry.name), entry.action);
        EXPECT_EQ(&EntryOf(entry.action), &entry);
    }
    EXPECT_EQ(names.size(), kActionCount);
    EXPECT_EQ(ActionNames(", "),
              "copy, paste, freeze-window, freeze-colour, measure, add-point, reset-points, "
              "show-hide, quit");
    for (const char* other :
         {"", "Copy", "COPY", " copy", "copy ", "freeze_window", "freeze-color", "show", "copy\n"})
        EXPECT_FALSE(ActionNamed(other)) << other;
}

TEST(ActionProtocol, RequestLines) {
    for (const ActionEntry& entry : ActionTable()) {
        std::string line = RequestLine(entry.action);
        ASSERT_EQ(line.back(), '\n');
        EXPECT_LE(line.size(), kMaxRequestLine);
        line.pop_back();
        EXPECT_EQ(ParseRequestLine(line).action, entry.action) << line;
    }
    const struct {
        std::string line;
        ActionReply refusal;
    } refused[] = {
        {"", ActionReply::BadRequest},
        {"copy", ActionReply::BadRequest},
        {"action", ActionReply::BadRequest},
        {"action ", ActionReply::BadRequest},
        {"action  copy", ActionReply::BadRequest},
        {"action copy\r", ActionReply::BadRequest},
        {"ACTION copy", ActionReply::BadRequest},
        {"action Copy", ActionReply::BadRequest},
        {"action copy quit", ActionReply::BadRequest},
        {std::string("action copy\0", 12), ActionReply::BadRequest},
        {"action \xE2\x80\x94", ActionReply::BadRequest},
        {"action rainbow", ActionReply::UnknownAction},
        {"action freeze-everything", ActionReply::UnknownAction},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.line);
        const ParsedRequest parsed = ParseRequestLine(c.line);
        EXPECT_FALSE(parsed.action);
        EXPECT_EQ(parsed.refusal, c.refusal);
    }
}

TEST(ActionProtocol, RepliesTravelAndTellTheClientWhatHappened) {
    const ActionReply answers[] = {ActionReply::Done,           ActionReply::ReadoutHidden,
                                   ActionReply::PropertiesOpen, ActionReply::NotDone,
                                   ActionReply::UnknownAction,  ActionReply::BadRequest};
    for (const ActionReply reply : answers) {
        std::string line = ReplyLine(reply);
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\n');
        line.pop_back();
        EXPECT_EQ(ParseReplyLine(line), reply) << line;
    }
    for (const char* garbled : {"", "ok", "done ", "DONE", "done\r"})
        EXPECT_EQ(ParseReplyLine(garbled), ActionReply::UnreadableReply) << garbled;

    EXPECT_EQ(ReplyFor(ActionOutcome::Done), ActionReply::Done);
    EXPECT_EQ(ReplyFor(ActionOutcome::ReadoutHidden), ActionReply::ReadoutHidden);
    EXPECT_EQ(ReplyFor(ActionOutcome::PropertiesOpen), ActionReply::PropertiesOpen);
    EXPECT_EQ(ReplyFor(ActionOutcome::NotDone), ActionReply::NotDone);

    const ActionReply all[] = {
        ActionReply::Done,       ActionReply::ReadoutHidden, ActionReply::PropertiesOpen,
        ActionReply::NotDone,    ActionReply::UnknownAction, ActionReply::BadRequest,
        ActionReply::NoInstance, ActionReply::NoAnswer,      ActionReply::UnreadableReply};
    for (const ActionEntry& entry : ActionTable()) {
        for (const ActionReply reply : all) {
            const std::string message = ClientMessage(entry.action, reply);
            SCOPED_TRACE(message);
            if (reply == ActionReply::Done) {
                EXPECT_EQ(ClientExitCode(reply), 0);
                EXPECT_TRUE(message.empty());
                continue;
            }
            EXPECT_NE(ClientExitCode(reply), 0);
            // One line that names the action.
            EXPECT_TRUE(message.starts_with(std::string("pixolet: --action ") + entry.name + ": "));
            EXPECT_EQ(message.find('\n'), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace pixolet

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/action_switch.h"
#include "app/start_sequence.h"
#include "app/usage.h"

namespace pixolet {
namespace {

TEST(ActionSwitch, NamesAnActionAsTheFirstArgumentOnly) {
    const struct {
        std::vector<std::string> args;
        ActionSwitch::Kind kind;
        Action action;
    } cases[] = {
        {{"--action", "copy"}, ActionSwitch::Kind::Send, Action::Copy},
        {{"--action", "show-hide"}, ActionSwitch::Kind::Send, Action::ShowHide},
        {{"--action=quit"}, ActionSwitch::Kind::Send, Action::Quit},
        {{"--action=freeze-colour"}, ActionSwitch::Kind::Send, Action::FreezeColour},
        {{}, ActionSwitch::Kind::None, Action::Copy},
        {{"\\NOSPLASH", "--action", "copy"}, ActionSwitch::Kind::None, Action::Copy},
        {{"--ACTION", "copy"}, ActionSwitch::Kind::None, Action::Copy},
        {{"--actions", "copy"}, ActionSwitch::Kind::None, Action::Copy},
        {{"--help", "--action", "copy"}, ActionSwitch::Kind::None, Action::Copy},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ActionSwitch parsed = ActionSwitchOf(c.args);
        EXPECT_EQ(parsed.kind, c.kind);
        if (c.kind == ActionSwitch::Kind::Send) {
            EXPECT_EQ(parsed.action, c.action);
        }
        EXPECT_TRUE(parsed.error.empty());
    }
}

TEST(ActionSwitch, AWrongNameIsAUsageErrorThatListsTheNames) {
    const std::vector<std::string> wrong[] = {
        {"--action"},
        {"--action", ""},
        {"--action="},
        {"--action", "COPY"},
        {"--action", "rainbow"},
        {"--action=freeze"},
        {"--action", "copy", "quit"},
        {"--action=copy", "\\NOSPLASH"},
        {"--action", "--help"},
    };
    for (const auto& args : wrong) {
        SCOPED_TRACE(testing::PrintToString(args));
        const ActionSwitch parsed = ActionSwitchOf(args);
        EXPECT_EQ(parsed.kind, ActionSwitch::Kind::UsageError);
        EXPECT_TRUE(parsed.error.starts_with("pixolet: ")) << parsed.error;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
        for (const ActionEntry& entry : ActionTable())
            EXPECT_NE(parsed.error.find(entry.name), std::string::npos) << entry.name;
    }
    EXPECT_NE(kUsageErrorExit, 0);
}

TEST(ActionSwitch, UsageTextListsTheSwitchAndEveryName) {
    const std::string text = UsageText("S", "A");
    EXPECT_NE(text.find("--action NAME"), std::string::npos);
    for (const ActionEntry& entry : ActionTable())
        EXPECT_NE(text.find(std::string("\n  ") + entry.name + " "), std::string::npos)
            << entry.name;
    // The action switch leaves the splash switch's rule alone.
    EXPECT_TRUE(SplashWanted({"--action", "copy"}));
}

}  // namespace
}  // namespace pixolet

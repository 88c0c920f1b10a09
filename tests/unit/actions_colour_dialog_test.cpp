#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_environment.h"

namespace pixolet {
namespace {

using Writes = std::vector<std::pair<int, std::string>>;

TEST(SendColorToDialog, RecognisesStandardDialogsByTheFirstSixCharacters) {
    const struct {
        std::string className;
        bool accepted;
    } cases[] = {
        {"#32770", true},
        {"#32770x", true},
        {"#32770" + std::string(200, 'z'), true},
        {"#3277", false},
        {"", false},
        {" #32770", false},
        {"#32771", false},
        {std::string("#3277\0", 6), false},
        {"Qt6QWindowIcon", false},
    };
    for (const auto& c : cases) {
        fakes::FakeEnvironment env;
        env.colourDialog.activeClass = c.className;
        EXPECT_EQ(env.window.SendColorToDialog(), c.accepted) << '"' << c.className << '"';
        EXPECT_EQ(env.colourDialog.fieldWrites.size(), c.accepted ? 3u : 0u);
    }
}

TEST(SendColorToDialog, NoActiveWindowSendsNothing) {
    fakes::FakeEnvironment env;
    EXPECT_FALSE(env.window.SendColorToDialog());
    EXPECT_TRUE(env.colourDialog.fieldWrites.empty());
}

TEST(SendColorToDialog, WritesRedGreenBlueOfTheCopiedColour) {
    fakes::FakeEnvironment env;
    env.colourDialog.activeClass = "#32770";
    // Before any copy the copied colour is black.
    env.window.CurrentColor = MakeColour(200, 100, 50);
    EXPECT_TRUE(env.window.SendColorToDialog());
    EXPECT_EQ(env.colourDialog.fieldWrites, (Writes{{706, "0"}, {707, "0"}, {708, "0"}}));

    env.colourDialog.fieldWrites.clear();
    env.window.CopiedColor = MakeColour(18, 52, 255);
    EXPECT_TRUE(env.window.SendColorToDialog());
    EXPECT_EQ(env.colourDialog.fieldWrites, (Writes{{706, "18"}, {707, "52"}, {708, "255"}}));
}

}  // namespace
}  // namespace pixolet

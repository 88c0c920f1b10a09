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

TEST(SendColorToDialog, OtherDialogBoxesAreHandedToTheToolkitPath) {
    fakes::FakeEnvironment env;
    env.window.CopiedColor = MakeColour(18, 52, 86);

    // An ordinary window of another program: not handled, nothing sent.
    env.colourDialog.activeClass = "Gimp";
    EXPECT_FALSE(env.window.SendColorToDialog());
    EXPECT_TRUE(env.colourDialog.toolkitPastes.empty());

    // A toolkit's dialog box takes the copied colour, not the tracked one.
    env.colourDialog.toolkitDialogActive = true;
    env.window.CurrentColor = MakeColour(1, 2, 3);
    EXPECT_TRUE(env.window.SendColorToDialog());
    EXPECT_EQ(env.colourDialog.toolkitPastes, std::vector<Colour>{MakeColour(18, 52, 86)});
    EXPECT_TRUE(env.colourDialog.fieldWrites.empty());

    // A standard dialog is written through its fields and never handed on.
    env.colourDialog.activeClass = "#32770";
    EXPECT_TRUE(env.window.SendColorToDialog());
    EXPECT_EQ(env.colourDialog.fieldWrites.size(), 3u);
    EXPECT_EQ(env.colourDialog.toolkitPastes.size(), 1u);

    // No active window at all: nothing is asked of either path.
    env.colourDialog.activeClass.reset();
    EXPECT_FALSE(env.window.SendColorToDialog());
    EXPECT_EQ(env.colourDialog.toolkitPastes.size(), 1u);
}

}  // namespace
}  // namespace pixolet

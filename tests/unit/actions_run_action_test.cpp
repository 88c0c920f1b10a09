#include <gtest/gtest.h>

#include "actions/action_table.h"
#include "fakes/fake_environment.h"
#include "measure/meas_points.h"

namespace pixolet {
namespace {

constexpr Colour kNavy = MakeColour(18, 52, 86);
constexpr Colour kUnderPointer = MakeColour(255, 128, 5);

// Everything an action can change, for comparing before and after.
struct Snapshot {
    std::string clipboard;
    Colour copied;
    bool follow;
    bool track;
    bool measuring;
    std::size_t points;
    bool visible;
    int closes;
    std::size_t dialogWrites;

    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot Take(const fakes::FakeEnvironment& env) {
    const TfrmPixoletMain& w = env.window;
    return {env.clipboard.text,
            w.CopiedColor,
            w.FollowPointer,
            w.TrackColor,
            w.MeasuringMode,
            w.MeasurePoints ? w.MeasurePoints->Items().size() : 0,
            env.view.visible,
            env.desktop.closesPosted,
            env.colourDialog.fieldWrites.size()};
}

// A readout showing the navy colour while the pointer rests on another.
void Prepare(fakes::FakeEnvironment& env, bool shown) {
    env.screen.colourAt = [](int, int) { return kUnderPointer; };
    if (shown) env.window.ShowHide(Sender::Window);
    env.window.CurrentColor = kNavy;
}

TEST(RunAction, ActsAsItsShortcutWouldWhileTheReadoutShows) {
    for (const ActionEntry& entry : ActionTable()) {
        SCOPED_TRACE(entry.name);
        fakes::FakeEnvironment env;
        env.colourDialog.activeClass = "#32770";
        Prepare(env, true);
        const Snapshot before = Take(env);
        EXPECT_EQ(env.window.RunAction(entry.action), ActionOutcome::Done);
        Snapshot expected = before;
        switch (entry.action) {
            case Action::Copy:
                expected.clipboard = "#123456";  // the readout's colour, not a new sample
                expected.copied = kNavy;
                break;
            case Action::Paste:
                expected.dialogWrites = 3;
                break;
            case Action::FreezeWindow:
                expected.follow = false;
                break;
            case Action::FreezeColour:
                expected.track = false;
                break;
            case Action::Measure:
                expected.measuring = true;
                break;
            case Action::AddPoint:  // clicks add points: taken, nothing added
            case Action::ResetPoints:
                break;
            case Action::ShowHide:
                expected.visible = false;
                break;
            case Action::Quit:
                expected.closes = 1;
                break;
        }
        EXPECT_EQ(Take(env), expected);
        // Quitting is posted, never done inside the request.
        EXPECT_EQ(env.desktop.terminations, 0);
    }
}

TEST(RunAction, HiddenReadoutRefusesItsOwnActionsButCopiesThePointersColour) {
    for (const ActionEntry& entry : ActionTable()) {
        SCOPED_TRACE(entry.name);
        fakes::FakeEnvironment env;
        env.colourDialog.activeClass = "#32770";
        Prepare(env, false);
        env.screen.cursor = {300, 200};
        const Snapshot before = Take(env);
        const ActionOutcome outcome = env.window.RunAction(entry.action);
        if (entry.action == Action::Copy) {
            EXPECT_EQ(outcome, ActionOutcome::Done);
            EXPECT_EQ(env.clipboard.text, "#FF80 5");
            EXPECT_EQ(env.window.CopiedColor, kUnderPointer);
            // One pixel, read where the pointer is; the readout keeps its colour.
            EXPECT_EQ(env.screen.lastBlock, (Rect{300, 200, 301, 201}));
            EXPECT_EQ(env.window.CurrentColor, kNavy);
        } else if (entry.needsReadout) {
            EXPECT_EQ(outcome, ActionOutcome::ReadoutHidden);
            EXPECT_EQ(Take(env), before);
        } else {
            EXPECT_EQ(outcome, ActionOutcome::Done);
            EXPECT_NE(Take(env), before);
        }
    }
}

TEST(RunAction, HiddenReadoutsCopyTakesTheAreaSample) {
    fakes::FakeEnvironment env;
    // White where x + y is even: 3 x 3 around a white pixel is 5 of 9 white.
    env.screen.colourAt = [](int x, int y) { return (x + y) % 2 == 0 ? kWhite : kBlack; };
    env.screen.cursor = {300, 200};
    env.window.settings.SampleSize = 3;
    env.window.settings.ClipboardFormat = 5;
    EXPECT_EQ(env.window.RunAction(Action::Copy), ActionOutcome::Done);
    EXPECT_EQ(env.clipboard.text, "#8E8E8E");
    EXPECT_EQ(env.screen.lastBlock, (Rect{299, 199, 302, 202}));
}

TEST(RunAction, HiddenCopyAveragesTheSampleAreaAsTheReadoutWould) {
    fakes::FakeEnvironment env;
    // Red rises by 10 a column: the 3 by 3 mean is the middle column's.
    env.screen.colourAt = [](int x, int) {
        return MakeColour(static_cast<std::uint8_t>(x * 10), 52, 86);
    };
    env.screen.cursor = {2, 7};
    env.window.settings.SampleSize = 3;
    EXPECT_EQ(env.window.RunAction(Action::Copy), ActionOutcome::Done);
    EXPECT_EQ(env.screen.lastBlock, (Rect{1, 6, 4, 9}));
    EXPECT_EQ(env.clipboard.text, "#143456");
}

TEST(RunAction, NothingActsWhileThePropertiesDialogIsOpen) {
    for (const bool shown : {false, true}) {
        for (const ActionEntry& entry : ActionTable()) {
            SCOPED_TRACE(std::string(entry.name) + (shown ? " shown" : " hidden"));
            fakes::FakeEnvironment env;
            env.colourDialog.activeClass = "#32770";
            Prepare(env, shown);
            int dialog = 0;
            env.window.PropertiesDialog = reinterpret_cast<TfrmProp*>(&dialog);
            const Snapshot before = Take(env);
            EXPECT_EQ(env.window.RunAction(entry.action), ActionOutcome::PropertiesOpen);
            EXPECT_EQ(Take(env), before);
            env.window.PropertiesDialog = nullptr;
        }
    }
}

TEST(RunAction, ActionsThatCannotActSaySo) {
    {
        SCOPED_TRACE("copy into a clipboard held by another program");
        for (const bool shown : {false, true}) {
            fakes::FakeEnvironment env;
            Prepare(env, shown);
            env.clipboard.refuse = true;
            EXPECT_EQ(env.window.RunAction(Action::Copy), ActionOutcome::NotDone);
            EXPECT_EQ(env.window.CopiedColor, 0u);
        }
    }
    {
        SCOPED_TRACE("paste with no colour dialog active");
        fakes::FakeEnvironment env;
        Prepare(env, true);
        EXPECT_EQ(env.window.RunAction(Action::Paste), ActionOutcome::NotDone);
    }
    {
        SCOPED_TRACE("show/hide while the readout window is the active one");
        fakes::FakeEnvironment env;
        Prepare(env, true);
        env.desktop.readoutActive = true;
        EXPECT_EQ(env.window.RunAction(Action::ShowHide), ActionOutcome::NotDone);
        EXPECT_TRUE(env.view.visible);
    }
}

}  // namespace
}  // namespace pixolet

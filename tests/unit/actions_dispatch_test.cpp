#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "ports/shortcut.h"
#include "fakes/fake_environment.h"
#include "measure/meas_points.h"

namespace pixolet {
namespace {

constexpr int kF9 = 0x78;
constexpr int kC = 0x43;
constexpr int kV = 0x56;
constexpr Shortcut kCtrlC = kShortcutCtrl | kC;
constexpr Shortcut kCtrlV = kShortcutCtrl | kV;

// What a dispatch did, as seen from outside; Several when more than one.
enum class Effect {
    None,
    Copy,
    FreezeWindow,
    FreezeColour,
    Measure,
    Paste,
    ShowHide,
    Quit,
    Several
};

Effect Observe(const fakes::FakeEnvironment& env, bool wasVisible) {
    const TfrmPixoletMain& w = env.window;
    const std::pair<bool, Effect> seen[] = {
        {env.clipboard.writes > 0, Effect::Copy},
        {!w.FollowPointer, Effect::FreezeWindow},
        {!w.TrackColor, Effect::FreezeColour},
        {w.MeasuringMode, Effect::Measure},
        {!env.colourDialog.fieldWrites.empty(), Effect::Paste},
        {env.view.visible != wasVisible, Effect::ShowHide},
        {env.desktop.closesPosted > 0, Effect::Quit},
    };
    Effect effect = Effect::None;
    for (const auto& [happened, e] : seen)
        if (happened) effect = effect == Effect::None ? e : Effect::Several;
    return effect;
}

using Config = std::vector<std::pair<Shortcut Settings::*, Shortcut>>;
constexpr auto Copy = &Settings::HotkeyCopyColor;
constexpr auto FreezeW = &Settings::HotkeyFreezeWindow;
constexpr auto FreezeC = &Settings::HotkeyFreezeColor;
constexpr auto AddPoint = &Settings::HotkeyAddPoint;
constexpr auto Reset = &Settings::HotkeyResetPoints;
constexpr auto Measure = &Settings::HotkeyMeasure;
constexpr auto ShowHide = &Settings::HotkeyShowHide;
constexpr auto Quit = &Settings::HotkeyQuit;

TEST(DispatchShortcut, RunsAtMostTheFirstMatchingAction) {
    const struct {
        const char* what;
        Config config;  // on top of the defaults (Ctrl+C copies, Ctrl+V pastes)
        bool visible;
        bool dialogActive;
        bool readoutActive;
        int key;
        ShiftByte shift;
        bool handled;
        Effect effect;
    } cases[] = {
        // clang-format off
        // what                           config                                  shown  dialog active key  shift                            handled effect
        {"copy while shown",              {},                                     true,  false, false, kC,  kShiftCtrl,                      true,  Effect::Copy},
        {"copy while hidden",             {},                                     false, false, false, kC,  kShiftCtrl,                      false, Effect::None},
        {"extra modifier",                {},                                     true,  false, false, kC,  kShiftCtrl | kShiftAlt,          false, Effect::None},
        {"missing modifier",              {},                                     true,  false, false, kC,  0,                               false, Effect::None},
        {"mouse button held",             {},                                     true,  false, false, kC,  kShiftCtrl | kShiftLeftButton,   false, Effect::None},
        {"all modifiers",                 {{Copy, kShortcutShift | kShortcutCtrl | kShortcutAlt | kC}},
                                                                                  true,  false, false, kC,  kShiftShift | kShiftCtrl | kShiftAlt, true, Effect::Copy},
        {"alt",                           {{FreezeW, kShortcutAlt | kF9}},        true,  false, false, kF9, kShiftAlt,                       true,  Effect::FreezeWindow},
        // Modifiers alone make a key part of 0, and key 0 never matches.
        {"key 0",                         {{Quit, kShortcutCtrl}},                true,  false, false, 0,   kShiftCtrl,                      false, Effect::None},
        {"freeze window",                 {{FreezeW, kF9}},                       true,  false, false, kF9, 0,                               true,  Effect::FreezeWindow},
        {"freeze hidden",                 {{FreezeW, kF9}},                       false, false, false, kF9, 0,                               false, Effect::None},
        {"freeze colour",                 {{FreezeC, kF9}},                       true,  false, false, kF9, 0,                               true,  Effect::FreezeColour},
        {"measure hidden",                {{Measure, kF9}},                       false, false, false, kF9, 0,                               false, Effect::None},
        {"add point, not measuring",      {{AddPoint, kF9}},                      true,  false, false, kF9, 0,                               true,  Effect::None},
        {"reset, not measuring",          {{Reset, kF9}},                         true,  false, false, kF9, 0,                               true,  Effect::None},
        {"group A first",                 {{FreezeC, kF9}, {Quit, kF9}},          true,  false, false, kF9, 0,                               true,  Effect::FreezeColour},
        {"first of group A",              {{FreezeW, kCtrlC}, {FreezeC, kCtrlC}}, true,  false, false, kC,  kShiftCtrl,                      true,  Effect::Copy},
        {"paste hidden",                  {},                                     false, true,  false, kV,  kShiftCtrl,                      true,  Effect::Paste},
        {"paste, no dialog",              {},                                     true,  false, false, kV,  kShiftCtrl,                      false, Effect::None},
        {"failed paste ends the tests",   {{ShowHide, kCtrlV}, {Quit, kCtrlV}},   false, false, false, kV,  kShiftCtrl,                      false, Effect::None},
        {"copy = show/hide, shown",       {{ShowHide, kCtrlC}},                   true,  false, false, kC,  kShiftCtrl,                      true,  Effect::Copy},
        {"copy = show/hide, hidden",      {{ShowHide, kCtrlC}},                   false, false, false, kC,  kShiftCtrl,                      true,  Effect::ShowHide},
        {"hide",                          {{ShowHide, kF9}},                      true,  false, false, kF9, 0,                               true,  Effect::ShowHide},
        {"show/hide, readout active",     {{ShowHide, kF9}},                      true,  false, true,  kF9, 0,                               false, Effect::None},
        {"... and quit on the same key",  {{ShowHide, kF9}, {Quit, kF9}},         true,  false, true,  kF9, 0,                               true,  Effect::Quit},
        {"quit",                          {{Quit, kF9}},                          false, false, false, kF9, 0,                               true,  Effect::Quit},
        {"unknown key",                   {},                                     true,  false, false, 0x41, kShiftCtrl,                     false, Effect::None},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fakes::FakeEnvironment env;
        for (const auto& [field, value] : c.config) env.window.settings.*field = value;
        env.view.visible = c.visible;
        if (c.dialogActive) env.colourDialog.activeClass = "#32770";
        env.desktop.readoutActive = c.readoutActive;
        EXPECT_EQ(env.window.DispatchShortcut(c.key, c.shift), c.handled);
        EXPECT_EQ(Observe(env, c.visible), c.effect);
        // Quitting only posts the close; the window closes after the hook.
        EXPECT_EQ(env.desktop.terminations + env.desktop.hookRemovals, 0);
    }
}

TEST(DispatchShortcut, CopyThenPasteSendsTheCopiedNotTheCurrentColour) {
    fakes::FakeEnvironment env;
    env.view.visible = true;
    env.colourDialog.activeClass = "#32770";
    env.window.CurrentColor = MakeColour(18, 52, 86);
    ASSERT_TRUE(env.window.DispatchShortcut(kC, kShiftCtrl));
    env.window.CurrentColor = kWhite;  // tracking has moved on
    ASSERT_TRUE(env.window.DispatchShortcut(kV, kShiftCtrl));
    EXPECT_EQ(env.colourDialog.fieldWrites.front().second, "18");
    EXPECT_EQ(env.colourDialog.fieldWrites.back().second, "86");
}

TEST(DispatchShortcut, CopyRefusedByTheClipboardPassesTheKeyOn) {
    fakes::FakeEnvironment env;
    env.view.visible = true;
    env.clipboard.refuse = true;
    env.window.settings.HotkeyQuit = kCtrlC;  // must not run instead
    EXPECT_FALSE(env.window.DispatchShortcut(kC, kShiftCtrl));
    EXPECT_EQ(env.desktop.closesPosted, 0);
}

TEST(DispatchShortcut, AddPointShortcutPlacesAPointOnlyWhenClicksDoNot) {
    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
    w.settings.HotkeyAddPoint = kF9;
    w.ToggleMeasuringMode();  // while hidden: no re-layout needed
    env.view.visible = true;

    w.settings.ClickAddsPoint = true;
    EXPECT_TRUE(w.DispatchShortcut(kF9, 0));
    EXPECT_TRUE(w.MeasurePoints->Items().empty());

    w.settings.ClickAddsPoint = false;
    EXPECT_TRUE(w.DispatchShortcut(kF9, 0));
    EXPECT_EQ(w.MeasurePoints->Items().size(), 1u);
}

}  // namespace
}  // namespace pixolet

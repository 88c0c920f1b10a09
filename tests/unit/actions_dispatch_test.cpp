#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "actions/shortcut.h"
#include "fakes/fake_environment.h"
#include "measure/meas_points.h"

namespace pixolet {
namespace {

constexpr Shortcut kF9 = 0x78;
constexpr Shortcut kCtrlC = kShortcutCtrl | 0x43;
constexpr Shortcut kCtrlV = kShortcutCtrl | 0x56;
constexpr int kKeyC = 0x43;
constexpr int kKeyV = 0x56;

// What a dispatch did, as seen from outside.
enum class Effect { None, Copy, FreezeWindow, FreezeColour, Measure, Paste, ShowHide, Quit };

Effect Observe(const fakes::FakeEnvironment& env, bool wasVisible) {
    const TfrmPixoletMain& w = env.window;
    int count = 0;
    Effect seen = Effect::None;
    auto note = [&](bool happened, Effect e) {
        if (happened) {
            ++count;
            seen = e;
        }
    };
    note(env.clipboard.writes > 0, Effect::Copy);
    note(!w.FollowPointer, Effect::FreezeWindow);
    note(!w.TrackColor, Effect::FreezeColour);
    note(w.MeasuringMode, Effect::Measure);
    note(!env.colourDialog.fieldWrites.empty(), Effect::Paste);
    note(env.view.visible != wasVisible, Effect::ShowHide);
    note(env.desktop.closesPosted > 0, Effect::Quit);
    return count > 1 ? static_cast<Effect>(-1) : seen;
}

struct DispatchCase {
    const char* name;
    std::function<void(fakes::FakeEnvironment&)> setUp;
    bool visible;
    int key;
    ShiftByte shift;
    bool handled;
    Effect effect;
};

void PrintTo(const DispatchCase& c, std::ostream* os) {
    *os << c.name;
}

class Dispatch : public testing::TestWithParam<DispatchCase> {};

TEST_P(Dispatch, RunsTheMatchingAction) {
    const DispatchCase& c = GetParam();
    fakes::FakeEnvironment env;
    env.view.visible = c.visible;
    if (c.setUp) c.setUp(env);
    EXPECT_EQ(env.window.DispatchShortcut(c.key, c.shift), c.handled);
    EXPECT_EQ(Observe(env, c.visible), c.effect);
}

void DialogActive(fakes::FakeEnvironment& env) {
    env.colourDialog.activeClass = "#32770";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Dispatch,
    testing::Values(
        DispatchCase{"copy_while_shown", nullptr, true, kKeyC, kShiftCtrl, true, Effect::Copy},
        DispatchCase{"copy_while_hidden_passes_on", nullptr, false, kKeyC, kShiftCtrl, false,
                     Effect::None},
        DispatchCase{"extra_modifier", nullptr, true, kKeyC, kShiftCtrl | kShiftAlt, false,
                     Effect::None},
        DispatchCase{"missing_modifier", nullptr, true, kKeyC, 0, false, Effect::None},
        DispatchCase{"held_mouse_button", nullptr, true, kKeyC, kShiftCtrl | kShiftLeftButton,
                     false, Effect::None},
        DispatchCase{"all_modifier_bits_map",
                     [](auto& e) {
                         e.window.settings.HotkeyCopyColor =
                             kShortcutShift | kShortcutCtrl | kShortcutAlt | 0x43;
                     },
                     true, kKeyC, kShiftShift | kShiftCtrl | kShiftAlt, true, Effect::Copy},
        DispatchCase{"alt_is_shift_byte_two",
                     [](auto& e) { e.window.settings.HotkeyFreezeWindow = kShortcutAlt | kF9; },
                     true, kF9, kShiftAlt, true, Effect::FreezeWindow},
        // A shortcut of modifiers alone has key part 0; key 0 still never matches.
        DispatchCase{"key_zero", [](auto& e) { e.window.settings.HotkeyQuit = kShortcutCtrl; },
                     true, 0, kShiftCtrl, false, Effect::None},
        DispatchCase{"freeze_window", [](auto& e) { e.window.settings.HotkeyFreezeWindow = kF9; },
                     true, kF9, 0, true, Effect::FreezeWindow},
        DispatchCase{"freeze_ignored_while_hidden",
                     [](auto& e) { e.window.settings.HotkeyFreezeWindow = kF9; }, false, kF9, 0,
                     false, Effect::None},
        DispatchCase{"freeze_colour", [](auto& e) { e.window.settings.HotkeyFreezeColor = kF9; },
                     true, kF9, 0, true, Effect::FreezeColour},
        DispatchCase{"measure_while_hidden_ignored",
                     [](auto& e) { e.window.settings.HotkeyMeasure = kF9; }, false, kF9, 0, false,
                     Effect::None},
        DispatchCase{"add_point_outside_measuring_is_handled",
                     [](auto& e) { e.window.settings.HotkeyAddPoint = kF9; }, true, kF9, 0, true,
                     Effect::None},
        DispatchCase{"reset_outside_measuring_is_handled",
                     [](auto& e) { e.window.settings.HotkeyResetPoints = kF9; }, true, kF9, 0, true,
                     Effect::None},
        DispatchCase{"group_a_shadows_equal_group_b",
                     [](auto& e) {
                         e.window.settings.HotkeyFreezeColor = kF9;
                         e.window.settings.HotkeyQuit = kF9;
                     },
                     true, kF9, 0, true, Effect::FreezeColour},
        DispatchCase{"first_group_a_test_wins",
                     [](auto& e) {
                         e.window.settings.HotkeyFreezeWindow = kCtrlC;
                         e.window.settings.HotkeyFreezeColor = kCtrlC;
                     },
                     true, kKeyC, kShiftCtrl, true, Effect::Copy},
        DispatchCase{"paste_into_dialog_while_hidden", DialogActive, false, kKeyV, kShiftCtrl, true,
                     Effect::Paste},
        DispatchCase{"paste_without_dialog_passes_on", nullptr, true, kKeyV, kShiftCtrl, false,
                     Effect::None},
        DispatchCase{"failed_paste_shadows_show_hide_and_quit",
                     [](auto& e) {
                         e.window.settings.HotkeyShowHide = kCtrlV;
                         e.window.settings.HotkeyQuit = kCtrlV;
                     },
                     false, kKeyV, kShiftCtrl, false, Effect::None},
        DispatchCase{"copy_and_show_hide_equal_copies_while_shown",
                     [](auto& e) { e.window.settings.HotkeyShowHide = kCtrlC; }, true, kKeyC,
                     kShiftCtrl, true, Effect::Copy},
        DispatchCase{"copy_and_show_hide_equal_shows_while_hidden",
                     [](auto& e) { e.window.settings.HotkeyShowHide = kCtrlC; }, false, kKeyC,
                     kShiftCtrl, true, Effect::ShowHide},
        DispatchCase{"show_hide_hides", [](auto& e) { e.window.settings.HotkeyShowHide = kF9; },
                     true, kF9, 0, true, Effect::ShowHide},
        DispatchCase{"show_hide_while_readout_active_is_not_handled",
                     [](auto& e) {
                         e.window.settings.HotkeyShowHide = kF9;
                         e.desktop.readoutActive = true;
                     },
                     true, kF9, 0, false, Effect::None},
        DispatchCase{"show_hide_while_readout_active_falls_through_to_quit",
                     [](auto& e) {
                         e.window.settings.HotkeyShowHide = kF9;
                         e.window.settings.HotkeyQuit = kF9;
                         e.desktop.readoutActive = true;
                     },
                     true, kF9, 0, true, Effect::Quit},
        DispatchCase{"quit_posts_a_close", [](auto& e) { e.window.settings.HotkeyQuit = kF9; },
                     false, kF9, 0, true, Effect::Quit},
        DispatchCase{"unknown_key", nullptr, true, 0x41, kShiftCtrl, false, Effect::None}),
    [](const testing::TestParamInfo<DispatchCase>& param) {
        return std::string(param.param.name);
    });

TEST(DispatchShortcut, QuitOnlyPostsTheClose) {
    fakes::FakeEnvironment env;
    env.window.settings.HotkeyQuit = kF9;
    EXPECT_TRUE(env.window.DispatchShortcut(kF9, 0));
    EXPECT_EQ(env.desktop.closesPosted, 1);
    EXPECT_EQ(env.desktop.hookRemovals, 0);
    EXPECT_EQ(env.desktop.terminations, 0);
}

TEST(DispatchShortcut, CopyThenPasteSendsTheCopiedNotTheCurrentColour) {
    fakes::FakeEnvironment env;
    env.view.visible = true;
    DialogActive(env);
    env.window.CurrentColor = MakeColour(18, 52, 86);
    ASSERT_TRUE(env.window.DispatchShortcut(kKeyC, kShiftCtrl));
    env.window.CurrentColor = kWhite;  // tracking has moved on
    ASSERT_TRUE(env.window.DispatchShortcut(kKeyV, kShiftCtrl));
    EXPECT_EQ(env.colourDialog.fieldWrites.front().second, "18");
    EXPECT_EQ(env.colourDialog.fieldWrites.back().second, "86");
}

TEST(DispatchShortcut, CopyRefusedByTheClipboardPassesTheKeyOn) {
    fakes::FakeEnvironment env;
    env.view.visible = true;
    env.clipboard.refuse = true;
    env.window.settings.HotkeyQuit = kCtrlC;  // must not run instead
    EXPECT_FALSE(env.window.DispatchShortcut(kKeyC, kShiftCtrl));
    EXPECT_EQ(env.desktop.closesPosted, 0);
}

TEST(DispatchShortcut, AddPointShortcutPlacesAPointOnlyWhenClicksDoNot) {
    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
    w.settings.HotkeyAddPoint = kF9;
    w.ToggleMeasuringMode();  // hidden: no re-layout needed
    env.view.visible = true;
    env.screen.cursor = {10, 10};

    w.settings.ClickAddsPoint = true;
    EXPECT_TRUE(w.DispatchShortcut(kF9, 0));
    EXPECT_TRUE(w.MeasurePoints->Items().empty());

    w.settings.ClickAddsPoint = false;
    EXPECT_TRUE(w.DispatchShortcut(kF9, 0));
    EXPECT_EQ(w.MeasurePoints->Items().size(), 1u);
}

}  // namespace
}  // namespace pixolet

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/display_choice.h"

namespace pixolet {
namespace {

struct RequestCase {
    std::vector<std::string> args;
    std::string variable;
    std::optional<DisplaySystem> forced;
    std::vector<std::string> rest;
    std::string ignored;
};

class DisplayRequestTest : public testing::TestWithParam<RequestCase> {};

// The switches may stand anywhere and never reach the start sequence, so the
// splash switch keeps its place as the first argument; the option beats the
// environment, and a value naming neither system is reported, not obeyed.
TEST_P(DisplayRequestTest, SwitchesAndVariable) {
    const RequestCase& c = GetParam();
    const DisplayRequest request = ReadDisplayRequest(c.args, c.variable);
    EXPECT_EQ(request.forced, c.forced);
    EXPECT_EQ(request.args, c.rest);
    EXPECT_EQ(request.ignoredValue, c.ignored);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, DisplayRequestTest,
    testing::Values(
        RequestCase{{}, "", std::nullopt, {}, ""},
        RequestCase{{"\\NOSPLASH"}, "", std::nullopt, {"\\NOSPLASH"}, ""},
        RequestCase{{"--wayland", "\\NOSPLASH"}, "", DisplaySystem::Wayland, {"\\NOSPLASH"}, ""},
        RequestCase{{"\\NOSPLASH", "--x11"}, "", DisplaySystem::X11, {"\\NOSPLASH"}, ""},
        RequestCase{{"--x11", "--wayland"}, "", DisplaySystem::Wayland, {}, ""},
        RequestCase{{}, "wayland", DisplaySystem::Wayland, {}, ""},
        RequestCase{{}, "X11", DisplaySystem::X11, {}, ""},
        RequestCase{{"--x11"}, "wayland", DisplaySystem::X11, {}, ""},
        RequestCase{{}, "mir", std::nullopt, {}, "mir"},
        RequestCase{{"--Wayland"}, "", std::nullopt, {"--Wayland"}, ""}));

TEST(DisplayChoiceTest, NativeOnlyWhenTheCompositorHasBothProtocols) {
    const DisplayRequest free{};
    EXPECT_EQ(ChooseDisplaySystem(free, WaylandOffer{true, true, true}), DisplaySystem::Wayland);
    // GNOME: no layer-shell; KDE Plasma: no screencopy; no compositor at all.
    EXPECT_EQ(ChooseDisplaySystem(free, WaylandOffer{true, false, false}), DisplaySystem::X11);
    EXPECT_EQ(ChooseDisplaySystem(free, WaylandOffer{true, true, false}), DisplaySystem::X11);
    EXPECT_EQ(ChooseDisplaySystem(free, WaylandOffer{}), DisplaySystem::X11);
}

TEST(DisplayChoiceTest, AForcedChoiceStandsWhateverTheCompositorOffers) {
    DisplayRequest request;
    request.forced = DisplaySystem::X11;
    EXPECT_EQ(ChooseDisplaySystem(request, WaylandOffer{true, true, true}), DisplaySystem::X11);
    request.forced = DisplaySystem::Wayland;
    EXPECT_EQ(ChooseDisplaySystem(request, WaylandOffer{}), DisplaySystem::Wayland);
}

TEST(DisplayChoiceTest, TheNoticeNamesWhatIsMissing) {
    EXPECT_EQ(MissingWaylandParts(WaylandOffer{}), "a Wayland compositor");
    EXPECT_EQ(MissingWaylandParts(WaylandOffer{true, false, false}),
              "the layer-shell and screencopy protocols");
    EXPECT_EQ(MissingWaylandParts(WaylandOffer{true, true, false}), "the screencopy protocol");
    EXPECT_EQ(MissingWaylandParts(WaylandOffer{true, false, true}), "the layer-shell protocol");
    EXPECT_EQ(MissingWaylandParts(WaylandOffer{true, true, true}), "");

    const std::string gnome = XwaylandNotice(WaylandOffer{true, false, false}, false);
    EXPECT_NE(gnome.find("lacks the layer-shell and screencopy protocols"), std::string::npos);
    EXPECT_NE(gnome.find("reads no colours"), std::string::npos);
    const std::string forced = XwaylandNotice(WaylandOffer{true, true, true}, true);
    EXPECT_NE(forced.find("as asked"), std::string::npos);
    // Every line is the program's own.
    std::size_t start = 0;
    while (start < forced.size()) {
        EXPECT_EQ(forced.compare(start, 9, "pixolet: "), 0);
        start = forced.find('\n', start) + 1;
    }
    // Without a compositor there is nothing to say.
    EXPECT_EQ(XwaylandNotice(WaylandOffer{}, false), "");
}

}  // namespace
}  // namespace pixolet

#include <gtest/gtest.h>

#include <vector>

#include "widgets/tray_events.h"

namespace pixolet {
namespace {

using K = TrayEventKind;
using B = TrayButton;
using Steps = std::vector<TrayEventStep>;

struct TrayCase {
    unsigned code;
    bool hasMenu;
    Steps steps;
};

class TrayEventsTest : public testing::TestWithParam<TrayCase> {};

TEST_P(TrayEventsTest, MessageFiresItsEventsInOrder) {
    const auto message = TrayMessageFromCode(GetParam().code);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(TrayEventsFor(*message, GetParam().hasMenu), GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, TrayEventsTest,
    testing::Values(TrayCase{0x200, true, Steps{{K::MouseMove}}},
                    TrayCase{0x201, true, Steps{{K::MouseDown, B::Left}}},
                    TrayCase{0x202, true, Steps{{K::Click}, {K::MouseUp, B::Left}}},
                    TrayCase{0x203, true, Steps{{K::DblClick}, {K::MouseDown, B::Left, true}}},
                    // The menu opens on the press; the release opens nothing.
                    TrayCase{0x204, true, Steps{{K::MouseDown, B::Right}, {K::PopUp}}},
                    TrayCase{0x204, false, Steps{{K::MouseDown, B::Right}}},
                    TrayCase{0x205, true, Steps{{K::Click}, {K::MouseUp, B::Right}}},
                    TrayCase{0x206, true, Steps{{K::DblClick}, {K::MouseDown, B::Right, true}}},
                    TrayCase{0x207, true, Steps{{K::MouseDown, B::Middle}}},
                    TrayCase{0x208, true, Steps{{K::Click}, {K::MouseUp, B::Middle}}},
                    TrayCase{0x209, true, Steps{{K::DblClick}, {K::MouseDown, B::Middle, true}}}));

TEST(TrayEvents, CodesOutsideTheMouseRangeAreIgnored) {
    EXPECT_FALSE(TrayMessageFromCode(0x1FF).has_value());
    EXPECT_FALSE(TrayMessageFromCode(0x20A).has_value());  // the wheel
    EXPECT_FALSE(TrayMessageFromCode(0x465).has_value());
}

TEST(TrayTooltip, LongHintsAreCutToSixtyThreeCharacters) {
    EXPECT_EQ(TrayTooltip("Pixolet 2.0"), "Pixolet 2.0");
    const std::string seventy(70, 'x');
    EXPECT_EQ(TrayTooltip(seventy), std::string(63, 'x'));
    EXPECT_EQ(TrayTooltip(std::string(63, 'y')).size(), 63u);
}

}  // namespace
}  // namespace pixolet

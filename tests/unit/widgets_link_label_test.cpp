#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/link_label.h"

namespace pixolet {
namespace {

LinkLabel MakeLink(const std::string& caption, const std::string& jump) {
    LinkLabel label(caption);
    label.Jump = jump;
    label.SetUseAsJump(true);
    return label;
}

struct TargetCase {
    std::string caption;
    std::string jump;
    std::string target;
};

class LinkTargetTest : public testing::TestWithParam<TargetCase> {};

TEST_P(LinkTargetTest, JumpWinsUnlessItIsBlank) {
    LinkLabel label = MakeLink(GetParam().caption, GetParam().jump);
    std::vector<std::string> opened;
    EXPECT_TRUE(label.Click([&](const std::string& t) {
        opened.push_back(t);
        return true;
    }));
    EXPECT_EQ(opened, std::vector<std::string>{GetParam().target});
}

INSTANTIATE_TEST_SUITE_P(
    Targets, LinkTargetTest,
    testing::Values(TargetCase{"www.orvessa.example", "https://www.orvessa.example/",
                               "https://www.orvessa.example/"},
                    TargetCase{"www.velmora.example", "", "www.velmora.example"},
                    TargetCase{"www.velmora.example", "   ", "www.velmora.example"},
                    TargetCase{"www.velmora.example", "\t \t", "www.velmora.example"},
                    // A usable Jump is handed on exactly as stored.
                    TargetCase{"mail", " mailto:a@b.example ", " mailto:a@b.example "}));

TEST(LinkLabel, BecomingALinkTakesTheLinkLook) {
    LinkLabel label("caption");
    EXPECT_FALSE(label.Target().has_value());
    EXPECT_FALSE(label.HandCursor());
    label.SetUseAsJump(true);
    EXPECT_EQ(label.FontColour(), kBlue);
    EXPECT_TRUE(label.Underline());
    EXPECT_TRUE(label.HandCursor());

    LinkLabel plain("caption");
    plain.JumpUnderline = false;
    plain.SetUseAsJump(true);
    EXPECT_FALSE(plain.Underline());
}

TEST(LinkLabel, LeftButtonShowsTheActiveColourUntilReleased) {
    LinkLabel label = MakeLink("x", "");
    label.MouseDown(LabelButton::Right);
    EXPECT_EQ(label.FontColour(), kBlue);
    label.MouseDown(LabelButton::Left);
    EXPECT_EQ(label.FontColour(), kPurple);
    label.MouseUp(LabelButton::Right);
    EXPECT_EQ(label.FontColour(), kPurple);
    label.MouseUp(LabelButton::Left);
    EXPECT_EQ(label.FontColour(), kBlue);
}

TEST(LinkLabel, FailedOpenLeavesPlainDisabledTextThatIgnoresClicks) {
    LinkLabel label = MakeLink("www.velmora.example", "");
    int attempts = 0;
    auto failing = [&](const std::string&) {
        ++attempts;
        return false;
    };
    EXPECT_FALSE(label.Click(failing));
    EXPECT_EQ(attempts, 1);
    EXPECT_FALSE(label.UseAsJump());
    EXPECT_FALSE(label.Enabled());
    EXPECT_FALSE(label.Underline());
    EXPECT_FALSE(label.HandCursor());
    EXPECT_EQ(label.FontColour(), kBlack);
    EXPECT_EQ(label.TextColour(), kGrayText);

    EXPECT_FALSE(label.Click(failing));
    label.MouseDown(LabelButton::Left);
    EXPECT_EQ(attempts, 1);
    EXPECT_EQ(label.FontColour(), kBlack);
}

TEST(LinkLabel, ALabelThatIsNoLinkOpensNothing) {
    LinkLabel label("text");
    bool called = false;
    EXPECT_FALSE(label.Click([&](const std::string&) { return called = true; }));
    EXPECT_FALSE(called);
    EXPECT_TRUE(label.Enabled());
}

}  // namespace
}  // namespace pixolet

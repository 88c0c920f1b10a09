#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/start_sequence.h"
#include "app/usage.h"

namespace pixolet {
namespace {

struct InfoCase {
    std::vector<std::string> args;
    InfoRequest request;
};

class InfoRequestTest : public testing::TestWithParam<InfoCase> {};

// Only an exact first argument asks for information; everything else runs
// the program as before, so that the splash switch keeps its rules.
TEST_P(InfoRequestTest, OnlyTheExactSwitchAsFirstArgumentCounts) {
    EXPECT_EQ(InfoRequestOf(GetParam().args), GetParam().request);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, InfoRequestTest,
    testing::Values(InfoCase{{}, InfoRequest::None}, InfoCase{{"--help"}, InfoRequest::Help},
                    InfoCase{{"--version"}, InfoRequest::Version},
                    InfoCase{{"--help", "--version"}, InfoRequest::Help},
                    InfoCase{{"--version", "\\NOSPLASH"}, InfoRequest::Version},
                    InfoCase{{"\\NOSPLASH", "--help"}, InfoRequest::None},
                    InfoCase{{"x", "--version"}, InfoRequest::None},
                    InfoCase{{"--HELP"}, InfoRequest::None}, InfoCase{{"-h"}, InfoRequest::None},
                    InfoCase{{"--help "}, InfoRequest::None},
                    InfoCase{{"--version=1"}, InfoRequest::None},
                    InfoCase{{""}, InfoRequest::None}));

TEST(UsageTest, SplashSwitchIsUntouchedByTheInfoSwitches) {
    EXPECT_TRUE(SplashWanted({"--help"}));
    EXPECT_FALSE(SplashWanted({"\\NOSPLASH", "--version"}));
}

TEST(UsageTest, VersionIsTheProgramNameAndNumber) {
    EXPECT_EQ(VersionText(), "Pixolet 2.1.0\n");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(UsageTest, NamesTheSwitchesTheDefaultShortcutsAndTheFiles) {
    const std::string text = UsageText("SETTINGS-FILE", "AUTOSTART-FILE");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    for (const char* part :
         {"\\NOSPLASH", "--help", "--version", "SETTINGS-FILE", "AUTOSTART-FILE"})
        EXPECT_NE(text.find(part), std::string::npos) << part;

    int withDefault = 0;
    int without = 0;
    for (const std::string& line : Lines(text)) {
        EXPECT_LE(line.size(), 80u) << line;
        if (line.ends_with(" Ctrl+C") || line.ends_with(" Ctrl+V")) ++withDefault;
        if (line.ends_with(" none")) ++without;
    }
    // The two defaults of a fresh settings record, and seven unset ones.
    EXPECT_EQ(withDefault, 2);
    EXPECT_EQ(without, 7);
}

}  // namespace
}  // namespace pixolet

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/start_sequence.h"

namespace pixolet {
namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> arguments;  // the program name first
};

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsAsTheCRuntimeDoes) {
    EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCommandLineTest,
    testing::Values(SplitCase{"", {""}}, SplitCase{"pixolet.exe", {"pixolet.exe"}},
                    SplitCase{"pixolet.exe   ", {"pixolet.exe"}},
                    SplitCase{"pixolet.exe \\NOSPLASH", {"pixolet.exe", "\\NOSPLASH"}},
                    SplitCase{"pixolet.exe\t \\nosplash\tx", {"pixolet.exe", "\\nosplash", "x"}},
                    // A quoted program name with blanks, and no escapes in it.
                    SplitCase{"\"C:\\Program Files\\Pixolet\\pixolet.exe\" \\NOSPLASH",
                              {"C:\\Program Files\\Pixolet\\pixolet.exe", "\\NOSPLASH"}},
                    SplitCase{"\"C:\\dir\\\" x", {"C:\\dir\\", "x"}},
                    // Quotes group and vanish anywhere in an argument.
                    SplitCase{"p \"\\NOSPLASH\"", {"p", "\\NOSPLASH"}},
                    SplitCase{"p \"a b\"c d", {"p", "a bc", "d"}}, SplitCase{"p \"\"", {"p", ""}},
                    SplitCase{"p \"unclosed arg", {"p", "unclosed arg"}},
                    // Backslashes count only before a quote.
                    SplitCase{"p a\\\\b", {"p", "a\\\\b"}}, SplitCase{"p a\\\"b", {"p", "a\"b"}},
                    SplitCase{"p a\\\\\"b c\"", {"p", "a\\b c"}},
                    SplitCase{"p a\\\\\\\"b", {"p", "a\\\"b"}},
                    // Two quotes inside quotes are one literal quote.
                    SplitCase{"p \"a\"\"b\" c", {"p", "a\"b", "c"}}));

struct SwitchCase {
    const char* line;
    bool splash;
};

class CommandLineSplashTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(CommandLineSplashTest, OnlyTheSwitchAsFirstArgumentSuppressesTheSplash) {
    EXPECT_EQ(SplashWanted(CommandLineArguments(GetParam().line)), GetParam().splash);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineSplashTest,
    testing::Values(SwitchCase{"pixolet.exe", true}, SwitchCase{"pixolet.exe \\NOSPLASH", false},
                    SwitchCase{"\"pixolet 2.exe\" \\noSplash", false},
                    SwitchCase{"pixolet.exe \"\\NOSPLASH\"", false},
                    SwitchCase{"\\NOSPLASH", true},  // the program name is no argument
                    SwitchCase{"pixolet.exe x \\NOSPLASH", true},
                    SwitchCase{"pixolet.exe /NOSPLASH", true},
                    SwitchCase{"pixolet.exe \"\\NOSPLASH \"", true}));

}  // namespace
}  // namespace pixolet

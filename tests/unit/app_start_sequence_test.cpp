#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/start_sequence.h"

namespace pixolet {
namespace {

struct SplashCase {
    std::vector<std::string> args;
    bool wanted;
};

class SplashWantedTest : public testing::TestWithParam<SplashCase> {};

TEST_P(SplashWantedTest, OnlyTheSwitchAsFirstArgumentSuppressesTheSplash) {
    EXPECT_EQ(SplashWanted(GetParam().args), GetParam().wanted);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SplashWantedTest,
    testing::Values(SplashCase{{}, true}, SplashCase{{"\\NOSPLASH"}, false},
                    SplashCase{{"\\nosplash"}, false}, SplashCase{{"\\NoSplash", "x"}, false},
                    SplashCase{{"/NOSPLASH"}, true}, SplashCase{{"NOSPLASH"}, true},
                    SplashCase{{"-nosplash"}, true}, SplashCase{{"\\NOSPLASH "}, true},
                    SplashCase{{""}, true}, SplashCase{{"x", "\\NOSPLASH"}, true}));

// Records the shell calls in order.
class RecordingShell : public AppShell {
  public:
    bool running = false;
    std::vector<std::string> calls;

    bool FindRunningInstance() override {
        calls.push_back("find");
        return running;
    }
    void ShowSplashNow() override { calls.push_back("splash"); }
    void Sleep(int ms) override { calls.push_back("sleep " + std::to_string(ms)); }
    void ClaimInstance() override { calls.push_back("claim"); }
    void CreateReadoutWindow() override { calls.push_back("create"); }
    void RunMessageLoop() override { calls.push_back("loop"); }
};

struct SequenceCase {
    bool running;
    std::vector<std::string> args;
    std::vector<std::string> calls;
};

class StartSequenceTest : public testing::TestWithParam<SequenceCase> {};

TEST_P(StartSequenceTest, RunsTheStepsInOrderAndExitsWithZero) {
    RecordingShell shell;
    shell.running = GetParam().running;
    EXPECT_EQ(RunStartSequence(shell, GetParam().args), 0);
    EXPECT_EQ(shell.calls, GetParam().calls);
}

using Calls = std::vector<std::string>;
INSTANTIATE_TEST_SUITE_P(
    Instances, StartSequenceTest,
    testing::Values(
        // First instance: the title is claimed only after the look-up.
        SequenceCase{false, {}, Calls{"find", "splash", "claim", "create", "loop"}},
        SequenceCase{false, {"\\NOSPLASH"}, Calls{"find", "claim", "create", "loop"}},
        // Second instance: a second of splash, then the end; nothing claimed.
        SequenceCase{true, {}, Calls{"find", "splash", "sleep 1000"}},
        SequenceCase{true, {"\\nosplash"}, Calls{"find"}}));

}  // namespace
}  // namespace pixolet

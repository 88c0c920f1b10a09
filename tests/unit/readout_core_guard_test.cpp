#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/fake_environment.h"
#include "readout/core_guard.h"

namespace pixolet {
namespace {

class CoreGuardTest : public testing::Test {
  protected:
    fakes::FakeEnvironment env;
    CoreGuard guard{env.desktop};
    void SetUp() override { guard.Attach(&env.window); }
};

TEST_F(CoreGuardTest, BeforeTheHandlerIsInstalledAnErrorIsShownAndTheProgramGoesOn) {
    guard.Run([] { throw std::runtime_error("Cannot read the store"); });
    ASSERT_EQ(env.desktop.errors.size(), 1u);
    EXPECT_EQ(env.desktop.errors[0], "Cannot read the store.");
    EXPECT_EQ(env.desktop.terminations, 0);

    bool ran = false;
    guard.Run([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST_F(CoreGuardTest, OnceInstalledAnErrorEndsTheProgramThroughTheWindowsHandler) {
    guard.InstallHandler();
    guard.Run([] { throw std::runtime_error("Failed to set data for 'Zoom'"); });
    EXPECT_EQ(env.desktop.hookRemovals, 1);
    ASSERT_EQ(env.desktop.errors.size(), 1u);
    // A quote sorts before the full stop: none is added.
    EXPECT_EQ(env.desktop.errors[0], "Failed to set data for 'Zoom'");
    EXPECT_EQ(env.desktop.terminations, 1);
}

TEST_F(CoreGuardTest, AnythingThrownIsCaughtAndCallsAfterTheEndAreDropped) {
    guard.Run([] { throw 42; });
    ASSERT_EQ(env.desktop.errors.size(), 1u);
    EXPECT_EQ(env.desktop.errors[0], "Unknown error.");

    guard.MarkTerminated();
    bool ran = false;
    guard.Run([&] { ran = true; });
    EXPECT_FALSE(ran);
}

TEST_F(CoreGuardTest, AnErrorRaisedWhileTheErrorIsShownIsNotShownAgain) {
    // The error box runs a message loop; a repaint inside it fails as well.
    class ReentrantDesktop : public fakes::FakeDesktop {
      public:
        CoreGuard* guard = nullptr;
        void ShowError(std::string_view message) override {
            FakeDesktop::ShowError(message);
            guard->Run([] { throw std::runtime_error("paint failed"); });
        }
    } desktop;
    CoreGuard reentrant(desktop);
    desktop.guard = &reentrant;
    reentrant.Attach(&env.window);
    reentrant.Run([] { throw std::runtime_error("first"); });
    ASSERT_EQ(desktop.errors.size(), 1u);
    EXPECT_EQ(desktop.errors[0], "first.");
}

TEST_F(CoreGuardTest, NothingRunsBeforeTheWindowExists) {
    CoreGuard early(env.desktop);
    bool ran = false;
    early.Run([&] { ran = true; });
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace pixolet

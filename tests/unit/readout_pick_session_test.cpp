#include <gtest/gtest.h>

#include "readout/pick_session.h"

namespace pixolet {
namespace {

struct ButtonCase {
    int button;
    bool pressed;
    bool measuring;
    bool frozen;
    SessionStep step;
};

class SessionButtonTest : public testing::TestWithParam<ButtonCase> {};

TEST_P(SessionButtonTest, ClicksOfASession) {
    const ButtonCase& c = GetParam();
    EXPECT_EQ(SessionStepForButton(c.button, c.pressed, c.measuring, c.frozen), c.step);
}

INSTANTIATE_TEST_SUITE_P(Buttons, SessionButtonTest,
                         testing::Values(
                             // A plain left click copies and ends; its release is routed (the
                             // session is over by then).
                             ButtonCase{1, true, false, false, SessionStep::CopyAndEnd},
                             ButtonCase{1, false, false, false, SessionStep::Route},
                             // Measuring: the press adds a point, as the input routing does.
                             ButtonCase{1, true, true, false, SessionStep::Route},
                             // Frozen window: the left button drags it.
                             ButtonCase{1, true, false, true, SessionStep::Route},
                             ButtonCase{1, false, false, true, SessionStep::Route},
                             ButtonCase{1, true, true, true, SessionStep::Route},
                             // The right button ends the session in every mode, on its press.
                             ButtonCase{3, true, false, false, SessionStep::End},
                             ButtonCase{3, true, true, false, SessionStep::End},
                             ButtonCase{3, true, false, true, SessionStep::End},
                             ButtonCase{3, false, false, false, SessionStep::Ignore},
                             // The middle button only keeps the button state true.
                             ButtonCase{2, true, false, false, SessionStep::Route},
                             ButtonCase{2, false, true, true, SessionStep::Route}));

TEST(SessionKeyTest, OnlyEscapeEndsTheSession) {
    EXPECT_EQ(SessionStepForUnhandledKey(0x1B), SessionStep::End);
    for (const int key : {0x08, 0x0D, 0x20, 0x43, 0x51, 0x70, 0x11, 0x10})
        EXPECT_EQ(SessionStepForUnhandledKey(key), SessionStep::Ignore) << key;
}

}  // namespace
}  // namespace pixolet

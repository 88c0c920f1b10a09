#include "readout/pick_session.h"

namespace pixolet {

namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 3;
constexpr int kEscapeKey = 0x1B;

}  // namespace

SessionStep SessionStepForButton(int button, bool pressed, bool measuringMode, bool windowFrozen) {
    if (button == kLeftButton) {
        // The release always goes on: it ends a drag, and after a copy the
        // session is over before it arrives.
        if (!pressed || measuringMode || windowFrozen) return SessionStep::Route;
        return SessionStep::CopyAndEnd;
    }
    if (button == kRightButton) return pressed ? SessionStep::End : SessionStep::Ignore;
    // The middle button and the others keep the key state true and do
    // nothing else.
    return SessionStep::Route;
}

SessionStep SessionStepForUnhandledKey(int virtualKey) {
    return virtualKey == kEscapeKey ? SessionStep::End : SessionStep::Ignore;
}

}  // namespace pixolet

// A readout window wired to fakes of every port.
#pragma once

#include "fakes/fake_ports.h"
#include "fakes/fake_registry.h"
#include "readout/readout_window.h"

namespace pixolet::fakes {

struct FakeEnvironment {
    FakeView view;
    FakeScreen screen;
    FakeClock clock;
    FakeClipboard clipboard;
    FakeColourDialog colourDialog;
    FakeDesktop desktop;
    FakeRegistry registry;
    TfrmPixoletMain window{
        ReadoutPorts{view, screen, clock, clipboard, colourDialog, desktop, registry}};
};

}  // namespace pixolet::fakes

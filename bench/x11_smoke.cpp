// Checks of the X11 platform layer against a live X server (a private Xvfb
// started by scripts/bench.sh): screen reads at and across the edges,
// markers over another client's window, raw input order and modifier state,
// the instance marker, the clipboard and the termination signal. Prints one
// line per check and exits non-zero when any fails.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/linux/clipboard.h"
#include "platform/linux/signal_bridge.h"
#include "platform/x11/desktop_x11.h"
#include "platform/x11/input_source.h"
#include "platform/x11/screen.h"

// Xlib after Qt.
#include <X11/extensions/XTest.h>

#include "platform/x11/x11_util.h"

namespace {

using namespace pixolet;
using namespace pixolet::linux_common;
using namespace pixolet::x11;

int g_failures = 0;

void Check(bool ok, const char* what) {
    std::printf("%s  %s\n", ok ? "PASS" : "FAIL", what);
    if (!ok) ++g_failures;
}

// Serves the event loop until `done` or the time-out.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::usleep(500);
    }
    return true;
}

// A window of another client, painted in two known colours: left half red,
// right half blue. Override-redirect, so it sits exactly where asked.
class Target {
  public:
    Target(int x, int y, int w, int h) : display_(nullptr) {
        Display* dpy = display_.get();
        XSetWindowAttributes a{};
        a.override_redirect = True;
        a.background_pixel = 0x000000;
        window_ = XCreateWindow(dpy, DefaultRootWindow(dpy), x, y, static_cast<unsigned>(w),
                                static_cast<unsigned>(h), 0, CopyFromParent, InputOutput,
                                CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
        XMapRaised(dpy, window_);
        XGc gc(dpy, window_);
        XSync(dpy, False);
        // Painted after the map; repeated until the server has it.
        XSetForeground(dpy, gc.get(), 0xFF0000);
        XFillRectangle(dpy, window_, gc.get(), 0, 0, static_cast<unsigned>(w / 2),
                       static_cast<unsigned>(h));
        XSetForeground(dpy, gc.get(), 0x0000FF);
        XFillRectangle(dpy, window_, gc.get(), w / 2, 0, static_cast<unsigned>(w - w / 2),
                       static_cast<unsigned>(h));
        XSync(dpy, False);
    }
    ~Target() {
        XDestroyWindow(display_.get(), window_);
        XSync(display_.get(), False);
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

  private:
    XDisplay display_;
    Window window_ = 0;
};

constexpr Colour kRed = 0x0000FF;  // in the Colour layout
constexpr Colour kBlueC = 0xFF0000;

void CheckScreen(X11Screen& screen) {
    const Size size = screen.PrimarySize();
    Check(size.width > 0 && size.height > 0, "screen size is the root window's");

    Target target(100, 100, 40, 20);
    Colour block[60 * 40];
    screen.ReadBlock(Rect{90, 90, 150, 130}, block);
    auto at = [&](int x, int y) { return block[(y - 90) * 60 + (x - 90)]; };
    Check(at(100, 100) == kRed && at(119, 119) == kRed && at(120, 100) == kBlueC &&
              at(139, 119) == kBlueC,
          "ReadBlock reads another client's window exactly");

    // A block across the top-left corner: the outside reads black, the inside
    // what single reads give.
    Colour corner[10 * 10];
    screen.ReadBlock(Rect{-5, -5, 5, 5}, corner);
    ScreenPoint inside{2, 3};
    Colour single = 0x123456;
    screen.ReadPixels(&inside, &single, 1);
    Check(corner[0] == kOffScreenColour && corner[4 * 10 + 9] == kOffScreenColour &&
              corner[(3 + 5) * 10 + (2 + 5)] == single,
          "ReadBlock across the top-left edge fills the outside, reads the inside");

    {
        Target edge(size.width - 20, size.height - 10, 40, 20);
        Colour across[20 * 20];
        screen.ReadBlock(Rect{size.width - 10, size.height - 10, size.width + 10, size.height + 10},
                         across);
        // The window's left half (red) covers the screen part of the block.
        Check(across[0] == kRed && across[9 * 20 + 9] == kRed && across[10] == kBlack &&
                  across[19 * 20 + 19] == kBlack && across[10 * 20] == kBlack,
              "ReadBlock across the bottom-right edge reads the screen part");
    }

    Colour nowhere[4] = {1, 1, 1, 1};
    screen.ReadBlock(Rect{-100, -100, -98, -98}, nowhere);
    Check(nowhere[0] == kOffScreenColour && nowhere[3] == kOffScreenColour,
          "ReadBlock wholly off the screen reads the fixed colour");

    // A marker over the target window (IncludeInferiors), then restored.
    std::vector<ScreenPoint> plus;
    for (int i = -3; i <= 3; ++i) plus.push_back({110 + i, 105});
    for (int i = -3; i <= 3; ++i) plus.push_back({110, 105 + i});
    std::vector<Colour> saved(plus.size());
    screen.ReadPixels(plus.data(), saved.data(), plus.size());
    std::vector<Colour> green(plus.size(), 0x00FF00);
    screen.WritePixels(plus.data(), green.data(), plus.size());
    std::vector<Colour> now(plus.size());
    screen.ReadPixels(plus.data(), now.data(), plus.size());
    Check(now == green, "WritePixels paints over another client's window");
    screen.WritePixels(plus.data(), saved.data(), plus.size());
    screen.ReadPixels(plus.data(), now.data(), plus.size());
    Check(now == saved && saved[0] == kRed, "writing the saved pixels back restores them");

    const ScreenPoint off[] = {{-1, 0}, {0, -1}, {size.width, 0}, {0, size.height}};
    const Colour white[] = {kWhite, kWhite, kWhite, kWhite};
    screen.WritePixels(off, white, 4);  // must not fail
    Colour offRead[4] = {7, 7, 7, 7};
    screen.ReadPixels(off, offRead, 4);
    Check(offRead[0] == kOffScreenColour && offRead[3] == kOffScreenColour,
          "off-screen pixels are skipped on write and read as the fixed colour");
}

struct Seen {
    InputEvent event;
    ShiftByte shift;
};

void CheckInput() {
    XDisplay injector(nullptr);
    Display* dpy = injector.get();
    int ev = 0, err = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(dpy, &ev, &err, &major, &minor)) {
        Check(false, "XTEST extension available");
        return;
    }
    X11InputSource source;
    std::vector<Seen> seen;
    const bool installed = source.Install([&](const InputEvent& e) {
        seen.push_back(Seen{e, source.Shift()});
    });
    Check(installed, "input source installs on XInput 2");
    if (!installed) return;

    auto press = [&](KeySym sym, bool down) {
        XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, sym), down ? True : False, CurrentTime);
    };
    // Ctrl+C typed with no delay at all: the C must still see Ctrl held.
    press(XK_Control_L, true);
    press(XK_c, true);
    press(XK_c, false);
    press(XK_Control_L, false);
    press(XK_Alt_L, true);
    press(XK_f, true);
    press(XK_f, false);
    press(XK_Alt_L, false);
    XTestFakeMotionEvent(dpy, -1, 300, 200, CurrentTime);
    XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
    XTestFakeMotionEvent(dpy, -1, 310, 210, CurrentTime);
    XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
    XSync(dpy, False);

    const auto isLUp = [&] {
        for (const Seen& s : seen)
            if (s.event.kind == InputKind::LButtonUp) return true;
        return false;
    };
    Check(WaitFor(isLUp), "raw events arrive on the GUI thread");

    std::vector<std::string> got;
    for (const Seen& s : seen) {
        char text[64];
        std::snprintf(text, sizeof text, "%d:%02X:%02X", static_cast<int>(s.event.kind),
                      s.event.key, s.shift);
        got.emplace_back(text);
    }
    auto line = [](InputKind kind, int key, int shift) {
        char text[64];
        std::snprintf(text, sizeof text, "%d:%02X:%02X", static_cast<int>(kind), key, shift);
        return std::string(text);
    };
    const std::vector<std::string> want = {
        line(InputKind::KeyDown, 0x11, 0x04),    line(InputKind::KeyDown, 0x43, 0x04),
        line(InputKind::KeyUp, 0x43, 0x04),      line(InputKind::KeyUp, 0x11, 0x00),
        line(InputKind::SysKeyDown, 0x12, 0x02), line(InputKind::SysKeyDown, 0x46, 0x02),
        line(InputKind::KeyUp, 0x46, 0x02),      line(InputKind::KeyUp, 0x12, 0x00),
        line(InputKind::MouseMove, 0, 0),        line(InputKind::LButtonDown, 0, 0x08),
        line(InputKind::MouseMove, 0, 0x08),     line(InputKind::LButtonUp, 0, 0x00),
    };
    std::string gotText, wantText;
    for (const auto& s : got) gotText += s + " ";
    for (const auto& s : want) wantText += s + " ";
    const bool same = got == want;
    Check(same, "events in order, Ctrl+C with Ctrl, Alt+F a system key, buttons tracked");
    if (!same) std::printf("      got  %s\n      want %s\n", gotText.c_str(), wantText.c_str());

    // The keypad follows Num Lock as Windows reports it: digits when on,
    // navigation keys when off.
    seen.clear();
    auto tap = [&](KeySym sym) {
        press(sym, true);
        press(sym, false);
    };
    tap(XK_Num_Lock);
    tap(XK_KP_7);
    tap(XK_Num_Lock);
    tap(XK_KP_7);
    XSync(dpy, False);
    auto keyDowns = [&] {
        std::vector<int> keys;
        for (const Seen& s : seen)
            if (s.event.kind == InputKind::KeyDown) keys.push_back(s.event.key);
        return keys;
    };
    WaitFor([&] { return keyDowns().size() >= 4; });
    const std::vector<int> wantKeys = {0x90, 0x67, 0x90, 0x24};
    const bool keypadOk = keyDowns() == wantKeys;
    Check(keypadOk, "keypad 7 is VK_NUMPAD7 with Num Lock, VK_HOME without");
    if (!keypadOk) {
        std::printf("      got");
        for (int k : keyDowns()) std::printf(" %02X", k);
        std::printf("\n");
    }

    // Removing from inside the handler must not pull the connection away
    // from under the drain loop.
    seen.clear();
    source.Install(nullptr);  // already installed: refused, nothing changes
    bool removed = false;
    X11InputSource second;
    second.Install([&](const InputEvent&) {
        second.Remove();
        removed = true;
    });
    XTestFakeMotionEvent(dpy, -1, 320, 220, CurrentTime);
    XTestFakeMotionEvent(dpy, -1, 330, 230, CurrentTime);
    XSync(dpy, False);
    Check(WaitFor([&] { return removed; }) && !second.IsInstalled(),
          "Remove from inside the handler is safe");
    source.Remove();
    Check(!source.IsInstalled() && !source.IsDown(vk::kControl), "Remove clears the state");
}

void CheckDesktop() {
    XDisplay probe(nullptr);
    Check(!InstanceMarkerExists(probe.get()), "no instance marker before one is made");
    {
        InstanceMarker marker;
        Check(marker.IsCreated(), "instance marker window created");
        Check(InstanceMarkerExists(probe.get()), "instance marker found from another connection");
        Check(WindowClass(probe.get(), marker.window()).value_or("") == kInstanceClass &&
                  WindowTitle(probe.get(), marker.window()).value_or("") == "Pixolet 2",
              "instance marker carries the class and the title");
    }
    Check(!InstanceMarkerExists(probe.get()), "instance marker gone with its object");

    // Requests about a window that does not exist fail quietly.
    const unsigned long bogus = 0x7FFFFF0;
    Check(TopLevelOf(probe.get(), bogus) == 0 && !WindowClass(probe.get(), bogus) &&
              !WindowTitle(probe.get(), bogus),
          "a vanished window is an answer, not a crash");
    Check(ActiveWindow(probe.get()) == 0, "no active window without a window manager");
    MarkSkipTaskbar(probe.get(), bogus);
    Check(true, "skip-taskbar request for a vanished window is harmless");
}

void CheckClipboard() {
    QtClipboard clipboard;
    Check(clipboard.SetText("#FF80 5"), "clipboard text placed and owned");
    QProcess xclip;
    xclip.start("xclip", {"-o", "-selection", "clipboard"});
    const bool finished = WaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 5000);
    const QByteArray text = xclip.readAllStandardOutput();
    Check(finished && text == "#FF80 5", "xclip reads the clipboard text");
}

void CheckSignals() {
    SignalBridge bridge;
    bool requested = false;
    QObject::connect(&bridge, &SignalBridge::terminationRequested, [&] { requested = true; });
    Check(bridge.IsActive(), "signal bridge active");
    std::raise(SIGTERM);
    Check(WaitFor([&] { return requested; }), "SIGTERM arrives as terminationRequested");
    requested = false;
    std::raise(SIGHUP);
    std::raise(SIGINT);
    Check(WaitFor([&] { return requested; }), "SIGHUP and SIGINT too");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    X11Screen screen;
    if (!screen.IsOpen()) {
        std::printf("FAIL  cannot open the display\n");
        return 2;
    }
    CheckScreen(screen);
    CheckInput();
    CheckDesktop();
    CheckClipboard();
    CheckSignals();
    std::printf("%s: %d failed\n", g_failures ? "FAILED" : "OK", g_failures);
    return g_failures ? 1 : 0;
}

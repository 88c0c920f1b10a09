#include "platform/linux/atspi_accessibility.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/atspi_objects.h"
#include "platform/linux/atspi_tree_reader.h"

namespace pixolet::linux_common {
namespace {

// Every call to another program gives up after this long. Without it the
// first call to a hung program blocks for many seconds.
constexpr int kCallTimeoutMs = 250;
// When this process starts the accessibility bus, programs that wait for it
// (Qt's) join within about a second.
constexpr auto kJoinGrace = std::chrono::milliseconds(1500);
constexpr auto kJoinPoll = std::chrono::milliseconds(50);

// Walks the applications on the bus with the process id the bus gives for
// each, until `visit` returns something. Programs that were waiting for the
// bus join it shortly after this process started it: the walk is repeated
// until `graceEnd`. The bus, not the program, answers which process an
// application is, so a hung bystander costs nothing here.
GRef<AtspiAccessible> WalkApplications(
    std::chrono::steady_clock::time_point graceEnd, const std::function<void()>& serviceIdle,
    const std::function<GRef<AtspiAccessible>(AtspiAccessible*, guint)>& visit) {
    for (;;) {
        GRef<AtspiAccessible> desktop(atspi_get_desktop(0));
        if (!desktop) return nullptr;
        CallError appsError;
        const gint apps = atspi_accessible_get_child_count(desktop.get(), appsError.out());
        if (appsError.failed()) return nullptr;
        for (gint i = 0; i < apps; ++i) {
            CallError appError;
            GRef<AtspiAccessible> app(
                atspi_accessible_get_child_at_index(desktop.get(), i, appError.out()));
            if (!app) continue;
            CallError pidError;
            const guint pid = atspi_accessible_get_process_id(app.get(), pidError.out());
            if (pidError.failed()) continue;
            if (GRef<AtspiAccessible> found = visit(app.get(), pid)) return found;
        }
        if (std::chrono::steady_clock::now() >= graceEnd) return nullptr;
        std::this_thread::sleep_for(kJoinPoll);
        serviceIdle();
        atspi_accessible_clear_cache(desktop.get());
    }
}

// The application of the process on the bus, polling for it until
// `graceEnd` when it has not joined yet.
GRef<AtspiAccessible> FindApplication(int processId, std::chrono::steady_clock::time_point graceEnd,
                                      const std::function<void()>& serviceIdle) {
    return WalkApplications(
        graceEnd, serviceIdle,
        [processId](AtspiAccessible* app, guint pid) -> GRef<AtspiAccessible> {
            if (static_cast<int>(pid) != processId) return nullptr;
            return GRef<AtspiAccessible>(static_cast<AtspiAccessible*>(g_object_ref(app)));
        });
}

// The window of an application that is in the active state; none when it
// has none or does not answer.
GRef<AtspiAccessible> ActiveWindowOf(AtspiAccessible* app) {
    if (!app) return nullptr;
    CallError windowsError;
    const gint windows = atspi_accessible_get_child_count(app, windowsError.out());
    if (windowsError.failed()) return nullptr;  // the program does not answer
    for (gint w = 0; w < windows; ++w) {
        CallError windowError;
        GRef<AtspiAccessible> window(
            atspi_accessible_get_child_at_index(app, w, windowError.out()));
        if (windowError.failed()) return nullptr;
        if (window && HasState(window.get(), ATSPI_STATE_ACTIVE)) return window;
    }
    return nullptr;
}

// Where the display system does not say which program is active (Wayland):
// the active window of any application but this one, polling until
// `graceEnd` for programs still joining the bus.
GRef<AtspiAccessible> FindActiveWindowOfOthers(std::chrono::steady_clock::time_point graceEnd,
                                               const std::function<void()>& serviceIdle) {
    const auto self = static_cast<guint>(getpid());
    return WalkApplications(graceEnd, serviceIdle,
                            [self](AtspiAccessible* app, guint pid) -> GRef<AtspiAccessible> {
                                if (pid == self) return nullptr;
                                return ActiveWindowOf(app);
                            });
}

}  // namespace

struct AtspiAccessibility::State {
    enum class Bus { NotTried, Ready, Unavailable };
    Bus bus = Bus::NotTried;
    // The main context that libatspi's bus connection and its queued events
    // are served from: this thread's own, run only by ServiceIdle.
    GMainContext* context = nullptr;
    // Until when a program missing from the bus may still be joining it.
    std::chrono::steady_clock::time_point joinGraceEnd;
    // The objects of the last window read, by node number.
    std::vector<GRef<AtspiAccessible>> objects;

    AtspiAccessible* Object(int node) const {
        if (node < 0 || static_cast<std::size_t>(node) >= objects.size()) return nullptr;
        return objects[static_cast<std::size_t>(node)].get();
    }
};

AtspiAccessibility::AtspiAccessibility() : state_(std::make_unique<State>()) {}

AtspiAccessibility::~AtspiAccessibility() {
    state_->objects.clear();
    if (state_->bus == State::Bus::Ready) atspi_exit();
    if (state_->context) g_main_context_unref(state_->context);
}

std::optional<AccessibleTree> AtspiAccessibility::ReadActiveWindow(int processId) {
    State& s = *state_;
    // Connects on first use. A failed connection is final: libatspi cannot be
    // initialised twice, and aborts on any later call without a bus.
    if (s.bus == State::Bus::NotTried) {
        const int status = atspi_init();
        if (status == 0) {
            // Off GLib's default context, which other code in the process
            // may use (a GTK platform theme), onto one of this thread's own.
            s.context = g_main_context_new();
            atspi_set_main_context(s.context);
            // No start-up grace: a program seen for the first time would
            // otherwise get many seconds to answer.
            atspi_set_timeout(kCallTimeoutMs, 0);
            s.bus = State::Bus::Ready;
            s.joinGraceEnd = std::chrono::steady_clock::now() + kJoinGrace;
        } else {
            s.bus = State::Bus::Unavailable;
            std::fprintf(stderr,
                         "pixolet: no accessibility bus; colours cannot be pasted into colour "
                         "dialogs\n");
        }
    }
    if (s.bus != State::Bus::Ready) return std::nullopt;
    ServiceIdle();
    s.objects.clear();

    GRef<AtspiAccessible> window =
        processId == kAnyOtherProcess
            ? FindActiveWindowOfOthers(s.joinGraceEnd, [this] { ServiceIdle(); })
            : ActiveWindowOf(
                  FindApplication(processId, s.joinGraceEnd, [this] { ServiceIdle(); }).get());
    if (!window) return std::nullopt;
    AccessibleTree tree;
    if (!ReadAccessibleTree(window.get(), tree, s.objects)) {
        s.objects.clear();
        return std::nullopt;
    }
    return tree;
}

bool AtspiAccessibility::SetText(int node, const std::string& text) {
    AtspiAccessible* object = state_->Object(node);
    if (!object) return false;
    GRef<AtspiEditableText> editable(atspi_accessible_get_editable_text_iface(object));
    if (!editable) return false;
    CallError error;
    const gboolean done =
        atspi_editable_text_set_text_contents(editable.get(), text.c_str(), error.out());
    return done && !error.failed();
}

bool AtspiAccessibility::DoAction(int node, const std::string& name) {
    AtspiAccessible* object = state_->Object(node);
    if (!object) return false;
    GRef<AtspiAction> action(atspi_accessible_get_action_iface(object));
    if (!action) return false;
    const std::vector<std::string> names = ActionNames(object);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != name) continue;
        CallError error;
        const gboolean done =
            atspi_action_do_action(action.get(), static_cast<gint>(i), error.out());
        return done && !error.failed();
    }
    return false;
}

bool AtspiAccessibility::IsShowing(int node) {
    AtspiAccessible* object = state_->Object(node);
    if (!object) return false;
    ServiceIdle();
    atspi_accessible_clear_cache(object);
    return HasState(object, ATSPI_STATE_SHOWING);
}

void AtspiAccessibility::ServiceIdle() {
    // Events that arrived meanwhile; a bounded number per call, so a flood
    // cannot keep the thread from its next paste.
    if (state_->bus != State::Bus::Ready) return;
    for (int i = 0; i < 1000 && g_main_context_iteration(state_->context, FALSE); ++i) {
    }
}

}  // namespace pixolet::linux_common

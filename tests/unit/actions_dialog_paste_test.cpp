#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "actions/dialog_paste.h"
#include "actions/dialog_paste_worker.h"
#include "fakes/fake_accessibility.h"

namespace pixolet {
namespace {

using Call = fakes::FakeAccessibility::Call;
using Outcome = DialogPasteOutcome;

constexpr int kQtPid = 4100;
constexpr int kGtkPid = 4200;

std::string Set(int node, const std::string& text) {
    return "set " + std::to_string(node) + " " + text;
}
std::string Action(int node, const std::string& name) {
    return "action " + std::to_string(node) + " " + name;
}

struct Waits {
    int sleeps = 0;
    bool stopping = false;
    DialogPasteWaits get() {
        return {[this](std::chrono::milliseconds) { ++sleeps; }, [this] { return stopping; }};
    }
};

TEST(PasteIntoDialog, QtDialogGetsRedGreenBlueInThatOrder) {
    fakes::FakeAccessibility port;
    const fakes::QtDialogTree qt = fakes::MakeQtColourDialog();
    port.SetWindow(kQtPid, qt.tree);
    Waits waits;
    EXPECT_EQ(PasteIntoDialog(port, {kQtPid, MakeColour(18, 52, 86)}, waits.get()), Outcome::Sent);
    EXPECT_EQ(port.calls(), (std::vector<Call>{{kQtPid, "read"},
                                               {kQtPid, Set(qt.red, "18")},
                                               {kQtPid, Set(qt.green, "52")},
                                               {kQtPid, Set(qt.blue, "86")}}));
    EXPECT_EQ(waits.sleeps, 0);
}

TEST(PasteIntoDialog, GtkPaletteIsSwitchedToTheEditorBeforeTheColourGoesIn) {
    fakes::FakeAccessibility port;
    const fakes::GtkChooserTree palette = fakes::MakeGtkColourChooser(false);
    const fakes::GtkChooserTree editor = fakes::MakeGtkColourChooser(true);
    port.SetWindow(kGtkPid, palette.tree);
    port.ShowAfterAction(palette.plus, palette.entry, 3, editor.tree);
    Waits waits;
    EXPECT_EQ(PasteIntoDialog(port, {kGtkPid, MakeColour(18, 52, 86)}, waits.get()), Outcome::Sent);
    EXPECT_EQ(port.calls(), (std::vector<Call>{{kGtkPid, "read"},
                                               {kGtkPid, Action(palette.plus, "activate")},
                                               {kGtkPid, "read"},
                                               {kGtkPid, Set(editor.entry, "#123456")},
                                               {kGtkPid, Action(editor.entry, "activate")}}));
    EXPECT_EQ(waits.sleeps, 3);
}

TEST(PasteIntoDialog, GiveUpWithoutWritingWhenTheEditorNeverShows) {
    fakes::FakeAccessibility port;
    const fakes::GtkChooserTree palette = fakes::MakeGtkColourChooser(false);
    port.SetWindow(kGtkPid, palette.tree);
    Waits waits;
    EXPECT_EQ(PasteIntoDialog(port, {kGtkPid, kWhite}, waits.get()), Outcome::Failed);
    EXPECT_EQ(port.calls().size(), 2u);  // the read and the "+"
    EXPECT_EQ(waits.sleeps, kEditorPolls);
}

TEST(PasteIntoDialog, NothingIsWrittenOutsideAColourDialog) {
    fakes::FakeAccessibility port;
    fakes::TreeBuilder plain;
    const int dialog = plain.Add(-1, AccessibleRole::Dialog);
    plain.AddText(dialog, "#123456", {"activate"});
    port.SetWindow(kQtPid, plain.tree());
    Waits waits;
    EXPECT_EQ(PasteIntoDialog(port, {kQtPid, kWhite}, waits.get()), Outcome::NotAColourDialog);
    // A program that is not on the bus, or does not answer.
    EXPECT_EQ(PasteIntoDialog(port, {kGtkPid, kWhite}, waits.get()), Outcome::Unreachable);
    EXPECT_EQ(port.calls(), (std::vector<Call>{{kQtPid, "read"}, {kGtkPid, "read"}}));
}

TEST(PasteIntoDialog, StopsAtTheFirstRefusedStepOrWhenTheProgramEnds) {
    const fakes::QtDialogTree qt = fakes::MakeQtColourDialog();
    {
        fakes::FakeAccessibility port;
        port.SetWindow(kQtPid, qt.tree);
        port.RefuseWrites();
        Waits waits;
        EXPECT_EQ(PasteIntoDialog(port, {kQtPid, kWhite}, waits.get()), Outcome::Failed);
        EXPECT_EQ(port.calls().size(), 2u);  // the read and the red field
    }
    {
        fakes::FakeAccessibility port;
        port.SetWindow(kQtPid, qt.tree);
        Waits waits;
        waits.stopping = true;
        EXPECT_EQ(PasteIntoDialog(port, {kQtPid, kWhite}, waits.get()), Outcome::Failed);
        EXPECT_EQ(port.calls().size(), 1u);
    }
}

// Hands the worker a port that forwards to a fake the test keeps.
class ForwardingPort : public AccessibilityPort {
  public:
    explicit ForwardingPort(fakes::FakeAccessibility& fake) : fake_(fake) {}
    std::optional<AccessibleTree> ReadActiveWindow(int pid) override {
        return fake_.ReadActiveWindow(pid);
    }
    bool SetText(int node, const std::string& text) override { return fake_.SetText(node, text); }
    bool DoAction(int node, const std::string& a) override { return fake_.DoAction(node, a); }
    bool IsShowing(int node) override { return fake_.IsShowing(node); }
    void ServiceIdle() override { fake_.ServiceIdle(); }

  private:
    fakes::FakeAccessibility& fake_;
};

struct WorkerFixture {
    fakes::FakeAccessibility fake;
    std::atomic<int> portsMade{0};
    std::thread::id portThread;
    std::mutex reportMutex;
    std::vector<std::pair<int, Outcome>> reports;

    std::unique_ptr<DialogPasteWorker> Make() {
        return std::make_unique<DialogPasteWorker>(
            [this]() -> std::unique_ptr<AccessibilityPort> {
                ++portsMade;
                portThread = std::this_thread::get_id();
                return std::make_unique<ForwardingPort>(fake);
            },
            [this](const DialogPasteJob& job, Outcome outcome) {
                std::lock_guard lock(reportMutex);
                reports.emplace_back(job.processId, outcome);
            });
    }
};

TEST(DialogPasteWorker, PastesInTheOrderAskedOnAThreadOfItsOwn) {
    WorkerFixture f;
    const fakes::QtDialogTree qt = fakes::MakeQtColourDialog();
    f.fake.SetWindow(kQtPid, qt.tree);
    auto worker = f.Make();
    EXPECT_EQ(f.portsMade, 0) << "nothing is connected before the first paste";

    ASSERT_TRUE(worker->Post({kQtPid, MakeColour(1, 2, 3)}));
    ASSERT_TRUE(worker->Post({kGtkPid, kWhite}));
    ASSERT_TRUE(worker->Post({kQtPid, MakeColour(4, 5, 6)}));
    worker->WaitUntilIdle();

    EXPECT_EQ(f.portsMade, 1);
    EXPECT_NE(f.portThread, std::this_thread::get_id());
    std::vector<std::string> writes;
    for (const Call& call : f.fake.calls())
        if (call.what.rfind("set ", 0) == 0) writes.push_back(call.what);
    EXPECT_EQ(writes,
              (std::vector<std::string>{Set(qt.red, "1"), Set(qt.green, "2"), Set(qt.blue, "3"),
                                        Set(qt.red, "4"), Set(qt.green, "5"), Set(qt.blue, "6")}));
    EXPECT_EQ(f.reports, (std::vector<std::pair<int, Outcome>>{{kQtPid, Outcome::Sent},
                                                               {kGtkPid, Outcome::Unreachable},
                                                               {kQtPid, Outcome::Sent}}));
}

TEST(DialogPasteWorker, AProgramThatDoesNotAnswerNeverHoldsUpTheCaller) {
    WorkerFixture f;
    const fakes::QtDialogTree qt = fakes::MakeQtColourDialog();
    f.fake.SetWindow(kQtPid, qt.tree);
    auto worker = f.Make();
    f.fake.Hold();
    ASSERT_TRUE(worker->Post({kQtPid, MakeColour(1, 1, 1)}));
    f.fake.WaitUntilBlocked();

    // The worker is stuck in a call: posting still returns at once, up to
    // the limit of waiting pastes.
    for (std::size_t i = 0; i < DialogPasteWorker::kMaxWaiting; ++i)
        EXPECT_TRUE(worker->Post({kQtPid, MakeColour(2, 2, 2)})) << i;
    EXPECT_FALSE(worker->Post({kQtPid, MakeColour(3, 3, 3)}));

    f.fake.Release();
    worker->WaitUntilIdle();
    EXPECT_EQ(f.reports.size(), DialogPasteWorker::kMaxWaiting + 1);
    EXPECT_TRUE(worker->Post({kQtPid, MakeColour(3, 3, 3)})) << "room again once done";
    worker->WaitUntilIdle();
}

TEST(DialogPasteWorker, EndingDropsWaitingPastesAndStopsTheRunningOne) {
    WorkerFixture f;
    const fakes::QtDialogTree qt = fakes::MakeQtColourDialog();
    f.fake.SetWindow(kQtPid, qt.tree);
    auto worker = f.Make();
    f.fake.Hold();
    ASSERT_TRUE(worker->Post({kQtPid, kWhite}));
    ASSERT_TRUE(worker->Post({kQtPid, kWhite}));
    f.fake.WaitUntilBlocked();

    worker->RequestStop();
    EXPECT_FALSE(worker->Post({kQtPid, kWhite}));
    f.fake.Release();
    worker.reset();

    EXPECT_EQ(f.fake.calls(), (std::vector<Call>{{kQtPid, "read"}}));
}

TEST(DialogPasteWorker, ServesThePortWhileIdle) {
    WorkerFixture f;
    auto worker = f.Make();
    ASSERT_TRUE(worker->Post({kQtPid, kWhite}));
    worker->WaitUntilIdle();
    // Idle service runs about once a second; it must not need a paste.
    for (int i = 0; i < 300 && f.fake.idleServices() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GT(f.fake.idleServices(), 0);
}

}  // namespace
}  // namespace pixolet

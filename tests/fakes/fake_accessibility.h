// Accessible trees of other programs' dialogs, and a fake accessibility
// service that serves them and records what is done to them.
#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ports/accessibility_port.h"

namespace pixolet::fakes {

// Builds a tree in depth-first order: Add returns the new node's number.
class TreeBuilder {
  public:
    int Add(int parent, AccessibleRole role, bool showing = true) {
        AccessibleNode node;
        node.parent = parent;
        node.role = role;
        node.showing = showing;
        tree_.push_back(node);
        return static_cast<int>(tree_.size()) - 1;
    }
    int AddSpin(int parent, double maximum, std::string text = "0", bool showing = true) {
        const int n = Add(parent, AccessibleRole::SpinButton, showing);
        tree_.back().maximum = maximum;
        tree_.back().editable = true;
        tree_.back().text = std::move(text);
        tree_.back().actions = {"SetFocus", "Increase", "Decrease"};
        return n;
    }
    int AddText(int parent, std::string text, std::vector<std::string> actions = {},
                bool showing = true) {
        const int n = Add(parent, AccessibleRole::Text, showing);
        tree_.back().editable = true;
        tree_.back().text = std::move(text);
        tree_.back().actions = std::move(actions);
        return n;
    }
    AccessibleNode& operator[](int node) { return tree_[static_cast<std::size_t>(node)]; }
    const AccessibleTree& tree() const { return tree_; }

  private:
    AccessibleTree tree_;
};

// Qt's colour dialog as its accessible tree shows it: buttons, then the seven
// spin buttons (hue, saturation, value, red, green, blue, hidden alpha) with
// their labels, then the "#rrggbb" field, then OK and Cancel.
struct QtDialogTree {
    AccessibleTree tree;
    int red = -1, green = -1, blue = -1, hex = -1;
};
inline QtDialogTree MakeQtColourDialog() {
    TreeBuilder b;
    const int dialog = b.Add(-1, AccessibleRole::Dialog);
    b.Add(dialog, AccessibleRole::PushButton);
    const int panel = b.Add(dialog, AccessibleRole::Other);
    QtDialogTree qt;
    const double maxima[] = {359, 255, 255, 255, 255, 255, 255};
    int spins[7];
    for (int i = 0; i < 7; ++i) {
        b.Add(panel, AccessibleRole::Other);  // the label before each
        spins[i] = b.AddSpin(panel, maxima[i], "128", i < 6);
    }
    qt.red = spins[3];
    qt.green = spins[4];
    qt.blue = spins[5];
    qt.hex = b.AddText(panel, "#808080", {"SetFocus"});
    const int box = b.Add(dialog, AccessibleRole::Other);
    b.Add(box, AccessibleRole::PushButton);
    b.Add(box, AccessibleRole::PushButton);
    qt.tree = b.tree();
    return qt;
}

// GTK 3's colour chooser: the palette of swatches with the "+" button, and
// the editor (plane, sliders, hex entry), which shows only once opened.
struct GtkChooserTree {
    AccessibleTree tree;
    int plus = -1, entry = -1;
};
inline GtkChooserTree MakeGtkColourChooser(bool editorShowing) {
    TreeBuilder b;
    const int dialog = b.Add(-1, AccessibleRole::Dialog);
    const int palette = b.Add(dialog, AccessibleRole::Other, !editorShowing);
    for (int i = 0; i < 5; ++i) {
        const int swatch = b.Add(palette, AccessibleRole::Other, !editorShowing);
        b[swatch].actions = {"select", "activate", "customize"};
    }
    GtkChooserTree gtk;
    gtk.plus = b.Add(palette, AccessibleRole::PushButton, !editorShowing);
    b[gtk.plus].actions = {"select", "activate", "customize"};
    const int editor = b.Add(dialog, AccessibleRole::Other, editorShowing);
    for (int i = 0; i < 3; ++i) b.Add(editor, AccessibleRole::ColourChooser, editorShowing);
    gtk.entry = b.AddText(editor, editorShowing ? "#808080" : "", {"activate"}, editorShowing);
    const int buttons = b.Add(dialog, AccessibleRole::Other);
    b.Add(buttons, AccessibleRole::PushButton);
    b.Add(buttons, AccessibleRole::PushButton);
    gtk.tree = b.tree();
    return gtk;
}

// Serves one window per process id. Thread-safe, so a worker thread may use
// it while the test looks on; a "held" fake blocks every call until released,
// like a program that does not answer.
class FakeAccessibility : public AccessibilityPort {
  public:
    struct Call {
        int processId;
        std::string what;  // "read", "set <node> <text>", "action <node> <name>"
        friend bool operator==(const Call&, const Call&) = default;
    };

    void SetWindow(int processId, AccessibleTree tree) {
        std::lock_guard lock(mutex_);
        windows_[processId] = std::move(tree);
    }
    // Which node shows after how many checks once an action ran on `trigger`.
    void ShowAfterAction(int trigger, int node, int checks, AccessibleTree opened) {
        std::lock_guard lock(mutex_);
        reveal_ = Reveal{trigger, node, checks, std::move(opened)};
    }
    void RefuseWrites() {
        std::lock_guard lock(mutex_);
        refuseWrites_ = true;
    }
    void Hold() {
        std::lock_guard lock(mutex_);
        held_ = true;
    }
    void Release() {
        {
            std::lock_guard lock(mutex_);
            held_ = false;
        }
        changed_.notify_all();
    }
    // Blocks until a call is waiting in a held fake.
    void WaitUntilBlocked() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return blocked_ > 0; });
    }
    std::vector<Call> calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    int idleServices() {
        std::lock_guard lock(mutex_);
        return idleServices_;
    }

    std::optional<AccessibleTree> ReadActiveWindow(int processId) override {
        std::unique_lock lock(WaitWhileHeld());
        current_ = processId;
        calls_.push_back({processId, "read"});
        const auto found = windows_.find(processId);
        if (found == windows_.end()) return std::nullopt;
        return found->second;
    }
    bool SetText(int node, const std::string& text) override {
        std::unique_lock lock(WaitWhileHeld());
        calls_.push_back({current_, "set " + std::to_string(node) + " " + text});
        return !refuseWrites_;
    }
    bool DoAction(int node, const std::string& action) override {
        std::unique_lock lock(WaitWhileHeld());
        calls_.push_back({current_, "action " + std::to_string(node) + " " + action});
        if (reveal_ && reveal_->trigger == node) reveal_->armed = true;
        return !refuseWrites_;
    }
    bool IsShowing(int node) override {
        std::unique_lock lock(WaitWhileHeld());
        if (!reveal_ || !reveal_->armed || reveal_->node != node) return false;
        if (reveal_->checks-- > 0) return false;
        windows_[current_] = reveal_->opened;
        return true;
    }
    void ServiceIdle() override {
        std::lock_guard lock(mutex_);
        ++idleServices_;
    }

  private:
    struct Reveal {
        int trigger;
        int node;
        int checks;
        AccessibleTree opened;
        bool armed = false;
    };

    std::unique_lock<std::mutex> WaitWhileHeld() {
        std::unique_lock lock(mutex_);
        ++blocked_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return !held_; });
        --blocked_;
        return lock;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<int, AccessibleTree> windows_;
    std::optional<Reveal> reveal_;
    std::vector<Call> calls_;
    int current_ = 0;
    int blocked_ = 0;
    int idleServices_ = 0;
    bool held_ = false;
    bool refuseWrites_ = false;
};

}  // namespace pixolet::fakes

// Other programs' windows as an accessibility service describes them: a tree
// of accessible objects with roles, states, texts and actions. Every call
// blocks until the other program has answered or a short time-out has passed,
// so the port is used from one worker thread only, never from the GUI thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pixolet {

// The few roles that colour dialogs are recognised by.
enum class AccessibleRole {
    Other,
    Dialog,
    SpinButton,
    Text,  // a line or text entry
    PushButton,
    ColourChooser,
};

// One accessible object of a window as it was read.
struct AccessibleNode {
    AccessibleRole role = AccessibleRole::Other;
    int parent = -1;  // index in the tree; -1 for the window itself
    bool showing = false;
    bool editable = false;          // its text can be replaced
    std::optional<double> maximum;  // upper bound of a value (spin buttons)
    std::string text;               // contents of spin buttons and text fields
    std::vector<std::string> actions;
};

// A window's accessible objects in depth-first order; the window comes first.
using AccessibleTree = std::vector<AccessibleNode>;

// Asks ReadActiveWindow for the active window of whichever program other
// than this one has it, where the display system does not tell which
// program that is.
inline constexpr int kAnyOtherProcess = 0;

class AccessibilityPort {
  public:
    virtual ~AccessibilityPort() = default;

    // Reads the active window of the program with this process id. Nothing
    // when the service, the program's accessibility or an active window of it
    // is not available, or the program does not answer in time. Node numbers
    // stay valid for the calls below until the next read.
    virtual std::optional<AccessibleTree> ReadActiveWindow(int processId) = 0;
    // Replaces the text of a node as if the user had typed it.
    virtual bool SetText(int node, const std::string& text) = 0;
    // Runs the named action of a node ("activate", ...).
    virtual bool DoAction(int node, const std::string& action) = 0;
    // Whether a node is on the screen now (read afresh, not remembered).
    virtual bool IsShowing(int node) = 0;
    // Handles what the service has sent meanwhile without blocking; called
    // before each request and from time to time while there is none.
    virtual void ServiceIdle() {}
};

}  // namespace pixolet

#include "platform/linux/atspi_tree_reader.h"

#include <chrono>
#include <string>
#include <utility>

namespace pixolet::linux_common {
namespace {

// Bounds for reading one window.
constexpr std::size_t kMaxNodes = 3000;
constexpr int kMaxDepth = 40;
constexpr auto kReadBudget = std::chrono::seconds(2);
// Only short texts matter here (numbers, "#rrggbb").
constexpr int kTextChars = 64;

class TreeReader {
  public:
    TreeReader(AccessibleTree& tree, std::vector<GRef<AtspiAccessible>>& objects)
        : tree_(tree),
          objects_(objects),
          deadline_(std::chrono::steady_clock::now() + kReadBudget) {}

    // False when the program did not answer in time.
    bool Read(AtspiAccessible* window) {
        Visit(window, -1, 0);
        return !failed_;
    }

  private:
    void Visit(AtspiAccessible* object, int parent, int depth) {
        if (failed_ || tree_.size() >= kMaxNodes) return;
        if (std::chrono::steady_clock::now() > deadline_) {
            failed_ = true;
            return;
        }
        CallError roleError;
        const AtspiRole role = atspi_accessible_get_role(object, roleError.out());
        if (roleError.failed()) {
            failed_ = true;
            return;
        }
        AccessibleNode node;
        node.parent = parent;
        node.role = RoleOf(role);
        node.showing = HasState(object, ATSPI_STATE_SHOWING);
        if (node.role == AccessibleRole::SpinButton || node.role == AccessibleRole::Text)
            ReadValueAndText(object, node);
        if (node.role != AccessibleRole::Other || role == ATSPI_ROLE_RADIO_BUTTON ||
            role == ATSPI_ROLE_TOGGLE_BUTTON)
            node.actions = ActionNames(object);

        const int index = static_cast<int>(tree_.size());
        tree_.push_back(std::move(node));
        objects_.emplace_back(
            GRef<AtspiAccessible>(static_cast<AtspiAccessible*>(g_object_ref(object))));
        if (depth >= kMaxDepth) return;

        CallError countError;
        const gint children = atspi_accessible_get_child_count(object, countError.out());
        if (countError.failed()) {
            failed_ = true;
            return;
        }
        for (gint i = 0; i < children && !failed_ && tree_.size() < kMaxNodes; ++i) {
            CallError childError;
            GRef<AtspiAccessible> child(
                atspi_accessible_get_child_at_index(object, i, childError.out()));
            if (childError.failed()) {
                failed_ = true;
                return;
            }
            if (child) Visit(child.get(), index, depth + 1);
        }
    }

    static void ReadValueAndText(AtspiAccessible* object, AccessibleNode& node) {
        if (GRef<AtspiText> text(atspi_accessible_get_text_iface(object)); text) {
            CallError error;
            OwnedText contents(atspi_text_get_text(text.get(), 0, kTextChars, error.out()));
            if (!error.failed() && contents) node.text = contents.get();
        }
        GRef<AtspiEditableText> editable(atspi_accessible_get_editable_text_iface(object));
        node.editable = editable != nullptr;
        if (GRef<AtspiValue> value(atspi_accessible_get_value_iface(object)); value) {
            CallError error;
            const double maximum = atspi_value_get_maximum_value(value.get(), error.out());
            if (!error.failed()) node.maximum = maximum;
        }
    }

    AccessibleTree& tree_;
    std::vector<GRef<AtspiAccessible>>& objects_;
    std::chrono::steady_clock::time_point deadline_;
    bool failed_ = false;
};

}  // namespace

bool ReadAccessibleTree(AtspiAccessible* window, AccessibleTree& tree,
                        std::vector<GRef<AtspiAccessible>>& objects) {
    return TreeReader(tree, objects).Read(window);
}

}  // namespace pixolet::linux_common

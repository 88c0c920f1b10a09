#include "actions/colour_dialog_shape.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "readout/number_text.h"

namespace pixolet {
namespace {

bool HasAction(const AccessibleNode& node, std::string_view action) {
    return std::find(node.actions.begin(), node.actions.end(), action) != node.actions.end();
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "#rrggbb", either case.
bool IsHexColourText(std::string_view text) {
    return text.size() == 7 && text[0] == '#' &&
           std::all_of(text.begin() + 1, text.end(), IsHexDigit);
}

bool HasMaximum(const AccessibleNode& node, double maximum) {
    return node.maximum && *node.maximum == maximum;
}

// Qt's colour dialog: spin buttons for hue (up to 359), saturation, value,
// red, green and blue (up to 255 each), side by side under one parent, with
// an optional alpha spin button after them, and a text field holding the
// colour as "#rrggbb". Gives the red, green and blue spin buttons.
std::optional<std::array<int, 3>> FindRgbFields(const AccessibleTree& tree) {
    bool hasHexField = std::any_of(tree.begin(), tree.end(), [](const AccessibleNode& n) {
        return n.role == AccessibleRole::Text && IsHexColourText(n.text);
    });
    if (!hasHexField) return std::nullopt;

    std::vector<int> spins;
    for (std::size_t i = 0; i < tree.size(); ++i)
        if (tree[i].role == AccessibleRole::SpinButton) spins.push_back(static_cast<int>(i));
    constexpr std::array<double, 6> kMaxima = {359, 255, 255, 255, 255, 255};
    for (std::size_t first = 0; first + kMaxima.size() <= spins.size(); ++first) {
        const int parent = tree[static_cast<std::size_t>(spins[first])].parent;
        bool match = true;
        for (std::size_t k = 0; k < kMaxima.size() && match; ++k) {
            const AccessibleNode& spin = tree[static_cast<std::size_t>(spins[first + k])];
            match = spin.parent == parent && HasMaximum(spin, kMaxima[k]);
        }
        if (!match) continue;
        const std::array<int, 3> rgb = {spins[first + 3], spins[first + 4], spins[first + 5]};
        const bool editable = std::all_of(rgb.begin(), rgb.end(), [&](int node) {
            return tree[static_cast<std::size_t>(node)].editable;
        });
        if (editable) return rgb;
    }
    return std::nullopt;
}

// GTK 3's colour editor: an editable text entry with an activate action next
// to the colour chooser widgets (plane and sliders) under one parent.
std::optional<int> FindHexEntry(const AccessibleTree& tree) {
    for (std::size_t i = 0; i < tree.size(); ++i) {
        const AccessibleNode& entry = tree[i];
        if (entry.role != AccessibleRole::Text || !entry.editable || entry.parent < 0 ||
            !HasAction(entry, "activate"))
            continue;
        const bool besideChooser =
            std::any_of(tree.begin(), tree.end(), [&](const AccessibleNode& sibling) {
                return sibling.parent == entry.parent &&
                       sibling.role == AccessibleRole::ColourChooser;
            });
        if (besideChooser) return static_cast<int>(i);
    }
    return std::nullopt;
}

// The palette view's "+" button, which opens the editor: a push button with
// a customize action. The palette's own swatches have that action too but are
// not push buttons.
std::optional<int> FindCustomizeButton(const AccessibleTree& tree) {
    for (std::size_t i = 0; i < tree.size(); ++i) {
        const AccessibleNode& node = tree[i];
        if (node.role == AccessibleRole::PushButton && node.showing &&
            HasAction(node, "customize") && HasAction(node, "activate"))
            return static_cast<int>(i);
    }
    return std::nullopt;
}

}  // namespace

std::string HexColourText(Colour colour) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (const std::uint8_t byte : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

ColourDialogPlan PlanColourDialogPaste(const AccessibleTree& tree, Colour colour) {
    ColourDialogPlan plan;
    using Step = ColourDialogStep;
    if (const auto rgb = FindRgbFields(tree)) {
        plan.kind = ColourDialogPlan::Kind::Fields;
        plan.steps = {{Step::Kind::SetText, (*rgb)[0], FormatDecimal(RedOf(colour))},
                      {Step::Kind::SetText, (*rgb)[1], FormatDecimal(GreenOf(colour))},
                      {Step::Kind::SetText, (*rgb)[2], FormatDecimal(BlueOf(colour))}};
        return plan;
    }
    const auto entry = FindHexEntry(tree);
    if (!entry) return plan;
    if (tree[static_cast<std::size_t>(*entry)].showing) {
        plan.kind = ColourDialogPlan::Kind::HexEditor;
        plan.steps = {{Step::Kind::SetText, *entry, HexColourText(colour)},
                      {Step::Kind::Action, *entry, "activate"}};
        return plan;
    }
    if (const auto button = FindCustomizeButton(tree)) {
        plan.kind = ColourDialogPlan::Kind::OpenEditor;
        plan.steps = {{Step::Kind::Action, *button, "activate"}};
        plan.waitForNode = *entry;
    }
    return plan;
}

}  // namespace pixolet

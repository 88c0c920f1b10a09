#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "actions/colour_dialog_shape.h"
#include "fakes/fake_accessibility.h"

namespace pixolet {
namespace {

using Kind = ColourDialogPlan::Kind;
using Step = ColourDialogStep;

TEST(ColourDialogShape, QtDialogTakesRedGreenBlueAsDecimalText) {
    const fakes::QtDialogTree qt = fakes::MakeQtColourDialog();
    const struct {
        Colour colour;
        const char* r;
        const char* g;
        const char* b;
    } cases[] = {
        {MakeColour(18, 52, 86), "18", "52", "86"},
        {kBlack, "0", "0", "0"},
        {MakeColour(255, 128, 5), "255", "128", "5"},
    };
    for (const auto& c : cases) {
        const ColourDialogPlan plan = PlanColourDialogPaste(qt.tree, c.colour);
        EXPECT_EQ(plan.kind, Kind::Fields);
        EXPECT_EQ(plan.steps, (std::vector<Step>{{Step::Kind::SetText, qt.red, c.r},
                                                 {Step::Kind::SetText, qt.green, c.g},
                                                 {Step::Kind::SetText, qt.blue, c.b}}));
    }
}

TEST(ColourDialogShape, QtDialogIsKnownByItsWholeShapeOnly) {
    const struct {
        const char* change;
        std::function<void(fakes::QtDialogTree&)> apply;
        bool recognised;
    } cases[] = {
        {"none", [](fakes::QtDialogTree&) {}, true},
        {"hex field in lower case",
         [](fakes::QtDialogTree& t) { t.tree[static_cast<std::size_t>(t.hex)].text = "#a0b0c0"; },
         true},
        {"no alpha spin button",
         [](fakes::QtDialogTree& t) {
             t.tree[static_cast<std::size_t>(t.blue + 2)].role = AccessibleRole::Other;
         },
         true},
        {"hue up to 360",
         [](fakes::QtDialogTree& t) { t.tree[static_cast<std::size_t>(t.red - 6)].maximum = 360; },
         false},
        {"blue up to 100",
         [](fakes::QtDialogTree& t) { t.tree[static_cast<std::size_t>(t.blue)].maximum = 100; },
         false},
        {"red not editable",
         [](fakes::QtDialogTree& t) { t.tree[static_cast<std::size_t>(t.red)].editable = false; },
         false},
        {"green under another parent",
         [](fakes::QtDialogTree& t) { t.tree[static_cast<std::size_t>(t.green)].parent = 0; },
         false},
        {"hex field with five digits",
         [](fakes::QtDialogTree& t) { t.tree[static_cast<std::size_t>(t.hex)].text = "#80808"; },
         false},
        {"hex field without #",
         [](fakes::QtDialogTree& t) { t.tree[static_cast<std::size_t>(t.hex)].text = "808080"; },
         false},
        {"hex field not hexadecimal",
         [](fakes::QtDialogTree& t) { t.tree[static_cast<std::size_t>(t.hex)].text = "#80808g"; },
         false},
    };
    for (const auto& c : cases) {
        fakes::QtDialogTree qt = fakes::MakeQtColourDialog();
        c.apply(qt);
        EXPECT_EQ(PlanColourDialogPaste(qt.tree, kWhite).kind == Kind::Fields, c.recognised)
            << c.change;
    }
}

TEST(ColourDialogShape, GtkEditorTakesHexTextAndIsActivated) {
    const fakes::GtkChooserTree gtk = fakes::MakeGtkColourChooser(true);
    const struct {
        Colour colour;
        const char* text;
    } cases[] = {
        {MakeColour(18, 52, 86), "#123456"},
        {MakeColour(255, 128, 5), "#FF8005"},
        {kBlack, "#000000"},
        {MakeColour(0xAB, 0xCD, 0xEF), "#ABCDEF"},
    };
    for (const auto& c : cases) {
        const ColourDialogPlan plan = PlanColourDialogPaste(gtk.tree, c.colour);
        EXPECT_EQ(plan.kind, Kind::HexEditor);
        EXPECT_EQ(plan.steps, (std::vector<Step>{{Step::Kind::SetText, gtk.entry, c.text},
                                                 {Step::Kind::Action, gtk.entry, "activate"}}));
    }
}

TEST(ColourDialogShape, GtkPaletteOpensTheEditorWithThePlusButtonFirst) {
    const fakes::GtkChooserTree gtk = fakes::MakeGtkColourChooser(false);
    const ColourDialogPlan plan = PlanColourDialogPaste(gtk.tree, MakeColour(18, 52, 86));
    EXPECT_EQ(plan.kind, Kind::OpenEditor);
    EXPECT_EQ(plan.steps, (std::vector<Step>{{Step::Kind::Action, gtk.plus, "activate"}}));
    EXPECT_EQ(plan.waitForNode, gtk.entry);
}

TEST(ColourDialogShape, OtherDialogsAreLeftAlone) {
    // A file dialog: a text entry with an activate action, but no colour
    // chooser beside it.
    fakes::TreeBuilder file;
    const int dialog = file.Add(-1, AccessibleRole::Dialog);
    const int box = file.Add(dialog, AccessibleRole::Other);
    file.AddText(box, "#123456", {"activate"});
    file.Add(box, AccessibleRole::PushButton);

    // The palette without its "+" button: the swatches' own customize action
    // does not count.
    fakes::GtkChooserTree noPlus = fakes::MakeGtkColourChooser(false);
    noPlus.tree[static_cast<std::size_t>(noPlus.plus)].role = AccessibleRole::Other;

    // The "+" button hidden as well as the editor.
    fakes::GtkChooserTree hiddenPlus = fakes::MakeGtkColourChooser(false);
    hiddenPlus.tree[static_cast<std::size_t>(hiddenPlus.plus)].showing = false;

    // Six spin buttons of the right ranges but no "#rrggbb" field anywhere.
    fakes::QtDialogTree noHex = fakes::MakeQtColourDialog();
    noHex.tree[static_cast<std::size_t>(noHex.hex)].role = AccessibleRole::Other;

    const struct {
        const char* name;
        AccessibleTree tree;
    } cases[] = {
        {"empty window", {}},
        {"file dialog", file.tree()},
        {"palette without +", noPlus.tree},
        {"palette with hidden +", hiddenPlus.tree},
        {"spin buttons without hex field", noHex.tree},
    };
    for (const auto& c : cases) {
        const ColourDialogPlan plan = PlanColourDialogPaste(c.tree, kWhite);
        EXPECT_EQ(plan.kind, Kind::None) << c.name;
        EXPECT_TRUE(plan.steps.empty()) << c.name;
    }
}

}  // namespace
}  // namespace pixolet

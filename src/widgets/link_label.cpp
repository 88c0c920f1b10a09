#include "widgets/link_label.h"

#include <utility>

namespace pixolet {

namespace {

// Blanks in the sense of trimming: spaces and control characters.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool HoldsMoreThanBlanks(const std::string& text) {
    for (char c : text)
        if (!IsBlank(c)) return true;
    return false;
}

}  // namespace

LinkLabel::LinkLabel(std::string caption, Colour fontColour)
    : caption_(std::move(caption)), fontColour_(fontColour) {}

void LinkLabel::SetUseAsJump(bool value) {
    if (value == useAsJump_) return;
    useAsJump_ = value;
    if (value) {
        fontColour_ = InActiveColor;
        if (JumpUnderline) underline_ = true;
    } else {
        fontColour_ = kBlack;
        if (JumpUnderline) underline_ = false;
    }
}

void LinkLabel::MouseDown(LabelButton button) {
    if (enabled_ && useAsJump_ && button == LabelButton::Left) fontColour_ = ActiveColor;
}

void LinkLabel::MouseUp(LabelButton button) {
    if (enabled_ && useAsJump_ && button == LabelButton::Left) fontColour_ = InActiveColor;
}

std::optional<std::string> LinkLabel::Target() const {
    if (!useAsJump_) return std::nullopt;
    return HoldsMoreThanBlanks(Jump) ? Jump : caption_;
}

bool LinkLabel::Click(const std::function<bool(const std::string&)>& open) {
    if (!enabled_) return false;
    const std::optional<std::string> target = Target();
    if (!target) return false;
    if (open(*target)) return true;
    // A link that cannot be opened stops looking like one and takes no more
    // clicks.
    SetUseAsJump(false);
    enabled_ = false;
    return false;
}

}  // namespace pixolet

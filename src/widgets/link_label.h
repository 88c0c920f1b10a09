// The state of a one-line label that can act as a link: its colours and
// underline, the target a click opens, and what a failed open leaves behind.
// The toolkit widget paints from this state and forwards mouse actions.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ports/types.h"

namespace pixolet {

inline constexpr Colour kPurple = 0x800080;
// The system's grey-text colour, used for a disabled label.
inline constexpr Colour kGrayText = 0x808080;

enum class LabelButton { Left, Right, Middle };

class LinkLabel {
  public:
    explicit LinkLabel(std::string caption, Colour fontColour = kBlack);

    const std::string& Caption() const { return caption_; }

    // Link properties.
    bool UseAsJump() const { return useAsJump_; }
    void SetUseAsJump(bool value);
    std::string Jump;
    bool JumpUnderline = true;
    Colour InActiveColor = kBlue;
    Colour ActiveColor = kPurple;

    // What the widget shows.
    Colour FontColour() const { return fontColour_; }
    bool Underline() const { return underline_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool HandCursor() const { return useAsJump_; }
    // The colour the caption is drawn in: grey while disabled.
    Colour TextColour() const { return enabled_ ? fontColour_ : kGrayText; }

    // Mouse actions on the label. A disabled label ignores them.
    void MouseDown(LabelButton button);
    void MouseUp(LabelButton button);

    // The address a click opens: Jump when it holds more than blanks (taken
    // as stored, blanks included), else the caption. Nothing when the label
    // is no link.
    std::optional<std::string> Target() const;

    // A left click released over the label. `open` hands the target to the
    // desktop and says whether that worked; on failure the label becomes
    // plain disabled text. True when a target was opened.
    bool Click(const std::function<bool(const std::string&)>& open);

  private:
    std::string caption_;
    Colour fontColour_;
    bool underline_ = false;
    bool useAsJump_ = false;
    bool enabled_ = true;
};

}  // namespace pixolet

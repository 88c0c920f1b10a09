#include "widgets/tray_events.h"

namespace pixolet {

std::string TrayTooltip(std::string_view hint) {
    return std::string(hint.substr(0, kTrayTipMax));
}

std::optional<TrayMouseMessage> TrayMessageFromCode(unsigned code) {
    if (code < 0x200 || code > 0x209) return std::nullopt;
    return static_cast<TrayMouseMessage>(code - 0x200);
}

std::vector<TrayEventStep> TrayEventsFor(TrayMouseMessage message, bool hasPopupMenu) {
    using K = TrayEventKind;
    auto down = [](TrayButton b, bool dbl = false) { return TrayEventStep{K::MouseDown, b, dbl}; };
    auto up = [](TrayButton b) { return TrayEventStep{K::MouseUp, b, false}; };
    const TrayEventStep click{K::Click};
    const TrayEventStep dblClick{K::DblClick};

    switch (message) {
        case TrayMouseMessage::MouseMove:
            return {TrayEventStep{K::MouseMove}};
        case TrayMouseMessage::LButtonDown:
            return {down(TrayButton::Left)};
        case TrayMouseMessage::LButtonUp:
            return {click, up(TrayButton::Left)};
        case TrayMouseMessage::LButtonDblClk:
            return {dblClick, down(TrayButton::Left, true)};
        case TrayMouseMessage::RButtonDown: {
            // The menu opens on the press, not on the release, so it is up
            // before the button is let go.
            std::vector<TrayEventStep> steps{down(TrayButton::Right)};
            if (hasPopupMenu) steps.push_back(TrayEventStep{K::PopUp});
            return steps;
        }
        case TrayMouseMessage::RButtonUp:
            return {click, up(TrayButton::Right)};
        case TrayMouseMessage::RButtonDblClk:
            return {dblClick, down(TrayButton::Right, true)};
        case TrayMouseMessage::MButtonDown:
            return {down(TrayButton::Middle)};
        case TrayMouseMessage::MButtonUp:
            return {click, up(TrayButton::Middle)};
        case TrayMouseMessage::MButtonDblClk:
            return {dblClick, down(TrayButton::Middle, true)};
    }
    return {};
}

}  // namespace pixolet

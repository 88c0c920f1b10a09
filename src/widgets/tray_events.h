// What a mouse action on the notification-area icon fires, as a pure
// mapping: the platform's tray glue turns its own notifications into a
// TrayMouseMessage and runs the returned steps in order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pixolet {

enum class TrayMouseMessage {
    MouseMove,
    LButtonDown,
    LButtonUp,
    LButtonDblClk,
    RButtonDown,
    RButtonUp,
    RButtonDblClk,
    MButtonDown,
    MButtonUp,
    MButtonDblClk,
};

enum class TrayButton { None, Left, Right, Middle };

enum class TrayEventKind {
    MouseMove,
    MouseDown,
    MouseUp,
    Click,
    DblClick,
    PopUp,  // the popup menu opens at the pointer (the OnPopUp event first)
};

struct TrayEventStep {
    TrayEventKind kind = TrayEventKind::MouseMove;
    TrayButton button = TrayButton::None;
    bool doubleClick = false;  // the double-click mark of a MouseDown
    friend bool operator==(const TrayEventStep&, const TrayEventStep&) = default;
};

// The icon's tooltip holds at most 63 characters; a longer hint is cut.
inline constexpr std::size_t kTrayTipMax = 63;
std::string TrayTooltip(std::string_view hint);

// The window message codes of a tray callback (0x200 to 0x209); nothing for
// any other code.
std::optional<TrayMouseMessage> TrayMessageFromCode(unsigned code);

// The events of one mouse message, in firing order. The popup menu opens on
// the right button's press, and only when the icon has a menu.
std::vector<TrayEventStep> TrayEventsFor(TrayMouseMessage message, bool hasPopupMenu);

}  // namespace pixolet

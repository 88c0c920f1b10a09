// Shortcuts as the desktop writes them in menus: "Ctrl+Alt+C", "Shift+F5".
#pragma once

#include <string>

#include "ports/shortcut.h"

namespace pixolet {

// The name of one virtual-key code ("C", "F5", "Left", "Num 7", ";");
// "Key 0xNN" for a code without a name, "" for 0.
std::string KeyName(int virtualKey);

// Modifiers in the order Ctrl, Alt, Shift, then the key name; "" for no
// shortcut.
std::string ShortcutText(Shortcut shortcut);

}  // namespace pixolet

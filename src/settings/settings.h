// The record of user settings and the readout window's font.
#pragma once

#include <cstdint>
#include <string>

#include "actions/shortcut.h"
#include "platform/types.h"

namespace pixolet {

struct Settings {
    bool StartWithWindows = false;
    bool ShowHex = false;
    bool ShowCmyk = false;
    bool ShowRgb = true;
    bool RgbAsPercent = false;
    bool ShowCoordinates = false;
    bool ClickAddsPoint = true;
    Shortcut HotkeyCopyColor = 0x4043;   // Ctrl+C
    Shortcut HotkeyPasteColor = 0x4056;  // Ctrl+V
    Shortcut HotkeyFreezeWindow = 0;
    Shortcut HotkeyFreezeColor = 0;
    Shortcut HotkeyMeasure = 0;
    Shortcut HotkeyAddPoint = 0;
    Shortcut HotkeyResetPoints = 0;
    Shortcut HotkeyShowHide = 0;
    Shortcut HotkeyQuit = 0;
    std::int32_t ClipboardFormat = 1;
    std::int32_t Zoom = 4;
    std::int32_t CmykFactorK = 100;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The readout font. Its size is held as a height in pixels; a negative
// height is a character height (without internal leading), as a Windows
// font description holds it. `dpi` is the screen's logical pixels per inch.
struct FontDescription {
    std::string name = "Courier New";
    int height = -10;
    int dpi = 96;
    Colour colour = kBlue;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

}  // namespace pixolet

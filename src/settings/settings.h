// The record of user settings and the readout window's font.
#pragma once

#include <cstdint>
#include <string>

#include "ports/font_description.h"
#include "ports/shortcut.h"

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
    // The readout's contrast line against the last copied colour.
    bool ShowContrast = false;
    // The side of the square of pixels whose mean is the current colour: 1,
    // 3 or 5.
    std::int32_t SampleSize = 1;
    // The direction of the last measured segment in measuring mode.
    bool ShowAngle = false;

    friend bool operator==(const Settings&, const Settings&) = default;
};

}  // namespace pixolet

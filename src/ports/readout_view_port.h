// The readout window as a platform window: the core computes everything it
// shows (the ReadoutScene) and the view only places and paints it.
#pragma once

#include <string>
#include <string_view>

#include "ports/font_description.h"
#include "ports/shortcut.h"
#include "ports/types.h"

namespace pixolet {

// Text measurement with the readout font that the view currently uses.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual int TextWidth(std::string_view text) const = 0;
    virtual int TextHeight(std::string_view text) const = 0;
};

class ReadoutView : public TextMeasure {
  public:
    virtual bool IsVisible() const = 0;
    // The window's rectangle on the screen.
    virtual Rect Bounds() const = 0;
    virtual void Move(int left, int top) = 0;
    virtual void Resize(int width, int height) = 0;
    // Shows the window topmost, without taking the focus and without any
    // taskbar entry.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Whether pointer input passes through the window to whatever lies
    // beneath it (true while it follows the pointer, which would otherwise
    // run into it on every quick move) or the window takes it (while it is
    // frozen, to be dragged and to open its menu). A view that never takes
    // the pointer keeps the default.
    virtual void SetPointerPassThrough(bool /*passThrough*/) {}
    // The scene changed: repaint it (soon, or at once when `now`).
    virtual void Repaint(bool now = false) = 0;
    // The font to draw and measure with, already at the monitor's dpi.
    virtual void SetFont(const FontDescription& font) = 0;
    // Pixels per inch of the monitor that holds `at` (96 at 100 % scale), as
    // the desktop sets it; the readout lays itself out for that dpi.
    virtual int MonitorDpi(ScreenPoint /*at*/) const { return 96; }
    // The popup menu's Show/Hide entry and the shortcut texts beside it.
    virtual void SetShowCaption(std::string_view caption) = 0;
    virtual void SetMenuShortcuts(Shortcut showHide, Shortcut quit) = 0;
};

// Process-wide services of the desktop that the readout window uses.
class DesktopPort {
  public:
    virtual ~DesktopPort() = default;
    // The readout window is the desktop's active window.
    virtual bool IsReadoutActive() = 0;
    // Asks the readout window to close once the current event is handled.
    virtual void PostClose() = 0;
    virtual void InstallInputHook() = 0;
    virtual void RemoveInputHook() = 0;
    virtual void InstallErrorHandler() = 0;
    // The error box captioned "Pixolet 2" with the error icon.
    virtual void ShowError(std::string_view message) = 0;
    // Ends the message loop; the process then exits with code 0.
    virtual void Terminate() = 0;
    virtual std::string ExecutablePath() = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(std::string_view caption, std::string_view text) = 0;
};

}  // namespace pixolet

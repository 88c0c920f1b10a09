// The readout window on the screen: a borderless, topmost tool window that
// is never activated and has no taskbar entry, painting the scene that the
// core's TfrmPixoletMain computes. While it follows the pointer it is a
// layered, transparent window: the pointer and its clicks pass through to
// whatever window lies beneath, of any process.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/win32/desktop_services.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/tray.h"
#include "platform/win32/window_binding.h"
#include "ports/readout_view_port.h"
#include "readout/readout_scene.h"
#include "readout/scene_damage.h"

namespace pixolet {
class TfrmPixoletMain;
}

namespace pixolet::win32 {

inline constexpr char kReadoutWindowClass[] = "TfrmPixoletMain";

class ReadoutWindow : public ReadoutView {
  public:
    // `application` is the hidden application window: it owns this one and
    // is taken off the taskbar when this one is shown.
    ReadoutWindow(HINSTANCE instance, HWND application);
    ~ReadoutWindow() override;
    ReadoutWindow(const ReadoutWindow&) = delete;
    ReadoutWindow& operator=(const ReadoutWindow&) = delete;

    // Wiring that exists only once the core's window has been created. The
    // context menu is PopupMenu1; `onContextMenu` opens it at a screen point.
    void Attach(TfrmPixoletMain* window, PopupMenu* menu, CoreCall guard,
                std::function<void(POINT)> onContextMenu);
    HWND Handle() const { return window_; }
    HFONT FontHandle() const { return font_.get(); }

    // ReadoutView.
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;
    bool IsVisible() const override;
    Rect Bounds() const override;
    void Move(int left, int top) override;
    void Resize(int width, int height) override;
    void Show() override;
    void Hide() override;
    void SetPointerPassThrough(bool passThrough) override;
    void Repaint(bool now = false) override;
    void SetFont(const FontDescription& font) override;
    int MonitorDpi(ScreenPoint at) const override;
    void SetShowCaption(std::string_view caption) override;
    void SetMenuShortcuts(Shortcut showHide, Shortcut quit) override;

  private:
    template <class T>
    friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    SIZE Extent(std::string_view text) const;

    HWND application_;
    HWND window_ = nullptr;
    TfrmPixoletMain* core_ = nullptr;
    PopupMenu* menu_ = nullptr;
    CoreCall guard_;
    std::function<void(POINT)> onContextMenu_;
    MemoryDc measureDc_;
    Font font_;
    Colour textColour_ = kBlue;
    // The scene as last asked to be painted: a repaint invalidates only the
    // parts that changed since (a resting magnifier, say, is left alone).
    PaintedScene painted_;
    std::vector<Rect> damage_;
};

}  // namespace pixolet::win32

// The properties dialog's window: seven pages and three buttons over the core's
// TfrmProp, which holds every value and makes every decision. The window is
// made hidden with the view; ShowModal runs a message loop of its own, so the
// tray icon and its menu stay usable while the dialog is open.
#pragma once

#include <windows.h>

#include <array>
#include <exception>
#include <optional>
#include <vector>

#include "platform/win32/gdi_handles.h"
#include "ports/properties_dialog_port.h"
#include "settings/properties_dialog.h"

namespace pixolet::win32 {

struct ControlEntry;

class Win32PropertiesDialog : public PropertiesDialogView {
  public:
    static constexpr int kClientWidth = 411;
    static constexpr int kClientHeight = 199;

    Win32PropertiesDialog(HINSTANCE instance, TfrmProp& model);
    ~Win32PropertiesDialog() override;
    Win32PropertiesDialog(const Win32PropertiesDialog&) = delete;
    Win32PropertiesDialog& operator=(const Win32PropertiesDialog&) = delete;

    int ShowModal() override;
    void BringToFront() override;
    void ControlsChanged() override;
    void SetRefreshTimer(bool running) override;
    void DrawZoomPreview(const PixelBuffer& preview) override;
    void SetLogoHint(const std::string& hint) override;
    bool ChooseFont(FontDescription& font) override;
    const PixelBuffer& LogoBitmap() override;
    std::optional<std::string> ReadVersionBlock() override;

    HWND Window() const { return window_; }
    HWND Page(PropPage page) const { return pages_[static_cast<int>(page)]; }
    // A control by its id, on any page or on the dialog itself.
    HWND Control(int id) const;
    // Ends the modal run as the buttons do (1, 2 or 10).
    void End(int result);
    // The window procedure's call, through BoundWindowProc.
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    struct Bound {
        HWND window;
        const ControlEntry* entry;
    };

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Build();
    void FitTabsInOneRow();
    void BuildAbout(HWND page);
    void OnCommand(int id, int code, HWND control);
    void OnTrackBar(HWND control);
    // Takes every shortcut editor's and the format list's value from the
    // control, as it shows it, into the model.
    void ReadEditors();
    void ShowPage(PropPage page);
    void SyncAll();
    // Tab and Shift+Tab along the focus order; Ctrl+Tab to the next page.
    bool Navigate(const MSG& message);
    std::vector<HWND> FocusChain() const;
    void MarkDefaultButton(HWND focus);
    const Bound* Find(HWND control) const;

    HINSTANCE instance_;
    TfrmProp& model_;
    HWND window_ = nullptr;
    HWND tabs_ = nullptr;
    std::array<HWND, kPropPageCount> pages_{};
    std::array<HWND, 3> buttons_{};  // OK, Cancel, Uninstall
    HWND zoomBox_ = nullptr;
    HWND logo_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::vector<Bound> controls_;
    Font font_;
    Icon icon_;
    Bitmap logoBitmap_;
    std::optional<PixelBuffer> logoPixels_;
    std::string hint_;
    int result_ = kDialogCancel;
    bool running_ = false;
    std::exception_ptr error_;
};

}  // namespace pixolet::win32

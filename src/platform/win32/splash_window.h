// The splash window frmStart: the icon, the turned program name, the maker's
// logo with its three-line tooltip and three links on a white bevelled
// panel, centred on the primary screen, hidden by its own 1400 ms timer or a
// double-click on the free panel area.
#pragma once

#include <windows.h>

#include "platform/win32/gdi_handles.h"

namespace pixolet::win32 {

class TfrmStart {
  public:
    static constexpr int kClientWidth = 250;
    static constexpr int kClientHeight = 125;
    static constexpr UINT kTimerIntervalMs = 1400;

    // Creates the window hidden; its timer runs from here. Every control is
    // created even when the window could not be (then nothing shows).
    explicit TfrmStart(HINSTANCE instance);
    ~TfrmStart();
    TfrmStart(const TfrmStart&) = delete;
    TfrmStart& operator=(const TfrmStart&) = delete;

    // Shows the window and paints it at once: the message loop may not run
    // yet.
    void ShowNow();
    // Hides it; it is not destroyed before the program ends.
    void Close();

    HWND Window() const { return frmStart; }
    HWND Logo() const { return imgVelmora; }
    HWND Tooltip() const { return tooltip_; }
    HWND lblOrvessa = nullptr;
    HWND PxSimpleLabel1 = nullptr;
    HWND PxSimpleLabel3 = nullptr;
    HWND PxLabel1 = nullptr;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls(HINSTANCE instance);
    void FormPaint();
    void Panel1DblClick();
    void Timer1Timer();

    HWND frmStart = nullptr;
    HWND imgPixoletIco = nullptr;
    HWND imgVelmora = nullptr;
    HWND tooltip_ = nullptr;
    Icon icon_;
    Bitmap logo_;
};

}  // namespace pixolet::win32

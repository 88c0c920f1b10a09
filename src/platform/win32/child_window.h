// What the label controls share: their window class registered once, and
// their parent's background behind them.
#pragma once

#include <windows.h>

namespace pixolet::win32 {

// Registers a window class with an arrow pointer; true when it is
// registered (now or before).
bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style = 0);

// Fills the client area of a child control with the brush its parent gives
// for WM_CTLCOLORSTATIC, so the control looks transparent on the parent.
void FillParentBackground(HWND control, HDC dc);

}  // namespace pixolet::win32

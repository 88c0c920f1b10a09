// The dots per inch of the monitors, as a per-monitor aware program sees
// them: each monitor's own on systems that have one per monitor, the
// system's everywhere else.
#pragma once

#include <windows.h>

namespace pixolet::win32 {

// The DPI that fonts and pixel sizes are drawn for on 100 % monitors.
inline constexpr int kDefaultDpi = 96;

// The effective DPI of the monitor that holds `point` (of the nearest one
// when no monitor does). GetDpiForMonitor is looked up in the system's
// shcore.dll at run time, so the program also starts on systems without it;
// there, and whenever the monitor cannot tell, it is the system's DPI.
int MonitorDpiAt(POINT point);

// The DPI of the monitor under the pointer.
int PointerMonitorDpi();

// The DPI that WM_DPICHANGED carries in its wParam (the vertical one; the
// system sends equal values), or 0 when it carries none.
int DpiFromDpiChanged(WPARAM wParam);

}  // namespace pixolet::win32

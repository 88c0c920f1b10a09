#include "platform/win32/monitor_dpi.h"

#include <string>

#include "platform/win32/screen.h"

namespace pixolet::win32 {

namespace {

// GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y), declared here: the
// program must not import shcore.dll, which older systems lack.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

// DPIs beyond this are taken as a fault of the system's answer.
constexpr int kMaxDpi = 9600;

GetDpiForMonitorFn LookUpGetDpiForMonitor() {
    // From the system folder by its full path, never from the program's own
    // folder or the search path.
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, length) + "\\shcore.dll";
    // Kept loaded for the rest of the process: the pointer stays valid.
    HMODULE shcore = LoadLibraryA(path.c_str());
    if (!shcore) return nullptr;
    return reinterpret_cast<GetDpiForMonitorFn>(
        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
}

GetDpiForMonitorFn GetDpiForMonitorEntry() {
    static const GetDpiForMonitorFn entry = LookUpGetDpiForMonitor();
    return entry;
}

}  // namespace

int MonitorDpiAt(POINT point) {
    if (const GetDpiForMonitorFn getDpi = GetDpiForMonitorEntry()) {
        HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
        UINT x = 0;
        UINT y = 0;
        if (monitor && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y)) && y > 0 &&
            y <= static_cast<UINT>(kMaxDpi))
            return static_cast<int>(y);
    }
    return ScreenLogicalDpi();
}

int PointerMonitorDpi() {
    POINT pointer{};
    if (!GetCursorPos(&pointer)) return ScreenLogicalDpi();
    return MonitorDpiAt(pointer);
}

int DpiFromDpiChanged(WPARAM wParam) {
    const int dpi = HIWORD(wParam);
    return dpi > 0 && dpi <= kMaxDpi ? dpi : 0;
}

}  // namespace pixolet::win32

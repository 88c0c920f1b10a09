#include "platform/win32/child_window.h"

namespace pixolet::win32 {

bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style) {
    WNDCLASSEXA wc{};
    if (GetClassInfoExA(instance, name, &wc)) return true;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void FillParentBackground(HWND control, HDC dc) {
    RECT client;
    GetClientRect(control, &client);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(control), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(control)));
    FillRect(dc, &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace pixolet::win32

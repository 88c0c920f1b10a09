// One C++ object per window: the object is bound to its window once (at
// WM_NCCREATE) and the window procedure only finds it and calls its
// HandleMessage. The procedure is the last line before the system's
// dispatch: nothing unwinds past it.
#pragma once

#include <windows.h>

namespace pixolet::win32 {

// `T` has a member LRESULT HandleMessage(HWND, UINT, WPARAM, LPARAM) that
// this procedure may call (public, or with this template as a friend).
template <class T>
LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        // Core calls run inside the error guard; whatever gets here is
        // dropped rather than unwound into the system.
        return 0;
    }
}

struct WindowOptions {
    const char* className = "";
    UINT classStyle = 0;
    DWORD exStyle = 0;
    const char* title = "";
    DWORD style = WS_POPUP;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;  // owner, or HWND_MESSAGE for a message-only window
};

// Registers the class (once per process) and creates the window bound to `self`.
template <class T>
HWND CreateBoundWindow(HINSTANCE instance, const WindowOptions& options, T* self) {
    WNDCLASSA windowClass{};
    windowClass.style = options.classStyle;
    windowClass.lpfnWndProc = BoundWindowProc<T>;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
    windowClass.lpszClassName = options.className;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    return CreateWindowExA(options.exStyle, options.className, options.title, options.style,
                           options.left, options.top, options.width, options.height, options.parent,
                           nullptr, instance, self);
}

// Unbinds first, so that the messages of the destruction reach no
// half-destroyed object.
inline void DestroyBoundWindow(HWND& window) {
    if (!window) return;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    window = nullptr;
}

}  // namespace pixolet::win32

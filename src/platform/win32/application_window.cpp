#include "platform/win32/application_window.h"

#include "app/start_sequence.h"

namespace pixolet::win32 {

bool ApplicationWindowExists() {
    return FindWindowA(kApplicationClass, kApplicationTitle) != nullptr;
}

ApplicationWindow::ApplicationWindow(HINSTANCE instance) {
    // Never shown; a tool window, so it never has a taskbar button.
    WindowOptions options;
    options.className = kApplicationClass;
    options.exStyle = WS_EX_TOOLWINDOW;
    options.title = kApplicationTitle;
    window_ = CreateBoundWindow(instance, options, this);
}

ApplicationWindow::~ApplicationWindow() {
    DestroyBoundWindow(window_);
}

void ApplicationWindow::SetHandlers(std::function<void()> onClose,
                                    std::function<void()> onEndSession) {
    onClose_ = std::move(onClose);
    onEndSession_ = std::move(onEndSession);
}

LRESULT ApplicationWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            if (onClose_)
                onClose_();
            else
                PostQuitMessage(0);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam && onEndSession_) onEndSession_();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace pixolet::win32

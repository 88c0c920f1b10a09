// The program's hidden application window: class "TApplication", titled
// "Pixolet 2", which is what a later start's single-instance test finds. It
// owns the readout window and hears the session's end.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/window_binding.h"

namespace pixolet::win32 {

inline constexpr char kApplicationClass[] = "TApplication";

// Whether a top-level "TApplication" window titled "Pixolet 2" exists.
bool ApplicationWindowExists();

class ApplicationWindow {
  public:
    explicit ApplicationWindow(HINSTANCE instance);
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND Handle() const { return window_; }

    // `onClose`: a close request from the desktop (a task manager's).
    // `onEndSession`: the session ends; the process is ended after it
    // returns, so it must leave nothing behind on the screen.
    void SetHandlers(std::function<void()> onClose, std::function<void()> onEndSession);

  private:
    template <class T>
    friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::function<void()> onClose_;
    std::function<void()> onEndSession_;
};

}  // namespace pixolet::win32

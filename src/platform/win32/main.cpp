// The Windows program: a hidden application window that carries the title
// other instances look for, the settings loaded at start (which leaves the
// settings key behind on a first start), and the message loop until the
// window is closed or the session ends.

#include <windows.h>

#include <exception>

#include "platform/win32/win32_registry.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

namespace {

constexpr char kApplicationClass[] = "TApplication";
constexpr char kApplicationTitle[] = "Pixolet 2";

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The session ends without another message: leave now.
            if (wParam) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateApplicationWindow(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ApplicationWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kApplicationClass;
    if (!RegisterClassA(&windowClass)) return nullptr;
    // Never shown: it owns the program's life and is what a second start finds.
    return CreateWindowExA(0, kApplicationClass, kApplicationTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, instance, nullptr);
}

// The settings are loaded as the readout window's creation does it; an error
// of the store is shown once and the program runs on with in-range settings.
void LoadSettings(pixolet::Settings& settings, pixolet::FontDescription& font) {
    try {
        pixolet::win32::Win32Registry registry;
        pixolet::LoadSettingsFrom(registry, settings, font);
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), kApplicationTitle, MB_OK | MB_ICONERROR);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HWND window = CreateApplicationWindow(instance);
    if (!window) return 1;

    pixolet::Settings settings;
    pixolet::FontDescription font;
    LoadSettings(settings, font);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

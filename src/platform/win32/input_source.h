// The desktop's keyboard and mouse input, observed system-wide through raw
// input (RIDEV_INPUTSINK) and handed on as InputEvents, in order, on the GUI
// thread. Raw input arrives after the system has applied the event (the
// pointer has moved when GetCursorPos is asked), never delays the user's
// input and cannot be taken away by a time-out, unlike a low-level hook.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/win32/raw_input.h"
#include "platform/win32/window_binding.h"
#include "readout/input_hook.h"
#include "readout/key_state_tracker.h"

namespace pixolet::win32 {

class Win32InputSource : public KeyStatePort {
  public:
    using Handler = std::function<void(const InputEvent&)>;
    // Runs before the key and button state takes in a key or button record,
    // so that whatever waits for the last move sees the state of that move.
    using BeforeKeyOrButton = std::function<void()>;

    explicit Win32InputSource(HINSTANCE instance);
    ~Win32InputSource() override;
    Win32InputSource(const Win32InputSource&) = delete;
    Win32InputSource& operator=(const Win32InputSource&) = delete;

    // Starts observing keyboard and mouse. False, with nothing left behind,
    // when the system refuses. The handler must not throw.
    bool Install(Handler handler, BeforeKeyOrButton before = nullptr);
    // Stops observing. Safe inside the handler and when not installed.
    void Remove();
    bool IsInstalled() const { return installed_; }

    // While false, the program's message loop leaves raw input queued
    // (a paced move waits for its frame and nothing else is wanted of a
    // report): no report wakes the program. Turned true, everything queued
    // meanwhile is read in one batch, in order.
    void SetReading(bool reading);
    bool Reading() const { return reading_; }

    // Up/down state as of the event being handled.
    bool IsDown(int virtualKey) const override { return keys_.IsDown(virtualKey); }

    // The window the records arrive at (message-only, never shown).
    HWND Window() const { return window_; }

  private:
    template <class T>
    friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInput(HRAWINPUT input);
    // Every record queued for this thread, read in batches.
    void ReadQueued();
    void OnRecord(const RAWINPUT& record);
    void SeedKeyState();
    // The one place where events leave for the core.
    void Deliver(const InputEvent& event);

    HWND window_ = nullptr;
    Handler handler_;
    BeforeKeyOrButton before_;
    KeyStateTracker keys_;
    bool installed_ = false;
    bool reading_ = true;
    bool inBatch_ = false;
    // Room for a batch of records; 64-bit words keep them aligned.
    std::vector<std::uint64_t> batch_;
};

}  // namespace pixolet::win32

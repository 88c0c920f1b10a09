// Other programs' standard colour dialogs: the foreground window, its class
// name and its numbered edit fields, written without ever waiting long on a
// hung program.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "ports/colour_dialog_port.h"

namespace pixolet::win32 {

// From the GUI thread only; needs that thread's message loop for the field
// repair described in colour_dialog.cpp.
class Win32ColourDialog : public ColourDialogPort {
  public:
    // How long one write or read may wait for the dialog's program.
    static constexpr UINT kSendTimeoutMs = 200;
    // The fields are checked this often, for this long after the last write.
    static constexpr UINT kRepairIntervalMs = 30;
    static constexpr DWORD kRepairPeriodMs = 600;

    Win32ColourDialog();
    ~Win32ColourDialog() override;
    Win32ColourDialog(const Win32ColourDialog&) = delete;
    Win32ColourDialog& operator=(const Win32ColourDialog&) = delete;

    std::optional<std::string> ActiveWindowClass() override;
    void SetFieldText(int id, const std::string& text) override;

    // Whether written fields are still being watched (for tests).
    bool Repairing() const { return repairing_; }

  private:
    struct Written {
        int id = 0;
        std::string text;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RepairTick();
    void StopRepair();

    HWND window_ = nullptr;  // message-only, owns the repair timer
    HWND target_ = nullptr;  // the dialog the last class name was read from
    std::array<Written, 3> written_{};
    std::size_t writtenCount_ = 0;
    bool repairing_ = false;
    DWORD repairStart_ = 0;
};

}  // namespace pixolet::win32

// The clipboard through USER32: the colour text as CF_TEXT.
#pragma once

#include <windows.h>

#include "ports/clipboard_port.h"

namespace pixolet::win32 {

class Win32Clipboard : public ClipboardPort {
  public:
    // `owner` becomes the clipboard's owner; it may be null.
    explicit Win32Clipboard(HWND owner) : owner_(owner) {}

    // Replaces the clipboard with the 8-bit text (cut at a NUL, which CF_TEXT
    // cannot carry). False, with the clipboard untouched, when another
    // program kept it open through a few short retries.
    bool SetText(const std::string& text) override;

  private:
    HWND owner_;
};

}  // namespace pixolet::win32

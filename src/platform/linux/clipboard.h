// The clipboard through Qt: the colour text as the CLIPBOARD selection.
#pragma once

#include "ports/clipboard_port.h"

namespace pixolet::linux_common {

// Needs a QGuiApplication. X keeps no clipboard contents of its own: the text
// is served by this process and is gone when it exits, unless a clipboard
// manager takes it over.
class QtClipboard : public ClipboardPort {
  public:
    // The text is 8-bit (each byte one Latin-1 character). False when another
    // client kept the selection.
    bool SetText(const std::string& text) override;
};

}  // namespace pixolet::linux_common

#pragma once

#include <string>

namespace pixolet {

class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;
    // Replaces the clipboard with one line of 8-bit text. False when the text
    // could not be placed (the clipboard is held elsewhere, say).
    virtual bool SetText(const std::string& text) = 0;
};

}  // namespace pixolet

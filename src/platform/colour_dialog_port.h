// Other programs' colour dialogs: the active top-level window of whatever
// program, its class name, and its numbered fields.
#pragma once

#include <optional>
#include <string>

namespace pixolet {

class ColourDialogPort {
public:
    virtual ~ColourDialogPort() = default;
    // Class name of the active top-level window, or nothing when there is none.
    virtual std::optional<std::string> ActiveWindowClass() = 0;
    // Sets the text of the numbered field of that window; a missing field is
    // no error.
    virtual void SetFieldText(int id, const std::string& text) = 0;
};

}  // namespace pixolet

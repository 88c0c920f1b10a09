// Other programs' colour dialogs: the active top-level window of whatever
// program, its class name, and its numbered fields; or, where dialogs have no
// numbered fields, a toolkit's colour dialog reached another way.
#pragma once

#include <optional>
#include <string>

#include "ports/types.h"

namespace pixolet {

class ColourDialogPort {
  public:
    virtual ~ColourDialogPort() = default;
    // Class name of the active top-level window, or nothing when there is none.
    virtual std::optional<std::string> ActiveWindowClass() = 0;
    // Sets the text of the numbered field of that window; a missing field is
    // no error.
    virtual void SetFieldText(int id, const std::string& text) = 0;
    // Toolkit colour dialogs without numbered fields. True when the active
    // window is a dialog box of another program: the colour is then handed
    // on, after every earlier one, to be typed into that dialog's colour
    // editor if it has one. False, with nothing done, otherwise.
    virtual bool PasteIntoToolkitDialog(Colour) { return false; }
};

}  // namespace pixolet

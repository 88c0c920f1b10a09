// A one-line label that can act as a link, as a child window: painted from
// the core's LinkLabel state on its parent's background, blue and underlined
// while it is a link, purple while the left button is held on it, with the
// hand pointer; a click hands the target to the shell, and a target the
// shell cannot open turns it into disabled plain text.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/link_label.h"

namespace pixolet::win32 {

// The links of the splash and the About page: "MS Sans Serif" at a character
// height of 13 pixels, centred in their box.
inline constexpr char kLinkFontFace[] = "MS Sans Serif";
inline constexpr int kLinkFontHeight = 13;

// Creates the label as a child of `parent` at `bounds` (client pixels of the
// parent). `jump` is its target; an empty one opens the caption. The label
// asks its parent for the background brush with WM_CTLCOLORSTATIC and
// destroys its own state with its window. Null on failure.
HWND CreateLinkLabel(HWND parent, const RECT& bounds, const std::string& caption,
                     const std::string& jump);

// The state behind a label made by CreateLinkLabel, or null for another
// window.
LinkLabel* LinkLabelState(HWND label);

// Opens a target with the shell's default action; false when the shell
// reports failure (a result of 32 or less). Replaceable for tests.
using ShellOpen = bool (*)(HWND owner, const std::string& target);
bool OpenWithShell(HWND owner, const std::string& target);
void SetLinkOpener(ShellOpen opener);

}  // namespace pixolet::win32

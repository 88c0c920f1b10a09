// What the splash and the About page both show of the maker: the logo as a
// picture control with its hint in a tooltip, and the three links below it.
#pragma once

#include <windows.h>

#include <string>

namespace pixolet::win32 {

// A static picture control of `kind` (SS_ICON, SS_BITMAP ...) at `bounds`.
// SS_NOTIFY: the picture takes its own mouse input, for a tooltip and so
// that a double-click on it is not one on its parent.
HWND CreateImage(HWND parent, HINSTANCE instance, DWORD kind, const RECT& bounds, int id = 0);

// A tooltip window, owned by `owner` (which destroys it), that shows `text`
// over `control`, broken at its CR LF pairs. Null when the system refuses.
HWND CreateHintTooltip(HINSTANCE instance, HWND owner, HWND control, const std::string& text);
// Replaces the text that `tooltip` shows over `control`.
void SetHintText(HWND tooltip, HWND control, const std::string& text);

struct MakerLinks {
    HWND partner = nullptr;
    HWND maker = nullptr;
    HWND mail = nullptr;
};

// The three links, 143 x 15 pixels each with their left edge at `left`, at
// the heights 64, 84 and 103: the partner's site, the maker's site and
// `mail` as a mailto link.
MakerLinks CreateMakerLinks(HWND parent, int left, const std::string& mail);

}  // namespace pixolet::win32

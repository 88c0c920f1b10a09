// Keyboard focus in the properties dialog: Tab and Shift+Tab run from the
// page tabs through the shown page's controls in their table order to OK,
// Cancel and Uninstall; Ctrl+Tab changes the page; a focused push button is
// the one Enter presses.
#include <algorithm>

#include "platform/win32/properties_dialog.h"
#include "platform/win32/properties_pages.h"

namespace pixolet::win32 {

std::vector<HWND> Win32PropertiesDialog::FocusChain() const {
    std::vector<HWND> chain{tabs_};
    const PropPage active = model_.ActivePage();
    for (const Bound& bound : controls_)
        if (bound.entry->page == active && (GetWindowLongA(bound.window, GWL_STYLE) & WS_TABSTOP) &&
            IsWindowEnabled(bound.window))
            chain.push_back(bound.window);
    for (HWND button : buttons_)
        if (IsWindowEnabled(button)) chain.push_back(button);
    return chain;
}

void Win32PropertiesDialog::MarkDefaultButton(HWND focus) {
    // A push button holding the focus is the one Enter presses, as in any
    // dialog; elsewhere OK is.
    const bool onButton = std::find(buttons_.begin(), buttons_.end(), focus) != buttons_.end();
    const HWND defaultButton = onButton ? focus : buttons_[0];
    for (HWND button : buttons_)
        SendMessageA(button, BM_SETSTYLE,
                     button == defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool Win32PropertiesDialog::Navigate(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    const bool back = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0) {
        const int step = back ? kPropPageCount - 1 : 1;
        const auto next =
            static_cast<PropPage>((static_cast<int>(model_.ActivePage()) + step) % kPropPageCount);
        ShowPage(next);
        model_.SelectPage(next);
        SetFocus(tabs_);
        return true;
    }
    const std::vector<HWND> chain = FocusChain();
    HWND focus = GetFocus();
    // A combo box's focus may sit in a child of it.
    auto at = std::find_if(chain.begin(), chain.end(),
                           [focus](HWND w) { return w == focus || IsChild(w, focus); });
    std::size_t index = at == chain.end() ? 0 : static_cast<std::size_t>(at - chain.begin());
    if (at != chain.end())
        index = back ? (index + chain.size() - 1) % chain.size() : (index + 1) % chain.size();
    SetFocus(chain[index]);
    MarkDefaultButton(chain[index]);
    return true;
}

}  // namespace pixolet::win32

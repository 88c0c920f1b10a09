#include "platform/win32/maker_block.h"

#include <commctrl.h>

#include "platform/win32/link_label.h"
#include "settings/properties_dialog.h"

namespace pixolet::win32 {

namespace {

// The size of the oldest tool record, which every control version takes.
TTTOOLINFOA ToolFor(HWND control, std::string& text) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    // The control keeps a copy of the text.
    tool.lpszText = text.data();
    return tool;
}

}  // namespace

HWND CreateImage(HWND parent, HINSTANCE instance, DWORD kind, const RECT& bounds, int id) {
    return CreateWindowExA(0, WC_STATICA, "", WS_CHILD | WS_VISIBLE | SS_NOTIFY | kind, bounds.left,
                           bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           nullptr);
}

HWND CreateHintTooltip(HINSTANCE instance, HWND owner, HWND control, const std::string& text) {
    if (!control) return nullptr;
    HWND tooltip =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
    if (!tooltip) return nullptr;
    std::string copy = text;
    TTTOOLINFOA tool = ToolFor(control, copy);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    // A width makes the hint break at its CR LF pairs.
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
    return tooltip;
}

void SetHintText(HWND tooltip, HWND control, const std::string& text) {
    if (!tooltip || !control) return;
    std::string copy = text;
    TTTOOLINFOA tool = ToolFor(control, copy);
    SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

MakerLinks CreateMakerLinks(HWND parent, int left, const std::string& mail) {
    auto box = [left](int top) { return RECT{left, top, left + 143, top + 15}; };
    MakerLinks links;
    links.partner = CreateLinkLabel(parent, box(64), std::string(kPartnerHost),
                                    std::string(kPartnerWebAddress));
    links.maker = CreateLinkLabel(parent, box(84), std::string(kMakerWebAddress),
                                  std::string(kMakerWebAddress));
    links.mail = CreateLinkLabel(parent, box(103), mail, "mailto:" + mail);
    return links;
}

}  // namespace pixolet::win32

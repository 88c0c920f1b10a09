// The Win32 properties dialog: its frame, every control where the table puts
// it with its caption, the results of its buttons and keys, values between
// the controls and the core's model, the hot-key flag mapping, the font
// dialog's choice and the own version block read as bytes.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>

#include "platform/win32/font_chooser.h"
#include "platform/win32/hotkey_control.h"
#include "platform/win32/properties_dialog.h"
#include "platform/win32/properties_factory.h"
#include "platform/win32/properties_pages.h"
#include "platform/win32/version_block.h"
#include "settings/version_info.h"
#include "win32_pump.h"

namespace pixolet::win32 {
namespace {

std::string TextOf(HWND window) {
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT BoundsInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class PropertiesDialogTest : public ::testing::Test {
  protected:
    Win32PropertiesFactory factory{GetModuleHandleA(nullptr)};
    TfrmProp model{factory};
    Win32PropertiesDialog& view = static_cast<Win32PropertiesDialog&>(model.View());

    // The modal run with `message` waiting in the queue.
    int RunWith(UINT message, WPARAM wParam, HWND target = nullptr) {
        PostMessageA(target ? target : view.Window(), message, wParam, 0);
        return model.ShowModal();
    }
    HWND ControlOf(const CheckBox& box) {
        for (const ControlEntry& entry : PageControls())
            if (entry.check && &(model.*entry.check) == &box) return view.Control(entry.id);
        return nullptr;
    }
    HWND ControlOf(const HotkeyEditor& editor) {
        for (const ControlEntry& entry : PageControls())
            if (entry.hotkey && &(model.*entry.hotkey) == &editor) return view.Control(entry.id);
        return nullptr;
    }
};

TEST_F(PropertiesDialogTest, FrameIsAFixedCaptionedDialogWithoutOwner) {
    HWND window = view.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TextOf(window), "Properties");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 411);
    EXPECT_EQ(client.bottom, 199);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(PropertiesDialogTest, EveryControlSitsAtItsBoundsOnItsPageWithItsCaption) {
    for (const ControlEntry& entry : PageControls()) {
        SCOPED_TRACE(entry.id);
        HWND control = view.Control(entry.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), view.Page(entry.page));
        const RECT r = BoundsInParent(control);
        EXPECT_EQ(r.left, entry.bounds.left);
        EXPECT_EQ(r.top, entry.bounds.top);
        EXPECT_EQ(r.right - r.left, entry.bounds.width);
        EXPECT_EQ(r.bottom - r.top, entry.bounds.height);
        if (entry.check) {
            EXPECT_EQ(TextOf(control), (model.*entry.check).caption);
        }
        if (entry.kind == ControlKind::Label) {
            EXPECT_EQ(TextOf(control), entry.caption);
        }
    }
    struct Fixed {
        int id;
        const char* caption;
        RECT bounds;
    };
    const Fixed fixed[] = {{kIdTabs, "", {7, 6, 404, 163}},
                           {kIdOK, "OK", {243, 168, 318, 192}},
                           {kIdCancel, "Cancel", {330, 168, 405, 192}},
                           {kIdUninstall, "Uninstall", {7, 168, 82, 192}}};
    for (const Fixed& f : fixed) {
        HWND control = view.Control(f.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(TextOf(control), f.caption);
        const RECT r = BoundsInParent(control);
        EXPECT_TRUE(EqualRect(&r, &f.bounds)) << f.caption;
    }
}

TEST_F(PropertiesDialogTest, PagesListsAndRangesAreThoseOfTheForm) {
    HWND tabs = view.Control(kIdTabs);
    ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), kPropPageCount);
    for (int i = 0; i < kPropPageCount; ++i) {
        char text[32] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::string(text), PageCaption(static_cast<PropPage>(i)));
    }
    struct List {
        int id;
        std::span<const std::string_view> items;
    };
    const List lists[] = {{kIdClipboardFormat, kClipboardFormatItems},
                          {kIdSampleSize, kSampleSizeItems}};
    for (const List& list : lists) {
        HWND combo = view.Control(list.id);
        const int count = static_cast<int>(list.items.size());
        ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), count);
        for (int i = 0; i < count; ++i) {
            char text[32] = {};
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            EXPECT_EQ(std::string(text), list.items[static_cast<std::size_t>(i)]);
        }
        EXPECT_EQ(GetWindowLongA(combo, GWL_STYLE) & CBS_DROPDOWNLIST, CBS_DROPDOWNLIST);
    }
    EXPECT_EQ(kClipboardFormatItems[8], "CSS oklch()");
    for (const ControlEntry& entry : PageControls()) {
        if (!entry.bar) continue;
        HWND bar = view.Control(entry.id);
        EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMIN, 0, 0), (model.*entry.bar).min);
        EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMAX, 0, 0), (model.*entry.bar).max);
    }
}

TEST_F(PropertiesDialogTest, ButtonsKeysAndTheCloseBoxGiveTheirResults) {
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        bool toFocus;
        int result;
    };
    const Case cases[] = {
        {"OK", WM_COMMAND, MAKEWPARAM(kIdOK, BN_CLICKED), false, kDialogOK},
        {"Cancel", WM_COMMAND, MAKEWPARAM(kIdCancel, BN_CLICKED), false, kDialogCancel},
        {"Uninstall", WM_COMMAND, MAKEWPARAM(kIdUninstall, BN_CLICKED), false, kDialogUninstall},
        {"close box", WM_CLOSE, 0, false, kDialogCancel},
        {"Enter", WM_KEYDOWN, VK_RETURN, true, kDialogOK},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, true, kDialogCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RunWith(c.message, c.wParam, c.toFocus ? view.Control(kIdTabs) : nullptr),
                  c.result);
        EXPECT_FALSE(IsWindowVisible(view.Window()));
    }
}

TEST_F(PropertiesDialogTest, ControlsShowTheModelWhenShownAndFollowItsRules) {
    model.SetChecked(model.cbxHex, true);
    model.SetChecked(model.cbxAddPoint, true);
    model.SetHotkey(model.hkQuit, 0x6051);  // Ctrl+Shift+Q
    model.SetItemIndex(0);
    model.SetPosition(model.tcbSize, 9);
    ASSERT_EQ(RunWith(WM_COMMAND, MAKEWPARAM(kIdCancel, BN_CLICKED)), kDialogCancel);

    EXPECT_EQ(SendMessageA(ControlOf(model.cbxHex), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(ReadHotkey(ControlOf(model.hkQuit)), 0x6051);
    EXPECT_EQ(SendMessageA(view.Control(kIdClipboardFormat), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(view.Control(136), TBM_GETPOS, 0, 0), 7);
    // The enabling rules of an unticked "Show RGB" and a ticked click-adds-point.
    EXPECT_FALSE(IsWindowEnabled(ControlOf(model.cbxRGB1)));
    EXPECT_FALSE(IsWindowEnabled(ControlOf(model.hkAddPoint)));

    // A click on "Show RGB" reaches the model, whose rule enables its partner.
    SendMessageA(ControlOf(model.cbxRGB), BM_CLICK, 0, 0);
    EXPECT_TRUE(model.cbxRGB.checked);
    EXPECT_TRUE(IsWindowEnabled(ControlOf(model.cbxRGB1)));
}

TEST_F(PropertiesDialogTest, DesignerPageShowsAndTakesContrastSampleAndAngle) {
    model.SetChecked(model.cbxContrast, true);
    model.SetSampleSize(5);
    model.SetItemIndex(8);
    ASSERT_EQ(RunWith(WM_COMMAND, MAKEWPARAM(kIdCancel, BN_CLICKED)), kDialogCancel);
    HWND sample = view.Control(kIdSampleSize);
    EXPECT_EQ(GetParent(sample), view.Page(PropPage::Designer));
    EXPECT_EQ(SendMessageA(ControlOf(model.cbxContrast), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(ControlOf(model.cbxAngle), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(sample, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(view.Control(kIdClipboardFormat), CB_GETCURSEL, 0, 0), 8);

    // The user's choices reach the model, each list its own field.
    SendMessageA(sample, CB_SETCURSEL, 1, 0);
    SendMessageA(GetParent(sample), WM_COMMAND, MAKEWPARAM(kIdSampleSize, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(sample));
    EXPECT_EQ(model.SelectedSampleSize(), 3);
    EXPECT_EQ(model.cmxClipbCode.itemIndex, 8);
    SendMessageA(ControlOf(model.cbxAngle), BM_CLICK, 0, 0);
    EXPECT_TRUE(model.cbxAngle.checked);
    EXPECT_TRUE(model.cbxContrast.checked);
}

TEST_F(PropertiesDialogTest, SevenTabsFitInOneRowWithoutScrollArrows) {
    HWND tabs = view.Control(kIdTabs);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0), 1);
    RECT last{};
    ASSERT_TRUE(
        SendMessageA(tabs, TCM_GETITEMRECT, kPropPageCount - 1, reinterpret_cast<LPARAM>(&last)));
    RECT client;
    GetClientRect(tabs, &client);
    EXPECT_LE(last.right, client.right);
}

TEST_F(PropertiesDialogTest, TypedShortcutsTakeEachEditorsFallback) {
    struct Case {
        HotkeyEditor TfrmProp::*editor;
        Shortcut typed;
        Shortcut held;
    };
    const Case cases[] = {
        {&TfrmProp::hkCopyColor, 0x2043, 0xC043},  // Shift+C: Ctrl+Alt+C
        {&TfrmProp::hkFreezeW, 0x8057, 0x4057},    // Alt+W: Ctrl+W
        {&TfrmProp::hkShowHide, 0x2043, 0x0043},   // Shift+C: plain C
        {&TfrmProp::hkQuit, 0xC051, 0xC051},       // Ctrl+Alt+Q stays
    };
    for (const Case& c : cases) {
        HotkeyEditor& editor = model.*c.editor;
        HWND control = ControlOf(editor);
        ASSERT_NE(control, nullptr);
        WriteHotkey(control, c.typed);
        SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), EN_CHANGE),
                     reinterpret_cast<LPARAM>(control));
        EXPECT_EQ(editor.value, c.held) << std::hex << c.typed;
        EXPECT_EQ(ReadHotkey(control), c.held) << std::hex << c.typed;
    }
}

TEST_F(PropertiesDialogTest, ChoosingTheZoomPageShowsItAndRunsTheRefreshTimerTwice) {
    HWND tabs = view.Control(kIdTabs);
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<int>(PropPage::Zoom), 0);
    NMHDR change{tabs, static_cast<UINT_PTR>(kIdTabs), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(view.Window(), WM_NOTIFY, kIdTabs, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(model.ActivePage(), PropPage::Zoom);
    for (int i = 0; i < kPropPageCount; ++i) {
        const bool shown =
            GetWindowLongA(view.Page(static_cast<PropPage>(i)), GWL_STYLE) & WS_VISIBLE;
        EXPECT_EQ(shown, i == static_cast<int>(PropPage::Zoom)) << i;
    }
    ASSERT_TRUE(model.RefreshTimerRunning());
    // Two ticks of 100 ms, then the timer stops itself.
    EXPECT_TRUE(testing::PumpUntil([&] { return !model.RefreshTimerRunning(); }, 2000));
    EXPECT_EQ(model.RefreshCount(), 0);
}

TEST_F(PropertiesDialogTest, DoubleClickOnTheLogoShowsTheAuthorLineOfTheOwnVersionBlock) {
    HWND logo = view.Control(kIdLogo);
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(model.LogoHint(), InitialLogoHint());
    SendMessageA(GetParent(logo), WM_COMMAND, MAKEWPARAM(kIdLogo, STN_DBLCLK),
                 reinterpret_cast<LPARAM>(logo));
    // This executable carries the program's resources, version block included.
    EXPECT_EQ(model.LogoHint(), "Author: Tamsin Quarrel");
}

TEST(HotkeyFlags, MapBothWaysAndDropTheExtendedFlag) {
    struct Case {
        WORD hotkey;
        Shortcut shortcut;
        bool roundTrip;
    };
    const Case cases[] = {
        {MAKEWORD('C', HOTKEYF_CONTROL), 0x4043, true},
        {MAKEWORD('C', HOTKEYF_SHIFT), 0x2043, true},
        {MAKEWORD('V', HOTKEYF_CONTROL | HOTKEYF_ALT), 0xC056, true},
        {MAKEWORD(VK_F5, HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT), 0xE074, true},
        {MAKEWORD(VK_F12, 0), 0x007B, true},
        {MAKEWORD(VK_INSERT, HOTKEYF_EXT | HOTKEYF_CONTROL), 0x402D, false},
        {0, 0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortcutFromHotkey(c.hotkey), c.shortcut) << std::hex << c.hotkey;
        if (c.roundTrip) {
            EXPECT_EQ(HotkeyFromShortcut(c.shortcut), c.hotkey) << std::hex;
        }
    }
}

// A version block laid out as a 32-bit resource holds it: UTF-16 text.
std::string Utf16Block(const std::u16string& text) {
    std::string block = std::string("\x40\x01\x34\x00\x01\x00", 6);
    for (char16_t unit : text) {
        block += static_cast<char>(unit & 0xFF);
        block += static_cast<char>(unit >> 8);
    }
    return block;
}

TEST(VersionBlock, TheAuthorLineIsFoundInEitherLayout) {
    const std::u16string entries =
        std::u16string(u"VS_VERSION_INFO\0\0CompanyName\0Velmora\0Comments\0", 47) +
        u"Mail: a@b.example\r\nAuthor: T\u00e9 Q\r\nMail: c@d.example";
    EXPECT_EQ(AuthorLine(NarrowVersionBlock(Utf16Block(entries))), "Author: T\xe9 Q");
    // A code unit beyond eight bits cannot pass as one byte.
    EXPECT_EQ(AuthorLine(NarrowVersionBlock(Utf16Block(u"VS_VERSION_INFO Auth \u0141x"))),
              "Auth ?x");
    const std::string eightBit("\x20\x00\x10\x00VS_VERSION_INFO\0Author: Z\rMail", 34);
    EXPECT_EQ(NarrowVersionBlock(eightBit), eightBit);
    EXPECT_EQ(AuthorLine(NarrowVersionBlock(eightBit)), "Author: Z");
    EXPECT_EQ(NarrowVersionBlock(""), "");
}

TEST(FontChoice, TakesFaceStylesColourAndOnlyTheOfferedSizes) {
    struct Case {
        int tenths;
        LONG weight;
        int height;  // at 96 pixels per inch, before the height is fitted
        bool bold;
    };
    const Case cases[] = {{80, FW_NORMAL, -11, false},
                          {70, FW_BOLD, -9, true},
                          {90, FW_SEMIBOLD, -12, false},
                          {120, FW_NORMAL, -12, false},
                          {40, FW_HEAVY, -9, true}};
    for (const Case& c : cases) {
        LOGFONTA chosen{};
        lstrcpyA(chosen.lfFaceName, "Arial");
        chosen.lfWeight = c.weight;
        chosen.lfUnderline = TRUE;
        FontDescription font;
        TakeChoice(chosen, c.tenths, 0x01563412, 0x000008, font);
        EXPECT_EQ(font.name, "Arial");
        EXPECT_EQ(font.height, c.height) << c.tenths;
        EXPECT_EQ(font.bold, c.bold) << c.weight;
        EXPECT_TRUE(font.underline);
        EXPECT_FALSE(font.italic);
        EXPECT_EQ(font.colour, 0x563412u);
    }
    // A system colour shown and left as it was stays the system colour.
    FontDescription system;
    system.colour = 0x80000008;  // clWindowText
    const COLORREF shown = SystemPaintColour(system.colour);
    EXPECT_EQ(shown, GetSysColor(COLOR_WINDOWTEXT));
    LOGFONTA chosen{};
    lstrcpyA(chosen.lfFaceName, "Arial");
    TakeChoice(chosen, 80, shown, shown, system);
    EXPECT_EQ(system.colour, 0x80000008u);
    TakeChoice(chosen, 80, 0x0000FF, shown, system);
    EXPECT_EQ(system.colour, 0x0000FFu);

    FontDescription at120;
    at120.dpi = 120;
    at120.height = -13;  // 8 points at 120 pixels per inch
    EXPECT_EQ(LogFontFrom(at120, 96).lfHeight, -11);
    EXPECT_EQ(LogFontFrom(at120, 120).lfHeight, -13);
}

}  // namespace
}  // namespace pixolet::win32

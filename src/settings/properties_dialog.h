// TfrmProp: the properties dialog's controls and handlers, without a toolkit.
// The readout window's SetProperties copies the Settings in, runs the dialog
// modally through the platform view and copies the controls back on OK.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ports/properties_dialog_port.h"
#include "ports/shortcut.h"
#include "settings/settings.h"

namespace pixolet {

// Pages in tab order.
enum class PropPage { Preferences, Clipboard, MeasuringTool, Miscellaneous, Zoom, Designer, About };
inline constexpr int kPropPageCount = 7;
std::string_view PageCaption(PropPage page);

// Indexes are the stored clipboard format: never reorder, only append.
inline constexpr std::array<std::string_view, 9> kClipboardFormatItems{
    "RGB ",    "RGB hex",   "RGB percentages", "CMYK",       "CMYK hex",
    "CSS hex", "CSS rgb()", "CSS hsl()",       "CSS oklch()"};

// The sample sizes of cmxSample, in the order of kSampleSizes (1, 3, 5).
inline constexpr std::array<std::string_view, 3> kSampleSizeItems{
    "1 pixel", "3 x 3 pixels, averaged", "5 x 5 pixels, averaged"};

// The logo's hint until a double-click replaces it: the partner's web
// address, the maker's web address and the maker's mail address.
inline constexpr std::string_view kPartnerWebAddress = "https://www.orvessa.example/";
inline constexpr std::string_view kMakerWebAddress = "www.velmora.example";
inline constexpr std::string_view kMakerMailAddress = "pixolet@velmora.example";
// The About page's mail link writes to the partner.
inline constexpr std::string_view kPartnerMailAddress = "info@orvessa.example";
// The partner's link, on the splash and the About page, shows only its host.
inline constexpr std::string_view kPartnerHost = "www.orvessa.example";
std::string InitialLogoHint();
// The splash's logo hint: the three link captions, one to a line.
std::string SplashLogoHint();

struct CheckBox {
    std::string_view caption;
    bool checked = false;
    bool enabled = true;
};

struct TrackBar {
    int min = 0;
    int max = 10;
    int frequency = 1;  // a tick every `frequency` positions
    int position = 0;
    bool enabled = true;
};

struct HotkeyEditor {
    Shortcut value = 0;
    Shortcut fallback = 0;  // modifiers put in place of a refused set
    bool enabled = true;
};

struct ComboBox {
    int itemIndex = -1;  // -1: nothing selected
};

class TfrmProp {
  public:
    // Creates the platform view through `factory`, then runs FormCreate.
    explicit TfrmProp(PropertiesDialogFactory& factory);
    ~TfrmProp();
    TfrmProp(const TfrmProp&) = delete;
    TfrmProp& operator=(const TfrmProp&) = delete;

    // Page "Preferences".
    CheckBox cbxStartUp{"Launch Pixolet on Startup"};
    CheckBox cbxHex{"Show hex values"};
    CheckBox cbxRGB{"Show RGB"};
    CheckBox cbxRGB1{"as percentages"};
    CheckBox cbxCMYK{"Show CMYK with factor k:"};
    TrackBar tcbFacK{0, 100, 10, 100};
    CheckBox cbxPoint{"Show coordinates"};
    // Page "Clipboard".
    ComboBox cmxClipbCode;
    HotkeyEditor hkCopyColor{0xC043, kShortcutCtrl | kShortcutAlt};
    HotkeyEditor hkPasteColor{0xC056, kShortcutCtrl | kShortcutAlt};
    // Page "Measuring Tool".
    CheckBox cbxAddPoint{"Left mouse click button add point"};
    HotkeyEditor hkAddPoint{0, 0};
    HotkeyEditor hkResetPoints{0, 0};
    HotkeyEditor hkMeasure{0, 0};
    // Page "Miscellaneous".
    HotkeyEditor hkFreezeW{0x4057, kShortcutCtrl};
    HotkeyEditor hkFreezeC{0, 0};
    HotkeyEditor hkShowHide{0, 0};
    HotkeyEditor hkQuit{0, 0};
    // Page "Zoom".
    TrackBar tcbSize{1, 7, 1, 4};
    // Page "Designer".
    CheckBox cbxContrast{"Show contrast with the copied colour"};
    ComboBox cmxSample;
    CheckBox cbxAngle{"Show the angle when measuring"};
    // The font object of dlgFont: the font being edited.
    FontDescription dlgFontFont;

    // Edits, by the program or by the user. A check box whose state changes
    // runs its click handler.
    void SetChecked(CheckBox& box, bool checked);
    // Set by the program: clamped into the range, no change handler.
    void SetPosition(TrackBar& bar, int position);
    // Moved by the user: clamped, and the zoom bar redraws the preview.
    void MoveTrackBar(TrackBar& bar, int position);
    // Set by the program: taken as it is (key code and modifier bits).
    void SetHotkey(HotkeyEditor& editor, Shortcut value);
    // Typed by the user: the editor's rule replaces a refused modifier set.
    void TypeHotkey(HotkeyEditor& editor, Shortcut typed);
    // An index outside the items selects nothing.
    void SetItemIndex(int index);
    // cmxSample: the item of a sample size; any other size selects nothing.
    void SetSampleSize(int size);
    // The sample size of the selected item, or nothing when none is.
    std::optional<int> SelectedSampleSize() const;
    void SetSampleIndex(int index);
    // The user chose another page.
    void SelectPage(PropPage page);

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void PageControl1Change();
    void cbxRGBClick();
    void cbxCMYKClick();
    void cbxAddPointClick();
    void tcbSizeChange();
    void tmrRefreshTimer();
    void BitBtn1Click();
    void imgVelmoraDblClick();

    int ShowModal() { return view_->ShowModal(); }
    void BringToFront() { view_->BringToFront(); }

    PropPage ActivePage() const { return activePage_; }
    const std::string& LogoHint() const { return logoHint_; }
    bool RefreshTimerRunning() const { return refreshTimerRunning_; }
    int RefreshCount() const { return refreshCount_; }
    PropertiesDialogView& View() { return *view_; }

  private:
    void SetRefreshTimer(bool running);

    PropPage activePage_ = PropPage::Preferences;
    std::string logoHint_ = InitialLogoHint();
    bool refreshTimerRunning_ = false;
    int refreshCount_ = 0;
    // Last member: the view is made once every control above exists.
    std::unique_ptr<PropertiesDialogView> view_;
};

}  // namespace pixolet

#include "settings/properties_dialog.h"

#include <algorithm>
#include <iterator>

#include "readout/area_sample.h"
#include "settings/hotkey_rules.h"
#include "settings/version_info.h"
#include "settings/zoom_preview.h"

namespace pixolet {

namespace {

// The refresh timer redraws the preview this many times after each start:
// once the page has been painted, and once more in case that paint came late.
constexpr int kRefreshTicks = 2;

// The logo's hint lines, broken with CR LF as every core text is.
std::string HintLines(std::string_view partner) {
    std::string hint(partner);
    hint += "\r\n";
    hint += kMakerWebAddress;
    hint += "\r\n";
    hint += kMakerMailAddress;
    return hint;
}

}  // namespace

std::string_view PageCaption(PropPage page) {
    switch (page) {
        case PropPage::Preferences:
            return "Preferences";
        case PropPage::Clipboard:
            return "Clipboard";
        case PropPage::MeasuringTool:
            return "Measuring Tool";
        case PropPage::Miscellaneous:
            return "Miscellaneous";
        case PropPage::Zoom:
            return "Zoom";
        case PropPage::Designer:
            return "Designer";
        case PropPage::About:
            return "About";
    }
    return "";
}

std::string InitialLogoHint() {
    return HintLines(kPartnerWebAddress);
}

std::string SplashLogoHint() {
    return HintLines(kPartnerHost);
}

TfrmProp::TfrmProp(PropertiesDialogFactory& factory) : view_(factory.CreateView(*this)) {
    FormCreate();
}

TfrmProp::~TfrmProp() = default;

void TfrmProp::SetChecked(CheckBox& box, bool checked) {
    if (box.checked == checked) return;
    box.checked = checked;
    if (&box == &cbxRGB) cbxRGBClick();
    if (&box == &cbxCMYK) cbxCMYKClick();
    if (&box == &cbxAddPoint) cbxAddPointClick();
}

void TfrmProp::SetPosition(TrackBar& bar, int position) {
    bar.position = std::clamp(position, bar.min, bar.max);
}

void TfrmProp::MoveTrackBar(TrackBar& bar, int position) {
    const int old = bar.position;
    SetPosition(bar, position);
    if (&bar == &tcbSize && bar.position != old) tcbSizeChange();
}

void TfrmProp::SetHotkey(HotkeyEditor& editor, Shortcut value) {
    editor.value = EditorValue(value);
}

void TfrmProp::TypeHotkey(HotkeyEditor& editor, Shortcut typed) {
    editor.value = ApplyHotkeyRules(typed, editor.fallback);
}

void TfrmProp::SetItemIndex(int index) {
    const int count = static_cast<int>(kClipboardFormatItems.size());
    cmxClipbCode.itemIndex = (index >= 0 && index < count) ? index : -1;
}

void TfrmProp::SetSampleIndex(int index) {
    const int count = static_cast<int>(kSampleSizeItems.size());
    cmxSample.itemIndex = (index >= 0 && index < count) ? index : -1;
}

void TfrmProp::SetSampleSize(int size) {
    int index = -1;
    for (std::size_t i = 0; i < std::size(kSampleSizes); ++i)
        if (kSampleSizes[i] == size) index = static_cast<int>(i);
    SetSampleIndex(index);
}

std::optional<int> TfrmProp::SelectedSampleSize() const {
    const int index = cmxSample.itemIndex;
    if (index < 0 || index >= static_cast<int>(std::size(kSampleSizes))) return std::nullopt;
    return kSampleSizes[static_cast<std::size_t>(index)];
}

void TfrmProp::SelectPage(PropPage page) {
    if (page == activePage_) return;
    activePage_ = page;
    PageControl1Change();
}

void TfrmProp::FormCreate() {
    activePage_ = PropPage::Preferences;
    refreshCount_ = 0;
}

void TfrmProp::FormShow() {
    cbxRGBClick();
    cbxCMYKClick();
}

void TfrmProp::FormActivate() {
    if (activePage_ == PropPage::Zoom) SetRefreshTimer(true);
}

void TfrmProp::PageControl1Change() {
    if (activePage_ == PropPage::Zoom) SetRefreshTimer(true);
}

void TfrmProp::cbxRGBClick() {
    cbxRGB1.enabled = cbxRGB.checked;
    view_->ControlsChanged();
}

void TfrmProp::cbxCMYKClick() {
    tcbFacK.enabled = cbxCMYK.checked;
    view_->ControlsChanged();
}

void TfrmProp::cbxAddPointClick() {
    hkAddPoint.enabled = !cbxAddPoint.checked;
    view_->ControlsChanged();
}

void TfrmProp::tcbSizeChange() {
    view_->DrawZoomPreview(RenderZoomPreview(view_->LogoBitmap(), tcbSize.position));
}

void TfrmProp::tmrRefreshTimer() {
    const bool onZoomPage = activePage_ == PropPage::Zoom;
    if (onZoomPage) {
        tcbSizeChange();
        ++refreshCount_;
    }
    if (refreshCount_ >= kRefreshTicks || !onZoomPage) {
        refreshCount_ = 0;
        SetRefreshTimer(false);
    }
}

void TfrmProp::BitBtn1Click() {
    // The font dialog works on a copy, so that a cancelled one leaves the font
    // object as it was. Nothing reaches the readout font before the
    // properties dialog's own OK.
    FontDescription chosen = dlgFontFont;
    if (view_->ChooseFont(chosen)) dlgFontFont = chosen;
}

void TfrmProp::imgVelmoraDblClick() {
    // An unreadable block leaves the logo without a hint.
    const std::optional<std::string> block = view_->ReadVersionBlock();
    logoHint_ = block ? AuthorLine(*block) : std::string();
    view_->SetLogoHint(logoHint_);
}

void TfrmProp::SetRefreshTimer(bool running) {
    // A start while running keeps the timer running, count and all.
    if (refreshTimerRunning_ == running) return;
    refreshTimerRunning_ = running;
    view_->SetRefreshTimer(running);
}

}  // namespace pixolet

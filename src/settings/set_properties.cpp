// The readout window's properties entry and the uninstall that the dialog
// can start.
#include <memory>
#include <optional>
#include <string>

#include "readout/readout_window.h"
#include "settings/font_fit.h"
#include "settings/properties_dialog.h"
#include "settings/uninstall.h"

namespace pixolet {

namespace {

// Settings into the controls. The order matters: check boxes run their click
// handlers as they change, and the font object is filled last.
void CopyIn(TfrmProp& d, const Settings& s, const FontDescription& font) {
    d.SetChecked(d.cbxStartUp, s.StartWithWindows);
    d.SetChecked(d.cbxHex, s.ShowHex);
    d.SetChecked(d.cbxCMYK, s.ShowCmyk);
    d.SetPosition(d.tcbFacK, s.CmykFactorK);
    d.SetChecked(d.cbxRGB, s.ShowRgb);
    d.SetChecked(d.cbxRGB1, s.RgbAsPercent);
    d.SetChecked(d.cbxPoint, s.ShowCoordinates);
    d.SetHotkey(d.hkCopyColor, s.HotkeyCopyColor);
    d.SetHotkey(d.hkPasteColor, s.HotkeyPasteColor);
    d.SetHotkey(d.hkFreezeW, s.HotkeyFreezeWindow);
    d.SetHotkey(d.hkFreezeC, s.HotkeyFreezeColor);
    d.SetItemIndex(s.ClipboardFormat);
    d.SetHotkey(d.hkAddPoint, s.HotkeyAddPoint);
    d.SetHotkey(d.hkMeasure, s.HotkeyMeasure);
    d.SetHotkey(d.hkResetPoints, s.HotkeyResetPoints);
    d.SetHotkey(d.hkShowHide, s.HotkeyShowHide);
    d.SetHotkey(d.hkQuit, s.HotkeyQuit);
    d.SetChecked(d.cbxAddPoint, s.ClickAddsPoint);
    d.SetPosition(d.tcbSize, s.Zoom);
    d.SetChecked(d.cbxContrast, s.ShowContrast);
    d.SetSampleSize(s.SampleSize);
    d.SetChecked(d.cbxAngle, s.ShowAngle);

    FontDescription& f = d.dlgFontFont;
    f.dpi = font.dpi;
    f.name = font.name;
    SetPointSize(f, PointSizeOf(font));
    f.bold = font.bold;
    f.italic = font.italic;
    f.underline = font.underline;
    f.strikeOut = font.strikeOut;
    f.colour = font.colour;
}

// The first group of values back into the Settings, as the controls hold
// them, disabled ones included.
void CopyBackShowAndShortcuts(const TfrmProp& d, Settings& s) {
    s.StartWithWindows = d.cbxStartUp.checked;
    s.ShowHex = d.cbxHex.checked;
    s.ShowCmyk = d.cbxCMYK.checked;
    s.CmykFactorK = d.tcbFacK.position;
    s.ShowRgb = d.cbxRGB.checked;
    s.RgbAsPercent = d.cbxRGB1.checked;
    s.ShowCoordinates = d.cbxPoint.checked;
    s.HotkeyCopyColor = d.hkCopyColor.value;
    s.HotkeyPasteColor = d.hkPasteColor.value;
    s.HotkeyFreezeWindow = d.hkFreezeW.value;
    s.HotkeyFreezeColor = d.hkFreezeC.value;
    s.HotkeyMeasure = d.hkMeasure.value;
    s.HotkeyAddPoint = d.hkAddPoint.value;
    s.HotkeyResetPoints = d.hkResetPoints.value;
    s.HotkeyShowHide = d.hkShowHide.value;
    s.HotkeyQuit = d.hkQuit.value;
}

void CopyBackModes(const TfrmProp& d, Settings& s) {
    s.ClickAddsPoint = d.cbxAddPoint.checked;
    // Nothing selected can only come from a stored format outside the items;
    // the setting then keeps its value rather than taking -1.
    if (d.cmxClipbCode.itemIndex >= 0) s.ClipboardFormat = d.cmxClipbCode.itemIndex;
    s.Zoom = d.tcbSize.position;
    s.ShowContrast = d.cbxContrast.checked;
    if (const std::optional<int> size = d.SelectedSampleSize()) s.SampleSize = *size;
    s.ShowAngle = d.cbxAngle.checked;
}

void CopyBackFont(const FontDescription& chosen, FontDescription& font) {
    font.name = chosen.name;
    SetPointSize(font, PointSizeOf(chosen));
    FitFontHeight(font);
    font.bold = chosen.bold;
    font.italic = chosen.italic;
    font.underline = chosen.underline;
    font.strikeOut = chosen.strikeOut;
    font.colour = chosen.colour;
}

}  // namespace

void TfrmPixoletMain::SetProperties(Sender) {
    PropertiesDialogFactory* const factory = ports_.dialogs;
    if (factory == nullptr) return;

    const bool wasVisible = ports_.view.IsVisible();
    const bool wasMeasuring = MeasuringMode;
    if (wasMeasuring) ToggleMeasuringMode();
    if (wasVisible) ShowHide(Sender::Window);

    // Asked again from the tray menu while the dialog is open.
    if (PropertiesDialog != nullptr) {
        PropertiesDialog->BringToFront();
        return;
    }

    auto dialog = std::make_unique<TfrmProp>(*factory);
    PropertiesDialog = dialog.get();

    // The dialog goes, and the window comes back as it was, however the
    // steps in between end. The field is cleared first: ShowHide does nothing
    // while it is set.
    auto cleanUp = [&] {
        dialog.reset();
        PropertiesDialog = nullptr;
        if (wasVisible) ShowHide(Sender::Window);
        if (wasMeasuring) ToggleMeasuringMode();
    };

    int result = 0;
    try {
        CopyIn(*dialog, settings, ReadoutFont);
        result = dialog->ShowModal();
        if (result == kDialogOK) {
            CopyBackShowAndShortcuts(*dialog, settings);
            ports_.view.SetMenuShortcuts(settings.HotkeyShowHide, settings.HotkeyQuit);
            CopyBackModes(*dialog, settings);
            CopyBackFont(dialog->dlgFontFont, ReadoutFont);
            ports_.view.SetFont(ViewFont());
            SaveSettings();
        }
    } catch (...) {
        // A failed save still restores the window; the error then travels on
        // to the application's handler and no uninstall follows.
        cleanUp();
        throw;
    }
    cleanUp();

    if (result == kDialogUninstall) ConfirmUninstall();
}

void TfrmPixoletMain::ConfirmUninstall() {
    if (ports_.view.IsVisible()) ShowHide(Sender::Window);
    const std::string text =
        "Thank you for using Pixolet!\rUninstall will clear the Pixolet registry "
        "settings.\rPlease delete " +
        ports_.desktop.ExecutablePath() + " by yourself." + "\r" + " " + "\r" +
        "Continue uninstall?";
    if (!ports_.desktop.AskYesNo("Uninstall", text)) return;
    RemoveRegistryEntries();
    ports_.desktop.PostClose();
}

void TfrmPixoletMain::RemoveRegistryEntries() {
    pixolet::RemoveRegistryEntries(ports_.registry);
}

}  // namespace pixolet

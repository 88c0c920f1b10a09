// The readout window's state and operations, independent of any toolkit.
// The platform creates one TfrmPixoletMain with its ports and forwards its
// window events, input events and menu commands to it.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "actions/action_table.h"
#include "app/pixolet_error.h"
#include "ports/clipboard_port.h"
#include "ports/colour_dialog_port.h"
#include "ports/readout_view_port.h"
#include "ports/registry_port.h"
#include "ports/screen_port.h"
#include "readout/magnifier.h"
#include "readout/readout_scene.h"
#include "settings/settings.h"

namespace pixolet {

class TMeasPoints;
class TfrmProp;
class PropertiesDialogFactory;

// Who asked ShowHide to act. A hide asked for by the user (menu entry, tray
// icon, show/hide shortcut) also ends measuring mode.
enum class Sender { Window, Show1, TrayIcon };

// An error's message as the error box shows it: a full stop is added when the
// text is not empty and its last character sorts after ".".
std::string ErrorBoxText(std::string_view message);

struct ReadoutPorts {
    ReadoutView& view;
    ScreenPort& screen;
    Clock& clock;
    ClipboardPort& clipboard;
    ColourDialogPort& colourDialog;
    DesktopPort& desktop;
    Registry& registry;
    // Creates the platform's properties dialog; none where it is not built.
    PropertiesDialogFactory* dialogs = nullptr;
};

class TfrmPixoletMain {
  public:
    explicit TfrmPixoletMain(const ReadoutPorts& ports);
    ~TfrmPixoletMain();
    TfrmPixoletMain(const TfrmPixoletMain&) = delete;
    TfrmPixoletMain& operator=(const TfrmPixoletMain&) = delete;

    // Window life cycle (readout/readout_window.cpp).
    void FormCreate();
    void FormShow();   // the layout, run each time the window is shown
    void FormPaint();  // the core's part of a repaint: the screen markers
    void FormClose();
    void ShowHide(Sender sender);
    void Quit1Click() { ports_.desktop.PostClose(); }
    void PlaceUnderPointer();
    // Freezes the window in place or lets it follow the pointer again; a
    // frozen window takes the pointer, a following one lets it pass.
    void ToggleFollowPointer();
    // Shows the error box and ends the program; the input hook goes first.
    void AppExceptionHandler(const std::exception& error);

    // Tracking (readout/tracking.cpp).
    void TrackingUpdate();
    // Lays the readout out for a monitor of `dpi` when that differs from the
    // dpi it has (a shown window is laid out again at once); the tracking
    // update calls it with the dpi of the monitor under the pointer.
    void ApplyMonitorDpi(int dpi);
    // ReadoutFont at the dpi the readout is laid out for: what the view
    // draws and measures with.
    FontDescription ViewFont() const;
    // The contrast line from CurrentColor and CopiedColor.
    void UpdateContrastLine();

    // Shortcuts and colour export (actions/).
    bool DispatchShortcut(int key, std::uint8_t shift);
    // Runs one action, its shortcut's conditions already met; the result is
    // the dispatch's "handled".
    bool PerformAction(Action action);
    // An action asked for by name from outside the program, under the rules
    // of its shortcut (actions/run_action.cpp).
    ActionOutcome RunAction(Action action);
    bool CopyColorToClipboard();
    // Copies the colour under the pointer, read now; for a hidden readout.
    bool CopyColorAtPointer();
    // Puts `colour` on the clipboard as text and records it as copied.
    bool CopyColour(Colour colour);
    bool SendColorToDialog();

    // Measuring (measure/measuring_mode.cpp).
    void ToggleMeasuringMode();
    void AddMeasurePoint();
    void ResetMeasurePoints();

    // Store (settings/settings_store.cpp).
    void LoadSettings();
    void SaveSettings();

    // Properties dialog and uninstall (settings/set_properties.cpp).
    void SetProperties(Sender sender);
    void ConfirmUninstall();
    void RemoveRegistryEntries();

    // State. Public: the operations of several subsystems share it, and the
    // platform glue and the tests read it.
    Settings settings;
    FontDescription ReadoutFont;
    Colour CurrentColor = 0;
    Colour CopiedColor = 0;
    // A copy has happened: the contrast line compares against CopiedColor
    // only then.
    bool HasCopiedColor = false;
    // The dpi of the monitor the readout is laid out for (96 at 100 %).
    int LayoutDpi = 96;
    std::string ClipboardText;
    int SavedLeft = 0;
    int SavedTop = 0;
    bool Dragging = false;
    bool TrackColor = true;
    bool FollowPointer = true;
    bool MeasuringMode = false;
    std::unique_ptr<TMeasPoints> MeasurePoints;
    TfrmProp* PropertiesDialog = nullptr;
    int MoveTolerance = 0;
    // Set by a tracking update that moved the window and then sampled where
    // the window had been: those pixels may still be the readout's own until
    // the window below repaints, so the sample is worth taking again.
    bool SampledOverOldPlace = false;

    const ReadoutScene& Scene() const { return scene_; }
    ReadoutScene& MutableScene() { return scene_; }
    const ReadoutPorts& Ports() const { return ports_; }

  private:
    ReadoutPorts ports_;
    ReadoutScene scene_;
    // The block sampled around the pointer, kept between tracking updates so
    // that an update allocates nothing.
    SampleGrid samples_{};
};

}  // namespace pixolet

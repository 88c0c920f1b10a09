// A properties dialog without a window: its modal run executes a scripted
// sequence of edits on the model and returns the script's result. Plus a
// readout window wired to it and to the fakes of every other port.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_ports.h"
#include "fakes/fake_registry.h"
#include "ports/properties_dialog_port.h"
#include "readout/readout_window.h"
#include "settings/properties_dialog.h"

namespace pixolet::fakes {

class FakeDialogFactory : public PropertiesDialogFactory {
  public:
    // The user's actions during the modal run; the result ends the run.
    std::function<int(TfrmProp&)> script = [](TfrmProp&) { return kDialogCancel; };
    // What the font dialog does with the font object; nothing means Cancel.
    std::function<bool(FontDescription&)> chooseFont;
    PixelBuffer logo{118, 47, kWhite};
    std::optional<std::string> versionBlock;

    int created = 0;
    int destroyed = 0;
    int modalRuns = 0;
    int broughtToFront = 0;
    bool timerRunning = false;
    std::vector<PixelBuffer> previews;
    std::optional<std::string> shownHint;
    // Called at the start of every modal run, before the script.
    std::function<void()> onModal;

    std::unique_ptr<PropertiesDialogView> CreateView(TfrmProp& dialog) override;
};

class FakeDialogView : public PropertiesDialogView {
  public:
    FakeDialogView(FakeDialogFactory& factory, TfrmProp& model) : factory_(factory), model_(model) {
        ++factory_.created;
    }
    ~FakeDialogView() override { ++factory_.destroyed; }

    int ShowModal() override {
        ++factory_.modalRuns;
        model_.FormShow();
        model_.FormActivate();
        if (factory_.onModal) factory_.onModal();
        return factory_.script(model_);
    }
    void BringToFront() override { ++factory_.broughtToFront; }
    void ControlsChanged() override {}
    void SetRefreshTimer(bool running) override { factory_.timerRunning = running; }
    void DrawZoomPreview(const PixelBuffer& preview) override {
        factory_.previews.push_back(preview);
    }
    void SetLogoHint(const std::string& hint) override { factory_.shownHint = hint; }
    bool ChooseFont(FontDescription& font) override {
        return factory_.chooseFont ? factory_.chooseFont(font) : false;
    }
    const PixelBuffer& LogoBitmap() override { return factory_.logo; }
    std::optional<std::string> ReadVersionBlock() override { return factory_.versionBlock; }

  private:
    FakeDialogFactory& factory_;
    TfrmProp& model_;
};

inline std::unique_ptr<PropertiesDialogView> FakeDialogFactory::CreateView(TfrmProp& dialog) {
    return std::make_unique<FakeDialogView>(*this, dialog);
}

// A desktop that lets a test look at the program when the question comes.
class AskingDesktop : public FakeDesktop {
  public:
    std::function<void()> onAsk;
    bool AskYesNo(std::string_view caption, std::string_view text) override {
        if (onAsk) onAsk();
        return FakeDesktop::AskYesNo(caption, text);
    }
};

struct DialogEnvironment {
    FakeView view;
    FakeScreen screen;
    FakeClock clock;
    FakeClipboard clipboard;
    FakeColourDialog colourDialog;
    AskingDesktop desktop;
    FakeRegistry registry;
    FakeDialogFactory dialogs;
    TfrmPixoletMain window{
        ReadoutPorts{view, screen, clock, clipboard, colourDialog, desktop, registry, &dialogs}};
};

}  // namespace pixolet::fakes

// The properties dialog as a platform window. The core's TfrmProp holds every
// control value and makes every decision; the view shows that state, forwards
// the user's edits to it (through TfrmProp's edit operations) and provides the
// few services the dialog needs from the platform.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ports/types.h"
#include "ports/font_description.h"

namespace pixolet {

class TfrmProp;

// Results of the modal run.
inline constexpr int kDialogOK = 1;
inline constexpr int kDialogCancel = 2;
inline constexpr int kDialogUninstall = 10;

class PropertiesDialogView {
  public:
    virtual ~PropertiesDialogView() = default;

    // Shows the dialog modally from the model's current state and returns
    // kDialogOK, kDialogCancel (also the close box) or kDialogUninstall. The
    // view runs the model's FormShow when it appears and FormActivate each
    // time it becomes the active window.
    virtual int ShowModal() = 0;
    virtual void BringToFront() = 0;
    // The model changed enabled states or values on its own (a check box's
    // click handler, say): show them.
    virtual void ControlsChanged() = 0;
    // Starts or stops the refresh timer; each tick calls tmrRefreshTimer.
    virtual void SetRefreshTimer(bool running) = 0;
    // Paints the preview onto the zoom box. It is not kept: the box's next
    // repaint of its own shows it plain again.
    virtual void DrawZoomPreview(const PixelBuffer& preview) = 0;
    virtual void SetLogoHint(const std::string& hint) = 0;
    // The font dialog, started from `font`; on its OK `font` takes the chosen
    // face, size, style and colour and the result is true.
    virtual bool ChooseFont(FontDescription& font) = 0;
    // The maker's logo as a bitmap (118 x 47), the zoom preview's sample.
    virtual const PixelBuffer& LogoBitmap() = 0;
    // The program's own version block, or nothing when it cannot be read.
    virtual std::optional<std::string> ReadVersionBlock() = 0;
};

class PropertiesDialogFactory {
  public:
    virtual ~PropertiesDialogFactory() = default;
    // A new view for `dialog`. The model's controls exist with their form
    // values, but the values to edit arrive only before ShowModal.
    virtual std::unique_ptr<PropertiesDialogView> CreateView(TfrmProp& dialog) = 0;
};

}  // namespace pixolet

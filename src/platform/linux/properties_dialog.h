// The properties dialog's window: seven pages and three buttons over the core's
// TfrmProp, which holds every value and makes every decision.
#pragma once

#include <QDialog>
#include <QTimer>
#include <array>
#include <optional>

#include "ports/properties_dialog_port.h"
#include "ports/types.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;

namespace pixolet {
struct CheckBox;
struct HotkeyEditor;
struct TrackBar;
}  // namespace pixolet

namespace pixolet::linux_common {

class HotkeyEdit;

// The zoom page's preview box: white inside a black outline whenever it
// repaints itself; a preview handed to it shows until the next repaint.
class ZoomBox : public QWidget {
    Q_OBJECT
  public:
    explicit ZoomBox(QWidget* parent = nullptr);
    void DrawPreview(const PixelBuffer& preview);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<PixelBuffer> pending_;
};

class PropertiesDialog : public QDialog, public PropertiesDialogView {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 411;
    static constexpr int kClientHeight = 199;

    explicit PropertiesDialog(TfrmProp& model);
    ~PropertiesDialog() override;

    int ShowModal() override;
    void BringToFront() override;
    void ControlsChanged() override;
    void SetRefreshTimer(bool running) override;
    void DrawZoomPreview(const PixelBuffer& preview) override;
    void SetLogoHint(const std::string& hint) override;
    bool ChooseFont(FontDescription& font) override;
    const PixelBuffer& LogoBitmap() override;
    std::optional<std::string> ReadVersionBlock() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct CheckBinding {
        QCheckBox* widget;
        CheckBox* model;
    };
    struct SliderBinding {
        QSlider* widget;
        TrackBar* model;
    };
    struct HotkeyBinding {
        HotkeyEdit* widget;
        HotkeyEditor* model;
    };

    QWidget* MakePage(const char* caption);
    void BuildPreferences(QWidget* page);
    void BuildClipboard(QWidget* page);
    void BuildMeasuringTool(QWidget* page);
    void BuildMiscellaneous(QWidget* page);
    void BuildZoom(QWidget* page);
    void BuildDesigner(QWidget* page);
    void BuildAbout(QWidget* page);
    QCheckBox* AddCheck(QWidget* page, CheckBox& box, const QRect& bounds);
    QSlider* AddSlider(QWidget* page, TrackBar& bar, const QRect& bounds);
    HotkeyEdit* AddHotkey(QWidget* page, const char* label, const QRect& labelBounds,
                          HotkeyEditor& editor, const QRect& bounds);
    void SetTabOrder();
    // Every widget from the model; signals held back meanwhile.
    void SyncAll();
    void SyncEnabled();

    TfrmProp& model_;
    QTabWidget* pages_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
    QComboBox* cmxClipbCode_ = nullptr;
    QComboBox* cmxSample_ = nullptr;
    ZoomBox* shpZoom_ = nullptr;
    QLabel* imgVelmora_ = nullptr;
    std::vector<CheckBinding> checks_;
    std::vector<SliderBinding> sliders_;
    std::vector<HotkeyBinding> hotkeys_;
    QTimer tmrRefresh_;
    std::optional<PixelBuffer> logo_;
    bool syncing_ = false;
};

}  // namespace pixolet::linux_common

#include "platform/linux/properties_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QEventLoop>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "platform/linux/core_text.h"
#include "platform/linux/effects_label_widget.h"
#include "platform/linux/hotkey_edit.h"
#include "platform/linux/maker_links.h"
#include "platform/linux/version_block.h"
#include "settings/font_fit.h"
#include "settings/properties_dialog.h"
#include "settings/zoom_preview.h"

namespace pixolet::linux_common {

namespace {

constexpr int kRefreshIntervalMs = 100;
// The font dialog offers these sizes only.
constexpr int kMinFontPoints = 7;
constexpr int kMaxFontPoints = 9;
constexpr int kLogoWidth = 118;
constexpr int kLogoHeight = 47;
constexpr int kDialogFontPixels = 11;
constexpr int kMinCaptionPixels = 9;

QColor ToQColor(Colour c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

Colour FromQColor(const QColor& c) {
    return MakeColour(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                      static_cast<std::uint8_t>(c.blue()));
}

QImage ToQImage(const PixelBuffer& buffer) {
    QImage image(buffer.Width(), buffer.Height(), QImage::Format_RGB32);
    for (int y = 0; y < buffer.Height(); ++y)
        for (int x = 0; x < buffer.Width(); ++x)
            image.setPixel(x, y, ToQColor(buffer.At(x, y)).rgb());
    return image;
}

// A page's plain frame around its controls.
void AddBevel(QWidget* page) {
    auto* frame = new QFrame(page);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(4, 4, 397 - 2 * 4 - 4, 157 - 24 - 2 * 4);
    frame->lower();
}

// The fixed boxes were laid out for a narrower face than the one the
// desktop resolves "MS Sans Serif" to: a caption that would be cut takes a
// smaller pixel size, down to a readable 9.
void FitCaption(QWidget* widget, const QString& caption, int extra) {
    // Measured with the dialog's font: a child only inherits it later.
    QFont font = PixelFont("MS Sans Serif", kDialogFontPixels);
    while (font.pixelSize() > kMinCaptionPixels &&
           QFontMetrics(font).horizontalAdvance(caption) + extra > widget->width())
        font.setPixelSize(font.pixelSize() - 1);
    if (font.pixelSize() != kDialogFontPixels) widget->setFont(font);
}

QLabel* AddLabel(QWidget* page, const char* text, const QRect& bounds) {
    auto* label = new QLabel(QString::fromLatin1(text), page);
    label->setGeometry(bounds);
    FitCaption(label, label->text(), 0);
    return label;
}

}  // namespace

ZoomBox::ZoomBox(QWidget* parent) : QWidget(parent) {
    setFixedSize(kZoomBoxSize, kZoomBoxSize);
}

void ZoomBox::DrawPreview(const PixelBuffer& preview) {
    pending_ = preview;
    repaint();
}

void ZoomBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The preview is a one-off drawing: any later repaint shows the plain box.
    const PixelBuffer shown = pending_ ? *pending_ : PlainZoomBox();
    pending_.reset();
    painter.drawImage(0, 0, ToQImage(shown));
}

PropertiesDialog::PropertiesDialog(TfrmProp& model)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      model_(model) {
    setWindowTitle(QStringLiteral("Properties"));
    setFont(PixelFont("MS Sans Serif", kDialogFontPixels));
    setFixedSize(kClientWidth, kClientHeight);

    // Panel1: a lowered bevel over the whole client area.
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(0, 0, kClientWidth, kClientHeight);

    pages_ = new QTabWidget(panel);
    pages_->setGeometry(7, 6, 397, 157);
    // Seven captions are wider than the 397 pixels in the dialog's font:
    // the tab row scrolls with arrows, and the tabs keep a readable padding.
    pages_->setUsesScrollButtons(true);
    pages_->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 4px; }"));
    // The arrows are for the mouse; the keys change pages on the tabs.
    for (QToolButton* arrow : pages_->tabBar()->findChildren<QToolButton*>())
        arrow->setFocusPolicy(Qt::NoFocus);
    BuildPreferences(MakePage("Preferences"));
    BuildClipboard(MakePage("Clipboard"));
    BuildMeasuringTool(MakePage("Measuring Tool"));
    BuildMiscellaneous(MakePage("Miscellaneous"));
    BuildZoom(MakePage("Zoom"));
    BuildDesigner(MakePage("Designer"));
    BuildAbout(MakePage("About"));
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (syncing_ || index < 0) return;
        model_.SelectPage(static_cast<PropPage>(index));
    });

    btnOK_ = new QPushButton(QStringLiteral("OK"), panel);
    btnOK_->setGeometry(243, 168, 75, 24);
    btnOK_->setDefault(true);
    connect(btnOK_, &QPushButton::clicked, this, [this] { done(kDialogOK); });
    btnCancel_ = new QPushButton(QStringLiteral("Cancel"), panel);
    btnCancel_->setGeometry(330, 168, 75, 24);
    connect(btnCancel_, &QPushButton::clicked, this, [this] { done(kDialogCancel); });
    button1_ = new QPushButton(QStringLiteral("Uninstall"), panel);
    button1_->setGeometry(7, 168, 75, 24);
    button1_->setAutoDefault(false);
    connect(button1_, &QPushButton::clicked, this, [this] { done(kDialogUninstall); });

    tmrRefresh_.setInterval(kRefreshIntervalMs);
    connect(&tmrRefresh_, &QTimer::timeout, this, [this] { model_.tmrRefreshTimer(); });

    SetTabOrder();
}

PropertiesDialog::~PropertiesDialog() = default;

QWidget* PropertiesDialog::MakePage(const char* caption) {
    auto* page = new QWidget(pages_);
    pages_->addTab(page, QString::fromLatin1(caption));
    AddBevel(page);
    return page;
}

QCheckBox* PropertiesDialog::AddCheck(QWidget* page, CheckBox& box, const QRect& bounds) {
    auto* widget = new QCheckBox(
        QString::fromLatin1(box.caption.data(), static_cast<qsizetype>(box.caption.size())), page);
    widget->setGeometry(bounds);
    const int indicator =
        widget->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) +
        widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, widget);
    FitCaption(widget, widget->text(), indicator);
    connect(widget, &QCheckBox::toggled, this, [this, &box](bool checked) {
        if (!syncing_) model_.SetChecked(box, checked);
    });
    checks_.push_back({widget, &box});
    return widget;
}

QSlider* PropertiesDialog::AddSlider(QWidget* page, TrackBar& bar, const QRect& bounds) {
    auto* widget = new QSlider(Qt::Horizontal, page);
    widget->setGeometry(bounds);
    widget->setRange(bar.min, bar.max);
    widget->setTickPosition(QSlider::TicksBelow);
    widget->setTickInterval(bar.frequency);
    widget->setPageStep(bar.frequency);
    connect(widget, &QSlider::valueChanged, this, [this, &bar](int value) {
        if (!syncing_) model_.MoveTrackBar(bar, value);
    });
    sliders_.push_back({widget, &bar});
    return widget;
}

HotkeyEdit* PropertiesDialog::AddHotkey(QWidget* page, const char* label, const QRect& labelBounds,
                                        HotkeyEditor& editor, const QRect& bounds) {
    AddLabel(page, label, labelBounds);
    auto* widget = new HotkeyEdit(page);
    widget->setGeometry(bounds);
    connect(widget, &HotkeyEdit::typed, this, [this, widget, &editor](Shortcut typed) {
        model_.TypeHotkey(editor, typed);
        widget->SetValue(editor.value);
    });
    connect(widget, &HotkeyEdit::cleared, this, [this, widget, &editor] {
        model_.SetHotkey(editor, 0);
        widget->SetValue(editor.value);
    });
    hotkeys_.push_back({widget, &editor});
    return widget;
}

void PropertiesDialog::BuildPreferences(QWidget* page) {
    TfrmProp& m = model_;
    AddCheck(page, m.cbxStartUp, QRect(21, 18, 264, 17));
    AddCheck(page, m.cbxHex, QRect(21, 38, 266, 17));
    AddCheck(page, m.cbxRGB, QRect(21, 57, 86, 17));
    AddCheck(page, m.cbxRGB1, QRect(112, 56, 97, 17));
    AddCheck(page, m.cbxCMYK, QRect(21, 77, 156, 17));
    AddSlider(page, m.tcbFacK, QRect(174, 76, 187, 17));
    AddCheck(page, m.cbxPoint, QRect(21, 96, 323, 19));

    bitBtn1_ = new QPushButton(QStringLiteral("Font"), page);
    bitBtn1_->setGeometry(305, 14, 67, 25);
    bitBtn1_->setAutoDefault(false);
    // The small picture: a blue "A".
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    {
        QPainter painter(&glyph);
        painter.setPen(Qt::blue);
        painter.setFont(PixelFont("Arial", 14));
        painter.drawText(glyph.rect(), Qt::AlignCenter, QStringLiteral("A"));
    }
    bitBtn1_->setIcon(QIcon(glyph));
    connect(bitBtn1_, &QPushButton::clicked, this, [this] { model_.BitBtn1Click(); });
}

void PropertiesDialog::BuildClipboard(QWidget* page) {
    AddLabel(page, "Clipboard text format:", QRect(18, 24, 207, 13));
    cmxClipbCode_ = new QComboBox(page);
    cmxClipbCode_->setGeometry(226, 20, 150, 21);
    cmxClipbCode_->setEditable(false);
    cmxClipbCode_->setMaxVisibleItems(4);
    for (std::string_view item : kClipboardFormatItems)
        cmxClipbCode_->addItem(
            QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
    connect(cmxClipbCode_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!syncing_) model_.SetItemIndex(index);
    });
    AddHotkey(page, "Copy to clipboard:", QRect(18, 58, 207, 13), model_.hkCopyColor,
              QRect(226, 54, 150, 21));
    AddHotkey(page, "Paste color to choose color dialog:", QRect(18, 91, 207, 13),
              model_.hkPasteColor, QRect(226, 87, 150, 21));
}

void PropertiesDialog::BuildMeasuringTool(QWidget* page) {
    AddCheck(page, model_.cbxAddPoint, QRect(19, 18, 323, 17));
    AddHotkey(page, "Hot key to add point:", QRect(20, 42, 202, 13), model_.hkAddPoint,
              QRect(222, 38, 150, 21));
    AddHotkey(page, "Reset points:", QRect(20, 67, 202, 13), model_.hkResetPoints,
              QRect(222, 63, 150, 21));
    AddHotkey(page, "Measuring mode on/off:", QRect(18, 92, 201, 13), model_.hkMeasure,
              QRect(222, 88, 150, 21));
}

void PropertiesDialog::BuildMiscellaneous(QWidget* page) {
    AddHotkey(page, "Freeze/unfreeze console window:", QRect(18, 24, 207, 13), model_.hkFreezeW,
              QRect(226, 20, 150, 21));
    AddHotkey(page, "Freeze/unfreeze color tracking:", QRect(18, 49, 207, 13), model_.hkFreezeC,
              QRect(226, 45, 150, 21));
    AddHotkey(page, "Show/hide:", QRect(18, 75, 207, 13), model_.hkShowHide,
              QRect(226, 71, 150, 21));
    AddHotkey(page, "Quit:", QRect(18, 100, 207, 13), model_.hkQuit, QRect(226, 96, 150, 21));
}

void PropertiesDialog::BuildZoom(QWidget* page) {
    shpZoom_ = new ZoomBox(page);
    shpZoom_->move(26, 22);
    AddSlider(page, model_.tcbSize, QRect(19, 87, 199, 19));
}

void PropertiesDialog::BuildDesigner(QWidget* page) {
    AddCheck(page, model_.cbxContrast, QRect(21, 18, 330, 17));
    AddLabel(page, "Colour of the readout:", QRect(21, 46, 150, 13));
    cmxSample_ = new QComboBox(page);
    cmxSample_->setGeometry(176, 42, 185, 21);
    cmxSample_->setEditable(false);
    for (std::string_view item : kSampleSizeItems)
        cmxSample_->addItem(QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
    connect(cmxSample_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!syncing_) model_.SetSampleIndex(index);
    });
    AddCheck(page, model_.cbxAngle, QRect(21, 72, 330, 17));
    AddLabel(page, "Contrast check: copy the background colour, then point at the text.",
             QRect(21, 100, 355, 13));
}

void PropertiesDialog::BuildAbout(QWidget* page) {
    auto* icon = new QLabel(page);
    icon->setPixmap(QPixmap(QStringLiteral(":/pixolet/icon.xpm")));
    icon->setGeometry(14, 12, 41, 37);
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    EffectsLabelWidget::MakeProgramCaption(QStringLiteral("Pixolet 2.1"), page);

    imgVelmora_ = new QLabel(page);
    imgVelmora_->setPixmap(QPixmap(QStringLiteral(":/pixolet/velmora.xpm")));
    imgVelmora_->setGeometry(128, 10, 139, 48);
    imgVelmora_->setAlignment(Qt::AlignCenter);
    imgVelmora_->setToolTip(FromCoreText(model_.LogoHint()));
    imgVelmora_->installEventFilter(this);

    CreateMakerLinks(page, 126, std::string(kPartnerMailAddress));
}

void PropertiesDialog::SetTabOrder() {
    // One explicit chain: the page tabs, the controls of every page (Qt
    // skips those of hidden pages), then OK, Cancel and Uninstall. On
    // "Preferences" the check boxes come first, the factor and the Font
    // button last; the other pages follow their rows.
    auto check = [this](const CheckBox& box) -> QWidget* {
        for (const CheckBinding& b : checks_)
            if (b.model == &box) return b.widget;
        return nullptr;
    };
    auto slider = [this](const TrackBar& bar) -> QWidget* {
        for (const SliderBinding& b : sliders_)
            if (b.model == &bar) return b.widget;
        return nullptr;
    };
    auto hotkey = [this](const HotkeyEditor& editor) -> QWidget* {
        for (const HotkeyBinding& b : hotkeys_)
            if (b.model == &editor) return b.widget;
        return nullptr;
    };
    const TfrmProp& m = model_;
    QWidget* const chain[] = {
        pages_->tabBar(),
        check(m.cbxStartUp),
        check(m.cbxHex),
        check(m.cbxRGB),
        check(m.cbxCMYK),
        check(m.cbxPoint),
        check(m.cbxRGB1),
        slider(m.tcbFacK),
        bitBtn1_,
        cmxClipbCode_,
        hotkey(m.hkCopyColor),
        hotkey(m.hkPasteColor),
        check(m.cbxAddPoint),
        hotkey(m.hkAddPoint),
        hotkey(m.hkResetPoints),
        hotkey(m.hkMeasure),
        hotkey(m.hkFreezeW),
        hotkey(m.hkFreezeC),
        hotkey(m.hkShowHide),
        hotkey(m.hkQuit),
        slider(m.tcbSize),
        check(m.cbxContrast),
        cmxSample_,
        check(m.cbxAngle),
        btnOK_,
        btnCancel_,
        button1_,
    };
    for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void PropertiesDialog::SyncAll() {
    syncing_ = true;
    for (const CheckBinding& b : checks_) b.widget->setChecked(b.model->checked);
    for (const SliderBinding& b : sliders_) b.widget->setValue(b.model->position);
    for (const HotkeyBinding& b : hotkeys_) b.widget->SetValue(b.model->value);
    cmxClipbCode_->setCurrentIndex(model_.cmxClipbCode.itemIndex);
    cmxSample_->setCurrentIndex(model_.cmxSample.itemIndex);
    pages_->setCurrentIndex(static_cast<int>(model_.ActivePage()));
    syncing_ = false;
    SyncEnabled();
}

void PropertiesDialog::SyncEnabled() {
    for (const CheckBinding& b : checks_) b.widget->setEnabled(b.model->enabled);
    for (const SliderBinding& b : sliders_) b.widget->setEnabled(b.model->enabled);
    for (const HotkeyBinding& b : hotkeys_) b.widget->setEnabled(b.model->enabled);
}

int PropertiesDialog::ShowModal() {
    SyncAll();
    // Centred on the primary screen; the frame's size is added by the window
    // manager around the fixed client area.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - kClientWidth) / 2,
             area.top() + (area.height() - kClientHeight) / 2);
    }
    // A loop of its own rather than exec(): the tray icon and its menu must
    // stay usable while the dialog is open.
    QEventLoop loop;
    int result = kDialogCancel;
    const auto finished = connect(this, &QDialog::finished, &loop, [&](int code) {
        result = code;
        loop.quit();
    });
    setResult(0);
    show();
    BringToFront();
    // The page tabs hold the focus first, as the first stop of the chain.
    pages_->tabBar()->setFocus(Qt::OtherFocusReason);
    loop.exec();
    disconnect(finished);
    hide();
    tmrRefresh_.stop();
    // An event loop ended from outside (the program closing) counts as Cancel.
    if (result != kDialogOK && result != kDialogUninstall) result = kDialogCancel;
    return result;
}

void PropertiesDialog::BringToFront() {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void PropertiesDialog::ControlsChanged() {
    SyncEnabled();
}

void PropertiesDialog::SetRefreshTimer(bool running) {
    if (running)
        tmrRefresh_.start();
    else
        tmrRefresh_.stop();
}

void PropertiesDialog::DrawZoomPreview(const PixelBuffer& preview) {
    shpZoom_->DrawPreview(preview);
}

void PropertiesDialog::SetLogoHint(const std::string& hint) {
    imgVelmora_->setToolTip(FromCoreText(hint));
}

bool PropertiesDialog::ChooseFont(FontDescription& font) {
    QFont initial(QString::fromStdString(font.name));
    initial.setPointSize(std::clamp(PointSizeOf(font), kMinFontPoints, kMaxFontPoints));
    initial.setBold(font.bold);
    initial.setItalic(font.italic);
    initial.setUnderline(font.underline);
    initial.setStrikeOut(font.strikeOut);
    // The dialog lists real families only; a stored face that is only an
    // alias (resolved by fontconfig) starts as the family it resolves to.
    const QString resolved = QFontInfo(initial).family();
    initial.setFamily(resolved);

    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this, QStringLiteral("Font"),
                                              QFontDialog::DontUseNativeDialog);
    if (!ok) return false;
    const QColor colour = QColorDialog::getColor(
        ToQColor(font.colour), this, QStringLiteral("Color"), QColorDialog::DontUseNativeDialog);

    // An unchanged family keeps the face name as stored.
    if (chosen.family() != resolved) font.name = chosen.family().toStdString();
    int points = chosen.pointSize();
    if (points <= 0) points = static_cast<int>(std::lround(chosen.pointSizeF()));
    SetPointSize(font, std::clamp(points, kMinFontPoints, kMaxFontPoints));
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    font.underline = chosen.underline();
    font.strikeOut = chosen.strikeOut();
    if (colour.isValid()) font.colour = FromQColor(colour);
    return true;
}

const PixelBuffer& PropertiesDialog::LogoBitmap() {
    if (!logo_) {
        const QImage image =
            QImage(QStringLiteral(":/pixolet/velmora.xpm")).convertToFormat(QImage::Format_RGB32);
        PixelBuffer buffer(kLogoWidth, kLogoHeight, kWhite);
        for (int y = 0; y < std::min(image.height(), kLogoHeight); ++y)
            for (int x = 0; x < std::min(image.width(), kLogoWidth); ++x)
                buffer.Set(x, y, FromQColor(QColor(image.pixel(x, y))));
        logo_ = std::move(buffer);
    }
    return *logo_;
}

std::optional<std::string> PropertiesDialog::ReadVersionBlock() {
    return ReadOwnVersionBlock();
}

void PropertiesDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) model_.FormShow();
}

void PropertiesDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) model_.FormActivate();
}

void PropertiesDialog::closeEvent(QCloseEvent* event) {
    // The close box gives Cancel.
    event->ignore();
    done(kDialogCancel);
}

void PropertiesDialog::reject() {
    done(kDialogCancel);
}

bool PropertiesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgVelmora_ && event->type() == QEvent::MouseButtonDblClick) {
        model_.imgVelmoraDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pixolet::linux_common

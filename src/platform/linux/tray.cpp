#include "platform/linux/tray.h"

#include <QAction>
#include <QIcon>

#include "widgets/shortcut_text.h"

namespace pixolet::linux_common {

namespace {

// The shortcut column of a menu entry is whatever follows a tab.
QString EntryText(const QString& caption, Shortcut shortcut) {
    const std::string keys = ShortcutText(shortcut);
    if (keys.empty()) return caption;
    return caption + QLatin1Char('\t') + QString::fromLatin1(keys.data(), qsizetype(keys.size()));
}

}  // namespace

PopupMenu::PopupMenu(QWidget* parent) : QMenu(parent) {
    Show1 = addAction(QStringLiteral("Show"));
    itmProperties = addAction(QStringLiteral("Properties"));
    N1 = addSeparator();
    Quit1 = addAction(QStringLiteral("Quit"));
    UpdateTexts();
}

void PopupMenu::SetShowCaption(std::string_view caption) {
    showCaption_ = QString::fromLatin1(caption.data(), qsizetype(caption.size()));
    UpdateTexts();
}

void PopupMenu::SetShortcuts(Shortcut showHide, Shortcut quit) {
    showHide_ = showHide;
    quit_ = quit;
    UpdateTexts();
}

void PopupMenu::UpdateTexts() {
    Show1->setText(EntryText(showCaption_, showHide_));
    Quit1->setText(EntryText(QStringLiteral("Quit"), quit_));
}

TrayIcon::TrayIcon(PopupMenu* menu, std::function<void()> onDblClick, CoreCall guard,
                   QObject* parent)
    : QObject(parent), menu_(menu), onDblClick_(std::move(onDblClick)), guard_(std::move(guard)) {
    icon_.setIcon(QIcon(QStringLiteral(":/pixolet/icon.xpm")));
    const std::string tip = TrayTooltip(kTrayHint);
    icon_.setToolTip(QString::fromLatin1(tip.data(), qsizetype(tip.size())));
    // Qt opens the menu itself on the right button's press, which is when
    // the menu is due; the XEmbed and the StatusNotifier hosts both need it
    // set this way.
    icon_.setContextMenu(menu_);
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
}

void TrayIcon::Activate() {
    // No check of isSystemTrayAvailable(): without a host now, Qt embeds the
    // icon as soon as one appears.
    icon_.show();
}

std::optional<TrayMouseMessage> TrayIcon::MessageFor(QSystemTrayIcon::ActivationReason reason) {
    // Qt reports presses (the XEmbed icon emits Trigger on the left press)
    // and the left double-click.
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return TrayMouseMessage::LButtonDown;
        case QSystemTrayIcon::DoubleClick:
            return TrayMouseMessage::LButtonDblClk;
        case QSystemTrayIcon::Context:
            return TrayMouseMessage::RButtonDown;
        case QSystemTrayIcon::MiddleClick:
            return TrayMouseMessage::MButtonDown;
        default:
            return std::nullopt;
    }
}

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    const auto message = MessageFor(reason);
    if (!message) return;
    for (const TrayEventStep& step : TrayEventsFor(*message, menu_ != nullptr)) {
        // Of the icon's events only the double-click is assigned; the menu
        // (PopUp) is opened by Qt.
        if (step.kind == TrayEventKind::DblClick && onDblClick_) guard_(onDblClick_);
    }
}

}  // namespace pixolet::linux_common

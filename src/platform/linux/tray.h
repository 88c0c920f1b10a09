// The readout window's popup menu and the notification-area icon that
// opens it. The mapping from mouse actions to events is the core's
// (widgets/tray_events.h); this file only wires it to Qt.
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <functional>
#include <string_view>

#include "ports/shortcut.h"
#include "widgets/tray_events.h"

class QAction;

namespace pixolet::linux_common {

// The tooltip of the icon.
inline constexpr char kTrayHint[] = "Pixolet 2.0";

// Runs a call from Qt into the core (the error guard of the desktop services).
using CoreCall = std::function<void(const std::function<void()>&)>;

// PopupMenu1: Show/Hide, Properties, a separator, Quit.
class PopupMenu : public QMenu {
    Q_OBJECT
  public:
    explicit PopupMenu(QWidget* parent = nullptr);

    void SetShowCaption(std::string_view caption);
    void SetShortcuts(Shortcut showHide, Shortcut quit);

    QAction* Show1 = nullptr;
    QAction* itmProperties = nullptr;
    QAction* N1 = nullptr;
    QAction* Quit1 = nullptr;

  private:
    void UpdateTexts();

    QString showCaption_ = QStringLiteral("Show");
    Shortcut showHide_ = 0;
    Shortcut quit_ = 0;
};

// TrayIcon1.
class TrayIcon : public QObject {
    Q_OBJECT
  public:
    // `menu` is not owned; `onDblClick` runs inside `guard`.
    TrayIcon(PopupMenu* menu, std::function<void()> onDblClick, CoreCall guard,
             QObject* parent = nullptr);

    // Adds the icon. Without a tray host it is embedded as soon as one starts.
    void Activate();
    QSystemTrayIcon& Icon() { return icon_; }

    // The mouse message that a Qt activation stands for.
    static std::optional<TrayMouseMessage> MessageFor(QSystemTrayIcon::ActivationReason reason);

  private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon icon_;
    PopupMenu* menu_;
    std::function<void()> onDblClick_;
    CoreCall guard_;
};

}  // namespace pixolet::linux_common

// A shortcut editor: shows one Shortcut the way the desktop's menus write it
// and reports each key combination the user types. The dialog model applies
// the editor's rule and hands the resulting value back.
#pragma once

#include <QLineEdit>

#include "ports/shortcut.h"

namespace pixolet::linux_common {

// The Windows virtual-key code of a key press: from the X key code's
// unshifted keysym when Qt reports one, else from Qt's key; 0 when the key
// has none.
int VirtualKeyOf(int qtKey, quint32 nativeScanCode);

class HotkeyEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit HotkeyEdit(QWidget* parent = nullptr);

    Shortcut Value() const { return value_; }
    void SetValue(Shortcut value);

  signals:
    // A key with its modifiers, as typed (key code plus Shortcut modifier
    // bits), before any rule.
    void typed(Shortcut combination);
    // Backspace or Delete alone: the editor is to hold no shortcut.
    void cleared();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void ShowText(Shortcut shown);

    Shortcut value_ = 0;
};

}  // namespace pixolet::linux_common

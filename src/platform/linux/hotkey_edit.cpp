#include "platform/linux/hotkey_edit.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "platform/linux/keymap.h"
#include "widgets/shortcut_text.h"

// Xlib after Qt: its macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace pixolet::linux_common {

namespace {

struct QtKeyEntry {
    int qtKey;
    int virtualKey;
};

// For key events without an X key code (synthesised ones).
constexpr QtKeyEntry kQtKeys[] = {
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},          {Qt::Key_Return, 0x0D},
    {Qt::Key_Enter, 0x0D},     {Qt::Key_Pause, 0x13},        {Qt::Key_Escape, 0x1B},
    {Qt::Key_Space, 0x20},     {Qt::Key_PageUp, 0x21},       {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23},       {Qt::Key_Home, 0x24},         {Qt::Key_Left, 0x25},
    {Qt::Key_Up, 0x26},        {Qt::Key_Right, 0x27},        {Qt::Key_Down, 0x28},
    {Qt::Key_Print, 0x2C},     {Qt::Key_Insert, 0x2D},       {Qt::Key_Delete, 0x2E},
    {Qt::Key_Menu, 0x5D},      {Qt::Key_Semicolon, 0xBA},    {Qt::Key_Equal, 0xBB},
    {Qt::Key_Comma, 0xBC},     {Qt::Key_Minus, 0xBD},        {Qt::Key_Period, 0xBE},
    {Qt::Key_Slash, 0xBF},     {Qt::Key_QuoteLeft, 0xC0},    {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_Backslash, 0xDC}, {Qt::Key_BracketRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},
};

bool IsModifierKey(int qtKey) {
    return qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt ||
           qtKey == Qt::Key_Meta || qtKey == Qt::Key_AltGr || qtKey == Qt::Key_Super_L ||
           qtKey == Qt::Key_Super_R || qtKey == Qt::Key_CapsLock || qtKey == Qt::Key_NumLock;
}

Shortcut ModifierBits(Qt::KeyboardModifiers modifiers) {
    Shortcut bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= kShortcutShift;
    if (modifiers & Qt::ControlModifier) bits |= kShortcutCtrl;
    if (modifiers & Qt::AltModifier) bits |= kShortcutAlt;
    return bits;
}

int VirtualKeyFromQtKey(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 0x41 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 0x30 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
    for (const QtKeyEntry& entry : kQtKeys)
        if (entry.qtKey == qtKey) return entry.virtualKey;
    return 0;
}

}  // namespace

int VirtualKeyOf(int qtKey, quint32 nativeScanCode) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->display() && nativeScanCode > 7 && nativeScanCode < 256) {
        // Shift level 0, so that Shift+C and C both name the C key.
        const KeySym sym =
            XkbKeycodeToKeysym(x11->display(), static_cast<KeyCode>(nativeScanCode), 0, 0);
        if (const int vk = VirtualKeyFromKeysym(sym)) return vk;
    }
    return VirtualKeyFromQtKey(qtKey);
}

HotkeyEdit::HotkeyEdit(QWidget* parent) : QLineEdit(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // Text reaches it only as whole combinations, never by typing or pasting.
    setReadOnly(true);
    ShowText(0);
}

void HotkeyEdit::SetValue(Shortcut value) {
    value_ = value;
    ShowText(value_);
}

void HotkeyEdit::ShowText(Shortcut shown) {
    const std::string text = shown == 0 ? std::string("None") : ShortcutText(shown);
    setText(QString::fromLatin1(text.c_str()));
    setCursorPosition(text.size() > 0 ? static_cast<int>(text.size()) : 0);
}

bool HotkeyEdit::event(QEvent* event) {
    // Every combination belongs to the editor, also those Qt would take as a
    // shortcut of the dialog; only plain Tab still moves the focus on.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void HotkeyEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Shortcut modifiers = ModifierBits(event->modifiers());
    if (IsModifierKey(key)) {
        // While only modifiers are held, show them, as the desktop's
        // shortcut fields do.
        ShowText(modifiers);
        return;
    }
    if (modifiers == 0 && (key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (modifiers == 0 &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)) {
        // Left to the dialog: its default and cancel buttons.
        event->ignore();
        return;
    }
    if (modifiers == 0 && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        emit cleared();
        return;
    }
    const int vk = VirtualKeyOf(key, event->nativeScanCode());
    if (vk == 0 || vk == 0x10 || vk == 0x11 || vk == 0x12) {
        ShowText(value_);
        return;
    }
    emit typed(static_cast<Shortcut>(vk | modifiers));
}

void HotkeyEdit::keyReleaseEvent(QKeyEvent* event) {
    // Modifiers let go without a key: back to the value held.
    if (IsModifierKey(event->key())) ShowText(value_);
}

void HotkeyEdit::focusOutEvent(QFocusEvent* event) {
    ShowText(value_);
    QLineEdit::focusOutEvent(event);
}

}  // namespace pixolet::linux_common

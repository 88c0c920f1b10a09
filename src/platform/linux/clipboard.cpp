#include "platform/linux/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace pixolet::linux_common {

bool QtClipboard::SetText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
                       QClipboard::Clipboard);
    return clipboard->ownsClipboard();
}

}  // namespace pixolet::linux_common

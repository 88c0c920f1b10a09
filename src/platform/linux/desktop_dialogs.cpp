#include "platform/linux/desktop_dialogs.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <filesystem>
#include <system_error>

#include "app/start_sequence.h"
#include "platform/linux/core_text.h"

namespace pixolet::linux_common {

void ShowErrorBox(std::string_view message) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle),
                    FromCoreText(message), QMessageBox::Ok);
    box.exec();
}

bool AskYesNoBox(std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::Warning, FromCoreText(caption), FromCoreText(text),
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::string RunningExecutablePath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return QCoreApplication::applicationFilePath().toStdString();
    return path.string();
}

}  // namespace pixolet::linux_common

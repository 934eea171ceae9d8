#include "setup/window/message_box_setup_dialog_service.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include "setup/setup_texts.h"

namespace zentrix::setup {

namespace {

QString title() { return QString::fromLatin1(texts::kApplicationTitle); }
QString text(const std::string& message) { return QString::fromStdString(message); }

}  // namespace

void MessageBoxSetupDialogService::beep() { QApplication::beep(); }

void MessageBoxSetupDialogService::information(const std::string& message) {
    QMessageBox::information(owner_, title(), text(message));
}

void MessageBoxSetupDialogService::error(const std::string& message) {
    QMessageBox::critical(owner_, title(), text(message));
}

bool MessageBoxSetupDialogService::question(const std::string& message) {
    return QMessageBox::question(owner_, title(), text(message), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

int MessageBoxSetupDialogService::runModal(QDialog& dialog) { return dialog.exec(); }

}  // namespace zentrix::setup

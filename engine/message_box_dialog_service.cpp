#include "engine/message_box_dialog_service.h"

#include <QApplication>
#include <QMessageBox>

#include "engine/tfrm_missing_files.h"

namespace zentrix::engine {

MessageBoxDialogService::MessageBoxDialogService(QWidget* owner) : owner_(owner) {}

MessageBoxDialogService::~MessageBoxDialogService() { delete missingFiles_; }

void MessageBoxDialogService::beep() { QApplication::beep(); }

void MessageBoxDialogService::showMessage(MessageKind kind, const QString& text) {
    const QWidget* shownOwner = owner_ && owner_->isVisible() ? owner_ : nullptr;
    QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information,
                    QApplication::applicationName(), text, QMessageBox::Ok,
                    const_cast<QWidget*>(shownOwner));
    box.exec();
}

void MessageBoxDialogService::showMissingGraphic(const QString& fileName) {
    if (!missingFiles_) missingFiles_ = new TfrmMissingFiles();
    missingFiles_->setFileName(fileName);
    missingFiles_->exec();
}

int MessageBoxDialogService::runModal(QDialog& dialog) { return dialog.exec(); }

}  // namespace zentrix::engine

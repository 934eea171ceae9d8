#include "engine/recording_dialog_service.h"

#include <QDialog>

namespace zentrix::engine {

void RecordingDialogService::beep() { entries_.push_back({Event::Beep, QString()}); }

void RecordingDialogService::showMessage(MessageKind kind, const QString& text) {
    entries_.push_back({kind == MessageKind::Error ? Event::Error : Event::Information, text});
}

void RecordingDialogService::showMissingGraphic(const QString& fileName) {
    entries_.push_back({Event::MissingGraphic, fileName});
}

int RecordingDialogService::runModal(QDialog& dialog) {
    entries_.push_back({Event::Dialog, dialog.windowTitle()});
    if (handlers_.empty()) return QDialog::Rejected;
    DialogHandler handler = std::move(handlers_.front());
    handlers_.pop_front();
    return handler(dialog);
}

std::vector<QString> RecordingDialogService::texts(Event event) const {
    std::vector<QString> result;
    for (const Entry& entry : entries_) {
        if (entry.event == event) result.push_back(entry.text);
    }
    return result;
}

}  // namespace zentrix::engine

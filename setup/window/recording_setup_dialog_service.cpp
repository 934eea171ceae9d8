#include "setup/window/recording_setup_dialog_service.h"

#include <QDialog>

namespace zentrix::setup {

int RecordingSetupDialogService::runModal(QDialog& dialog) {
    ++dialogsRun;
    if (handlers_.empty()) return QDialog::Rejected;
    DialogHandler handler = std::move(handlers_.front());
    handlers_.pop_front();
    dialog.show();
    const int result = handler(dialog);
    dialog.hide();
    return result;
}

}  // namespace zentrix::setup

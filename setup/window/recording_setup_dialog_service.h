#pragma once

// A SetupDialogService for tests: messages and questions are recorded and
// answered as RecordingSetupDialogs does; a dialog is shown and handed to
// the next handler, which may act inside it the way a person would and
// gives the dialog's result. Without a handler a dialog is rejected.

#include <deque>
#include <functional>

#include "setup/recording_setup_dialogs.h"
#include "setup/window/setup_dialog_service.h"

namespace zentrix::setup {

class RecordingSetupDialogService : public SetupDialogService {
public:
    using DialogHandler = std::function<int(QDialog&)>;

    void beep() override { record.beep(); }
    void information(const std::string& text) override { record.information(text); }
    void error(const std::string& text) override { record.error(text); }
    bool question(const std::string& text) override { return record.question(text); }
    int runModal(QDialog& dialog) override;

    void answerNextDialog(DialogHandler handler) { handlers_.push_back(std::move(handler)); }
    int dialogsRun = 0;

    RecordingSetupDialogs record;

private:
    std::deque<DialogHandler> handlers_;
};

}  // namespace zentrix::setup

#pragma once

// The setup window's one dialog service: the flows' messages and questions,
// and the modal dialogs the window opens (the folder browser). The program
// binds MessageBoxSetupDialogService; tests bind a
// RecordingSetupDialogService, so no test waits on a modal window.

#include "setup/setup_dialogs.h"

class QDialog;

namespace zentrix::setup {

class SetupDialogService : public SetupDialogs {
public:
    // Runs a dialog the caller built; gives QDialog::Accepted or Rejected.
    virtual int runModal(QDialog& dialog) = 0;
};

}  // namespace zentrix::setup

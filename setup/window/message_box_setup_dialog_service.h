#pragma once

// The running program's SetupDialogService: message boxes over the setup
// window, the system beep, dialogs run modally.

#include "setup/window/setup_dialog_service.h"

class QWidget;

namespace zentrix::setup {

class MessageBoxSetupDialogService : public SetupDialogService {
public:
    explicit MessageBoxSetupDialogService(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    void beep() override;
    void information(const std::string& text) override;
    void error(const std::string& text) override;
    bool question(const std::string& text) override;
    int runModal(QDialog& dialog) override;

private:
    QWidget* owner_;
};

}  // namespace zentrix::setup

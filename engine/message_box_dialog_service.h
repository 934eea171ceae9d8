#pragma once

// The DialogService of the running program: message boxes, the system beep
// and the missing-graphic window.

#include "engine/dialog_service.h"

class QWidget;

namespace zentrix::engine {

class TfrmMissingFiles;

class MessageBoxDialogService : public DialogService {
public:
    // Boxes are centred on `owner` when it is shown. The missing-graphic
    // window is created on first use and kept.
    explicit MessageBoxDialogService(QWidget* owner = nullptr);
    ~MessageBoxDialogService() override;

    void setOwner(QWidget* owner) { owner_ = owner; }

    void beep() override;
    void showMessage(MessageKind kind, const QString& text) override;
    void showMissingGraphic(const QString& fileName) override;
    int runModal(QDialog& dialog) override;

private:
    QWidget* owner_;
    TfrmMissingFiles* missingFiles_ = nullptr;
};

}  // namespace zentrix::engine

#pragma once

// Every modal message, question and dialog of the engine goes through one
// DialogService. The program binds MessageBoxDialogService; tests bind a
// RecordingDialogService so that no test ever waits on a modal window.

#include <QString>

class QDialog;

namespace zentrix::engine {

enum class MessageKind { Information, Error };

class DialogService {
public:
    virtual ~DialogService() = default;

    virtual void beep() = 0;
    // A box with the text and an OK button.
    virtual void showMessage(MessageKind kind, const QString& text) = 0;
    // The missing-graphic window with the text for `fileName`.
    virtual void showMissingGraphic(const QString& fileName) = 0;
    // Runs a dialog the caller built; gives QDialog::Accepted or Rejected.
    virtual int runModal(QDialog& dialog) = 0;

    void information(const QString& text) { showMessage(MessageKind::Information, text); }
    void error(const QString& text) { showMessage(MessageKind::Error, text); }
};

}  // namespace zentrix::engine

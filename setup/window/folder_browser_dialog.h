#pragma once

// The dialog behind TBZBrowseDirs: Qt's own (non-native) folder dialog
// embedded with a title above it, a status area and an optional extra push
// button or check box below it. The folder chooser's OK button is enabled
// only while the selection is an existing folder, and OK does nothing
// otherwise, whatever was typed.

#include <QDialog>
#include <QString>

class QAbstractButton;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zentrix::setup {

class FolderBrowserDialog : public QDialog {
    Q_OBJECT
public:
    enum class ExtraButton { None, PushButton, CheckBox };

    explicit FolderBrowserDialog(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    void setStatusAreaVisible(bool visible);
    void setStatusText(const QString& text);
    void setExtraButton(ExtraButton kind, const QString& caption, int width, bool enabled,
                        bool checked);
    // Opens on `folder` (selected when it exists) or `start`.
    void startAt(const QString& folder, const QString& start);

    // The selection as a folder path; empty when it names no existing folder.
    QString selectedFolder() const;
    bool extraButtonChecked() const;

    // The parts a person uses, for the browser and for tests.
    QFileDialog* chooser() const { return chooser_; }
    QPushButton* okButton() const;
    QLineEdit* pathEdit() const;
    QLabel* titleLabel() const { return title_; }
    QLabel* statusLabel() const { return status_; }
    QAbstractButton* extraButton() const { return extra_; }

signals:
    void opened();
    void selectionChanged(const QString& folder);  // empty: no file-system folder
    void extraButtonClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void selectionMoved(const QString& path);

    QLabel* title_ = nullptr;
    QFileDialog* chooser_ = nullptr;
    QLabel* status_ = nullptr;
    QAbstractButton* extra_ = nullptr;
    QString selection_;
};

}  // namespace zentrix::setup

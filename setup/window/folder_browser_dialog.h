#pragma once

// The dialog behind TBZBrowseDirs: Qt's own (non-native) folder dialog
// embedded with a title above it, a status area and a row below it with an
// optional extra push button or check box and the dialog's OK and Cancel.
// The selection is what the chooser makes of its box (a typed or clicked
// name, relative to the folder shown) or, with the box empty, the folder
// shown; OK is enabled only while that is one existing folder and does
// nothing otherwise.

#include <QDialog>
#include <QString>

class QAbstractButton;
class QDialogButtonBox;
class QHBoxLayout;
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
    void refreshSelection();
    void tryAccept();

    QLabel* title_ = nullptr;
    QFileDialog* chooser_ = nullptr;
    QLabel* status_ = nullptr;
    QAbstractButton* extra_ = nullptr;
    QHBoxLayout* bottom_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QString selection_;
    bool reported_ = false;
};

}  // namespace zentrix::setup

#include "setup/window/folder_browser_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentrix::setup {

namespace {

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// Qt's folder chooser, refusing OK for anything but an existing folder.
class FolderChooser : public QFileDialog {
public:
    explicit FolderChooser(QWidget* parent) : QFileDialog(parent) {}
    void accept() override {
        const QStringList chosen = selectedFiles();
        if (chosen.isEmpty() || !isFolder(chosen.front())) return;
        QFileDialog::accept();
    }
};

}  // namespace

FolderBrowserDialog::FolderBrowserDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Browse for Folder"));
    setAccessibleName(tr("Browse for Folder"));
    auto* layout = new QVBoxLayout(this);

    title_ = new QLabel(this);
    title_->setWordWrap(true);
    title_->hide();
    layout->addWidget(title_);

    chooser_ = new FolderChooser(this);
    chooser_->setOption(QFileDialog::DontUseNativeDialog, true);
    chooser_->setOption(QFileDialog::ShowDirsOnly, true);
    chooser_->setFileMode(QFileDialog::Directory);
    chooser_->setWindowFlags(Qt::Widget);
    chooser_->setSizeGripEnabled(false);
    chooser_->setAccessibleName(tr("Folders"));
    layout->addWidget(chooser_, 1);

    status_ = new QLabel(this);
    status_->setAccessibleName(tr("Selected folder"));
    status_->hide();
    layout->addWidget(status_);

    connect(chooser_, &QFileDialog::accepted, this, &QDialog::accept);
    connect(chooser_, &QFileDialog::rejected, this, &QDialog::reject);
    connect(chooser_, &QFileDialog::currentChanged, this, [this](const QString& path) {
        selectionMoved(path.isEmpty() ? chooser_->directory().absolutePath() : path);
    });
    connect(chooser_, &QFileDialog::directoryEntered, this,
            [this](const QString& path) { selectionMoved(path); });
    if (QLineEdit* edit = pathEdit()) {
        connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
            selectionMoved(text.isEmpty() ? chooser_->directory().absolutePath()
                                          : chooser_->directory().absoluteFilePath(text));
        });
    }
    resize(560, 420);
}

QPushButton* FolderBrowserDialog::okButton() const {
    auto* box = chooser_->findChild<QDialogButtonBox*>();
    if (!box) return nullptr;
    QPushButton* open = box->button(QDialogButtonBox::Open);
    return open ? open : box->button(QDialogButtonBox::Ok);
}

QLineEdit* FolderBrowserDialog::pathEdit() const { return chooser_->findChild<QLineEdit*>(); }

void FolderBrowserDialog::setTitle(const QString& title) {
    title_->setText(title);
    title_->setVisible(!title.isEmpty());
    if (!title.isEmpty()) setWindowTitle(title);
}

void FolderBrowserDialog::setStatusAreaVisible(bool visible) { status_->setVisible(visible); }

void FolderBrowserDialog::setStatusText(const QString& text) { status_->setText(text); }

void FolderBrowserDialog::setExtraButton(ExtraButton kind, const QString& caption, int width,
                                         bool enabled, bool checked) {
    delete extra_;
    extra_ = nullptr;
    if (kind == ExtraButton::None) return;
    if (kind == ExtraButton::CheckBox) {
        auto* box = new QCheckBox(caption, this);
        box->setChecked(checked);
        extra_ = box;
    } else {
        extra_ = new QPushButton(caption, this);
    }
    extra_->setFixedSize(width, 23);
    extra_->setEnabled(enabled);
    extra_->setFocusPolicy(Qt::StrongFocus);
    extra_->setAccessibleName(caption);
    auto* row = new QHBoxLayout;
    row->addWidget(extra_);
    row->addStretch(1);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(extra_, &QAbstractButton::clicked, this, &FolderBrowserDialog::extraButtonClicked);
}

void FolderBrowserDialog::startAt(const QString& folder, const QString& start) {
    const QString first = isFolder(folder) ? folder : start;
    if (!first.isEmpty()) chooser_->setDirectory(first);
    selectionMoved(chooser_->directory().absolutePath());
}

QString FolderBrowserDialog::selectedFolder() const {
    const QStringList chosen = chooser_->selectedFiles();
    const QString path = chosen.isEmpty() ? selection_ : chosen.front();
    return isFolder(path) ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : QString();
}

bool FolderBrowserDialog::extraButtonChecked() const {
    auto* box = qobject_cast<QCheckBox*>(extra_);
    return box && box->isChecked();
}

void FolderBrowserDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    emit opened();
}

void FolderBrowserDialog::selectionMoved(const QString& path) {
    selection_ = isFolder(path) ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : QString();
    if (QPushButton* ok = okButton()) ok->setEnabled(!selection_.isEmpty());
    emit selectionChanged(selection_);
}

}  // namespace zentrix::setup

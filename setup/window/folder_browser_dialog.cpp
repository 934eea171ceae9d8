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
#include <functional>

namespace zentrix::setup {

namespace {

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// Qt's folder chooser as a part of the dialog: its own OK and Cancel hand
// over to the dialog's, which decide.
class FolderChooser : public QFileDialog {
public:
    FolderChooser(QWidget* parent, std::function<void()> accepted, std::function<void()> rejected)
        : QFileDialog(parent), accepted_(std::move(accepted)), rejected_(std::move(rejected)) {}
    void accept() override { accepted_(); }
    void reject() override { rejected_(); }

private:
    std::function<void()> accepted_, rejected_;
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

    chooser_ = new FolderChooser(
        this, [this] { tryAccept(); }, [this] { reject(); });
    chooser_->setOption(QFileDialog::DontUseNativeDialog, true);
    chooser_->setOption(QFileDialog::ShowDirsOnly, true);
    chooser_->setFileMode(QFileDialog::Directory);
    chooser_->setWindowFlags(Qt::Widget);
    chooser_->setSizeGripEnabled(false);
    chooser_->setAccessibleName(tr("Folders"));
    layout->addWidget(chooser_, 1);
    // The chooser's own buttons give way to the dialog's below.
    if (auto* own = chooser_->findChild<QDialogButtonBox*>()) own->hide();

    status_ = new QLabel(this);
    status_->setAccessibleName(tr("Selected folder"));
    status_->hide();
    layout->addWidget(status_);

    bottom_ = new QHBoxLayout;
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    bottom_->addStretch(1);
    bottom_->addWidget(buttons_);
    layout->addLayout(bottom_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &FolderBrowserDialog::tryAccept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(chooser_, &QFileDialog::directoryEntered, this, [this] { refreshSelection(); });
    connect(chooser_, &QFileDialog::currentChanged, this, [this] { refreshSelection(); });
    if (QLineEdit* edit = pathEdit())
        connect(edit, &QLineEdit::textChanged, this, [this] { refreshSelection(); });
    resize(560, 420);
}

QPushButton* FolderBrowserDialog::okButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
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
    bottom_->insertWidget(0, extra_);
    connect(extra_, &QAbstractButton::clicked, this, &FolderBrowserDialog::extraButtonClicked);
}

void FolderBrowserDialog::startAt(const QString& folder, const QString& start) {
    const QString first = isFolder(folder) ? folder : start;
    if (!first.isEmpty()) chooser_->setDirectory(first);
    refreshSelection();
}

QString FolderBrowserDialog::selectedFolder() const { return selection_; }

bool FolderBrowserDialog::extraButtonChecked() const {
    auto* box = qobject_cast<QCheckBox*>(extra_);
    return box && box->isChecked();
}

void FolderBrowserDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    emit opened();
}

void FolderBrowserDialog::tryAccept() {
    refreshSelection();
    if (!selection_.isEmpty()) accept();
}

void FolderBrowserDialog::refreshSelection() {
    // What the chooser makes of its box (a typed or clicked name, relative to
    // the folder shown), or the folder shown when the box is empty.
    const QStringList chosen = chooser_->selectedFiles();
    const QString path = chosen.size() == 1 ? chosen.front() : QString();
    const QString folder =
        isFolder(path) ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : QString();
    const bool changed = folder != selection_ || !reported_;
    selection_ = folder;
    reported_ = true;
    okButton()->setEnabled(!selection_.isEmpty());
    if (changed) emit selectionChanged(selection_);
}

}  // namespace zentrix::setup

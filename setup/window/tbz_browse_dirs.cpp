#include "setup/window/tbz_browse_dirs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStandardPaths>
#include <QWidget>

#include "setup/shorten_path.h"
#include "setup/window/folder_browser_dialog.h"
#include "setup/window/setup_dialog_service.h"

namespace zentrix::setup {

TBZBrowseDirs::TBZBrowseDirs(SetupDialogService& dialogs, QWidget* owner)
    : QObject(owner), dialogs_(dialogs), owner_(owner) {}

QPoint TBZBrowseDirs::centredPosition(const QRect& over, const QSize& dialog) {
    return QPoint(over.left() + (over.width() - dialog.width()) / 2,
                  over.top() + over.height() / 4);
}

QString TBZBrowseDirs::rootFolderPath(RootFolder root) {
    auto location = [](QStandardPaths::StandardLocation where) {
        const QString path = QStandardPaths::writableLocation(where);
        return QDir(path).exists() ? path : QString();
    };
    switch (root) {
        case foDesktop:
        case foDesktopDirectory:
            return location(QStandardPaths::DesktopLocation);
        case foPersonal:
            return location(QStandardPaths::DocumentsLocation);
        case foPrograms:
        case foStartMenu:
            return location(QStandardPaths::ApplicationsLocation);
        case foFonts:
            return location(QStandardPaths::FontsLocation);
        case foMyComputer:
            return QDir::rootPath();
        default:
            return QString();  // the whole tree
    }
}

void TBZBrowseDirs::initialise(FolderBrowserDialog& dialog) {
    QWidget* over = owner_ ? owner_->window() : QApplication::activeWindow();
    if (over && over != &dialog)
        dialog.move(centredPosition(over->frameGeometry(), dialog.frameGeometry().size()));
    if (OnInitialized) OnInitialized(*this, dialog);
}

void TBZBrowseDirs::selectionMoved(FolderBrowserDialog& dialog, const QString& folder) {
    if (showPath_) {
        dialog.setStatusText(QString::fromStdString(
            ShortenPath(QDir::toNativeSeparators(folder).toStdString(),
                        QDir::separator() == '/' ? "/" : "\\", "...", kStatusPathLimit)));
    }
    if (syncCustom_ && dialog.extraButton()) dialog.extraButton()->setEnabled(!folder.isEmpty());
    if (OnSelectionChanged) OnSelectionChanged(*this, dialog, folder);
}

bool TBZBrowseDirs::BrowseForFolder() {
    FolderBrowserDialog dialog(owner_);
    dialog.setTitle(title_);
    dialog.setStatusAreaVisible(flags_.testFlag(bfStatusText));
    if (customVisible_) {
        dialog.setExtraButton(customType_ == btCheckBox
                                  ? FolderBrowserDialog::ExtraButton::CheckBox
                                  : FolderBrowserDialog::ExtraButton::PushButton,
                              customCaption_, customWidth_, customEnabled_, customChecked_);
    }
    connect(&dialog, &FolderBrowserDialog::opened, this, [this, &dialog] { initialise(dialog); });
    connect(&dialog, &FolderBrowserDialog::selectionChanged, this,
            [this, &dialog](const QString& folder) { selectionMoved(dialog, folder); });
    connect(&dialog, &FolderBrowserDialog::extraButtonClicked, this, [this, &dialog] {
        if (OnCustomButtonClick) OnCustomButtonClick(*this, dialog);
    });
    QString start = rootFolderPath(root_);
    if (start.isEmpty()) start = QDir::homePath();
    dialog.startAt(directory_, start);

    if (dialogs_.runModal(dialog) != QDialog::Accepted) return false;
    if (customVisible_ && customType_ == btCheckBox) customChecked_ = dialog.extraButtonChecked();
    directory_ = dialog.selectedFolder();
    return true;
}

}  // namespace zentrix::setup

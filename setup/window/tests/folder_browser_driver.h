#pragma once

// Drives the folder dialog the way a person does: opening a folder, clicking
// an entry of its list, typing a name, pressing OK.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "setup/window/folder_browser_dialog.h"

namespace zentrix::setup::testing {

// Opens the folder above `path` in the chooser and clicks `path` in its
// list (which the chooser fills in the background).
inline void choose(FolderBrowserDialog& dialog, const QString& path) {
    const QFileInfo info(path);
    dialog.chooser()->setDirectory(info.absolutePath());
    // The chooser's view of the folder shown: not its side bar of places,
    // not a header.
    QAbstractItemView* view = nullptr;
    for (QAbstractItemView* candidate : dialog.chooser()->findChildren<QAbstractItemView*>()) {
        if (candidate->isVisible() && candidate->rootIndex().isValid() &&
            !qobject_cast<QHeaderView*>(candidate))
            view = candidate;
    }
    ASSERT_NE(view, nullptr);
    auto find = [&] {
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QModelIndex index = view->model()->index(row, 0, root);
            if (index.data().toString() == info.fileName()) return index;
        }
        return QModelIndex();
    };
    QModelIndex entry;
    QTRY_VERIFY_WITH_TIMEOUT((entry = find()).isValid(), 10000);
    view->scrollTo(entry);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(entry).center());
}

// Types a name over whatever the chooser's box holds.
inline void typeName(FolderBrowserDialog& dialog, const QString& name) {
    QLineEdit* edit = dialog.pathEdit();
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, name);
}

// Presses OK when it is enabled; gives the dialog's result.
inline int pressOk(FolderBrowserDialog& dialog) {
    QPushButton* ok = dialog.okButton();
    EXPECT_NE(ok, nullptr);
    if (ok && ok->isEnabled()) QTest::mouseClick(ok, Qt::LeftButton);
    return dialog.result();
}

}  // namespace zentrix::setup::testing

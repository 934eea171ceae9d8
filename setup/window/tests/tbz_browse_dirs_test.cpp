#include "setup/window/tbz_browse_dirs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "folder_browser_driver.h"
#include "setup/shorten_path.h"
#include "setup/window/folder_browser_dialog.h"
#include "setup/window/recording_setup_dialog_service.h"

namespace zentrix::setup {
namespace {

using testing::choose;
using testing::pressOk;
using testing::typeName;

class BrowseDirsTest : public ::testing::Test {
protected:
    BrowseDirsTest() {
        QDir(dir.path()).mkpath("Apps/Zentrix Exams/2024");
        folder = QDir(dir.path()).filePath("Apps/Zentrix Exams");
    }

    QTemporaryDir dir;
    QString folder;
    RecordingSetupDialogService dialogs;
};

TEST_F(BrowseDirsTest, OkTakesOnlyARealFolderAndTheNextOpeningStartsThere) {
    TBZBrowseDirs browser(dialogs);
    dialogs.answerNextDialog([&](QDialog& shown) {
        auto& dialog = dynamic_cast<FolderBrowserDialog&>(shown);
        choose(dialog, folder);
        typeName(dialog, "no such folder");
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        EXPECT_EQ(pressOk(dialog), QDialog::Rejected);  // nothing to accept
        choose(dialog, folder);
        EXPECT_TRUE(dialog.okButton()->isEnabled());
        return pressOk(dialog);
    });
    ASSERT_TRUE(browser.BrowseForFolder());
    EXPECT_EQ(browser.Directory(), folder);

    QString startedIn;
    dialogs.answerNextDialog([&](QDialog& shown) {
        auto& dialog = dynamic_cast<FolderBrowserDialog&>(shown);
        startedIn = dialog.chooser()->directory().absolutePath();
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(browser.BrowseForFolder());  // Cancel changes nothing
    EXPECT_EQ(startedIn, folder);
    EXPECT_EQ(browser.Directory(), folder);
}

TEST_F(BrowseDirsTest, TheStatusAreaShowsTheSelectionShortenedAndTheTitleAboveTheTree) {
    TBZBrowseDirs browser(dialogs);
    browser.setTitle("Choose the folder to install to");
    browser.setShowPathInStatusArea(true);
    browser.setCustomButtonVisible(true);
    browser.setCustomButtonType(TBZBrowseDirs::btCheckBox);
    browser.setCustomButtonCaption("Create the folder's shortcut");
    browser.setCustomButtonWidth(200);
    const QString deep = folder + "/2024";
    QString status, title;
    bool statusShown = false;
    dialogs.answerNextDialog([&](QDialog& shown) {
        auto& dialog = dynamic_cast<FolderBrowserDialog&>(shown);
        choose(dialog, deep);
        QDir().mkpath(ZENTRIX_SETUP_SCREENS);
        EXPECT_TRUE(dialog.grab().save(QString(ZENTRIX_SETUP_SCREENS) + "/5-folder-browser.png"));
        status = dialog.statusLabel()->text();
        statusShown = dialog.statusLabel()->isVisible();
        title = dialog.titleLabel()->text();
        return pressOk(dialog);
    });
    ASSERT_TRUE(browser.BrowseForFolder());
    EXPECT_TRUE(statusShown);
    EXPECT_EQ(status.toStdString(), ShortenPath(deep.toStdString(), "/", "...", 35));
    EXPECT_LE(status.size(), 35 + 40);  // the first part may be long itself
    EXPECT_EQ(title, "Choose the folder to install to");

    // Without bfStatusText there is no status area.
    browser.setFlags(TBZBrowseDirs::bfFileSysDirsOnly);
    dialogs.answerNextDialog([&](QDialog& shown) {
        statusShown = dynamic_cast<FolderBrowserDialog&>(shown).statusLabel()->isVisible();
        return int(QDialog::Rejected);
    });
    browser.BrowseForFolder();
    EXPECT_FALSE(statusShown);
}

TEST_F(BrowseDirsTest, TheExtraButtonIsAPushButtonOrACheckBoxReadBackOnOk) {
    TBZBrowseDirs browser(dialogs);
    browser.setDirectory(folder);
    browser.setCustomButtonVisible(true);
    browser.setCustomButtonCaption("Make shortcut");
    browser.setCustomButtonWidth(0);
    EXPECT_EQ(browser.CustomButtonWidth(), TBZBrowseDirs::kDefaultCustomButtonWidth);
    browser.setCustomButtonWidth(120);
    browser.setCustomButtonType(TBZBrowseDirs::btCheckBox);
    int clicks = 0;
    browser.OnCustomButtonClick = [&](TBZBrowseDirs&, QDialog&) { ++clicks; };
    dialogs.answerNextDialog([&](QDialog& shown) {
        auto& dialog = dynamic_cast<FolderBrowserDialog&>(shown);
        auto* box = qobject_cast<QCheckBox*>(dialog.extraButton());
        EXPECT_NE(box, nullptr);
        if (!box) return int(QDialog::Rejected);
        EXPECT_EQ(box->text(), "Make shortcut");
        EXPECT_EQ(box->size(), QSize(120, 23));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 11));
        return pressOk(dialog);
    });
    ASSERT_TRUE(browser.BrowseForFolder());
    EXPECT_TRUE(browser.CustomButtonChecked());
    EXPECT_EQ(clicks, 1);

    // A push button kept in step with OK: disabled while no folder is selected.
    browser.setCustomButtonType(TBZBrowseDirs::btPushButton);
    browser.setSyncCustomButton(true);
    bool enabledForNothing = true, enabledForFolder = false;
    dialogs.answerNextDialog([&](QDialog& shown) {
        auto& dialog = dynamic_cast<FolderBrowserDialog&>(shown);
        typeName(dialog, "missing");
        enabledForNothing = dialog.extraButton()->isEnabled();
        choose(dialog, folder);
        enabledForFolder = dialog.extraButton()->isEnabled();
        QTest::mouseClick(dialog.extraButton(), Qt::LeftButton);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(browser.BrowseForFolder());
    EXPECT_FALSE(enabledForNothing);
    EXPECT_TRUE(enabledForFolder);
    EXPECT_EQ(clicks, 2);
}

TEST(BrowseDirsPlacement, CentredOverTheOwnerAQuarterDown) {
    const struct {
        QRect owner;
        QSize dialog;
        QPoint at;
    } cases[] = {
        {{0, 0, 1280, 800}, {560, 420}, {360, 200}},
        {{100, 50, 400, 300}, {560, 420}, {20, 125}},  // wider than the owner
    };
    for (const auto& c : cases) EXPECT_EQ(TBZBrowseDirs::centredPosition(c.owner, c.dialog), c.at);
}

}  // namespace
}  // namespace zentrix::setup

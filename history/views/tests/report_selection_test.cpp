// The "Report Selection" dialog behind the main screen's History button.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "history/views/tfrm_report_selection.h"
#include "history_views_fixture.h"

namespace zentrix::history::views::testing {
namespace {

class ReportSelectionTest : public HistoryViewsTest {
protected:
    ReportSelectionContext context(QWidget* main) {
        ReportSelectionContext c;
        c.mainWindow = main;
        c.programFolder = scratch.path();
        c.history = HistoryWindowInput{QStringLiteral("Ada"), "Ada", treeRows(), 0};
        c.store = store.get();
        c.catalogue = &catalogue;
        c.services = dialogs.services();
        return c;
    }
};

TEST(ReportSelectionPlacementTest, HalfTheDialogsSizeBelowAndRightOfTheMainWindowHalvesToEven) {
    const struct {
        QRect main;
        QSize own;
        QPoint at;
    } cases[] = {
        {QRect(100, 50, 640, 480), QSize(300, 150), QPoint(250, 125)},
        {QRect(100, 50, 640, 480), QSize(301, 151), QPoint(250, 126)},  // 150.5 -> 150, 75.5 -> 76
        {QRect(0, 0, 640, 480), QSize(7, 5), QPoint(4, 2)}};
    for (const auto& c : cases) EXPECT_EQ(ReportSelectionPlacement(c.main, c.own), c.at);
}

TEST_F(ReportSelectionTest, ButtonsOpenTheHistoryWindowTheSavedReportsOrReturn) {
    QWidget main;
    main.setGeometry(120, 80, 640, 480);
    main.show();
    TfrmReportSelection dialog(context(&main));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Report Selection"));
    EXPECT_EQ(dialog.btnUserRpts()->text(), QStringLiteral("Open previously saved reports"));
    EXPECT_EQ(dialog.btHistory()->text(), QStringLiteral("Open Exam History Window"));
    EXPECT_EQ(dialog.btCancel()->text(), QStringLiteral("Return to Main Window"));

    QString historyCaption;
    dialogs.answerNext([&](QDialog& window) {
        historyCaption = window.windowTitle();
        EXPECT_NE(qobject_cast<TfrmShowHistory*>(&window), nullptr);
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(dialog.btHistory(), Qt::LeftButton);
    EXPECT_EQ(historyCaption, QStringLiteral("Student History"));

    QString startFolder;
    dialogs.answerNext([&](QDialog& chooser) {
        auto* files = qobject_cast<QFileDialog*>(&chooser);
        EXPECT_NE(files, nullptr);
        if (files) {
            startFolder = files->directory().absolutePath();
            EXPECT_TRUE(files->nameFilters().join(QString()).contains(QStringLiteral("*.qrp")));
        }
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(dialog.btnUserRpts(), Qt::LeftButton);
    EXPECT_EQ(startFolder, QDir(scratch.path()).absolutePath())
        << "the open dialog starts in the program's folder";

    QSignalSpy rejected(&dialog, &QDialog::rejected);
    QTest::mouseClick(dialog.btCancel(), Qt::LeftButton);
    EXPECT_EQ(rejected.count(), 1);
}

TEST_F(ReportSelectionTest, RunReportSelectionRunsTheDialogThroughTheServices) {
    EXPECT_EQ(RunReportSelection(context(nullptr)), QDialog::Rejected);
    EXPECT_EQ(dialogs.titles, std::vector<QString>{QStringLiteral("Report Selection")});
}

TEST_F(ReportSelectionTest, KeyboardReachesEveryButtonAndEscapeReturns) {
    TfrmReportSelection dialog(context(nullptr));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    for (QPushButton* b : {dialog.btnUserRpts(), dialog.btHistory(), dialog.btCancel()}) {
        EXPECT_EQ(b->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
        EXPECT_FALSE(b->accessibleName().isEmpty());
    }
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);
}

}  // namespace
}  // namespace zentrix::history::views::testing

// The "Student History" window driven with the keyboard and the mouse, and
// its printout rendered for a person to look at.

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "history/views/history_printout.h"
#include "history/views/score_trend_chart.h"
#include "history/views/tfrm_show_history.h"
#include "history_views_fixture.h"
#include "ui/report/page_painter.h"
#include "ui/report/pdf_export.h"
#include "ui/report/report_preview.h"

namespace zentrix::history::views::testing {
namespace {

class HistoryWindowTest : public HistoryViewsTest {
protected:
    HistoryWindowInput input(int selected) {
        return HistoryWindowInput{QStringLiteral("Ada Lovelace"), "Ada Lovelace", treeRows(),
                                  selected};
    }
};

TEST_F(HistoryWindowTest, CourseIsTheNearestCourseRowAtOrAboveTheSelection) {
    const auto rows = treeRows();
    const struct {
        int selected, course;
    } cases[] = {{-1, 0}, {0, 0}, {2, 0}, {3, 0}, {4, 0}, {6, 5}, {99, 0}};
    for (const auto& c : cases) EXPECT_EQ(CourseRowOf(rows, c.selected), c.course) << c.selected;
    EXPECT_EQ(CourseRowOf({}, 0), -1);
}

TEST_F(HistoryWindowTest, ShowsTheSelectedCourseAndAllCoursesOnRequest) {
    attempt("Ada Lovelace", "NET", 1, "NET1", 9, 7, 9);
    attempt("Ada Lovelace", "LNX", 2, "LNX1", 5, 5, 5, 46002);
    TfrmShowHistory window(input(2), *store, catalogue, dialogs.services());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Student History"));
    EXPECT_EQ(window.lbStudentName()->text(), QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(window.lbCourse()->text(), QStringLiteral("Networking Essentials"));
    QTableWidget* grid = window.gridHistory();
    EXPECT_EQ(grid->columnCount(), 8);
    ASSERT_EQ(grid->rowCount(), 2) << "one attempt and the trailing empty row";
    EXPECT_EQ(grid->item(0, 7)->text(), QStringLiteral("Cables and Hubs"));
    EXPECT_EQ(grid->horizontalHeaderItem(5)->text(), QStringLiteral("% Correct"));
    EXPECT_TRUE(window.btAllCourses()->isVisible());

    QTest::mouseClick(window.btAllCourses(), Qt::LeftButton);
    ASSERT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->item(0, 7)->text(), QStringLiteral("Course: Networking Essentials"));
    EXPECT_EQ(grid->item(2, 7)->text(), QStringLiteral("Course: Linux Administration"));
    EXPECT_EQ(window.chart()->attempts().size(), 2u);
    EXPECT_EQ(window.chart()->attempts().back().course, QStringLiteral("Linux Administration"))
        << "newest at the right";
}

TEST_F(HistoryWindowTest, AllCoursesIsHiddenWithASingleCourse) {
    catalogue.courses.resize(1);
    TfrmShowHistory window(input(0), *store, catalogue, dialogs.services());
    window.show();
    EXPECT_FALSE(window.btAllCourses()->isVisible());
    EXPECT_EQ(window.gridHistory()->rowCount(), 1);
}

TEST_F(HistoryWindowTest, PrintShowsThePrintoutAndEscapeCloses) {
    attempt("Ada Lovelace", "NET", 2, "NET2", 10, 9, 10);
    TfrmShowHistory window(input(1), *store, catalogue, dialogs.services());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QString printed;
    dialogs.answerNext([&](QDialog& dialog) {
        auto* preview = qobject_cast<report::ReportPreview*>(&dialog);
        EXPECT_NE(preview, nullptr);
        if (preview) printed = preview->report().pageText(0);
        return int(QDialog::Rejected);
    });
    window.btnPrint()->setFocus();
    QTest::keyClick(window.btnPrint(), Qt::Key_Space);
    EXPECT_EQ(dialogs.titles, std::vector<QString>{QStringLiteral("Print Student History")});
    EXPECT_TRUE(
        printed.contains(QStringLiteral("Exam History for:\nNetworking Essentials\nAda Lovelace")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Closed")));

    QSignalSpy rejected(&window, &QDialog::rejected);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);
}

TEST_F(HistoryWindowTest, HistoryPrintoutFirstPageIsWrittenForLooking) {
    attempt("Ada Lovelace", "NET", 1, "NET1", 9, 7, 9, 46000, 36000, 540);
    attempt("Ada Lovelace", "NET", 2, "NET2", 20, 17, 20, 46003, 40000, 1500);
    attempt("Ada Lovelace", "NET", 3, "", 40, 29, 38, 46005, 50000, 3400);
    attempt("Ada Lovelace", "LNX", 1, "LNX1", 12, 12, 12, 46006, 30000, 45);
    TfrmShowHistory window(input(0), *store, catalogue, dialogs.services());
    window.btAllCoursesClick();
    window.resize(800, 520);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString folder = QStringLiteral(ZENTRIX_BINARY_DIR "/report-renders");
    QDir().mkpath(folder);
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/history-window.png")));

    TfrmPrnHistory printout(window.grid().rows(), QStringLiteral("All Courses"),
                            QStringLiteral("Ada Lovelace"));
    const report::RenderedReport pages = printout.Render();
    EXPECT_TRUE(report::RenderPageImage(pages, 0, 110)
                    .save(folder + QStringLiteral("/history-printout.png")));
    EXPECT_TRUE(report::WritePdf(pages, folder + QStringLiteral("/history-printout.pdf")).isOk());
}

}  // namespace
}  // namespace zentrix::history::views::testing

// The history grid's cell rules and rows, over a real history store.

#include "history/views/history_grid.h"

#include <gtest/gtest.h>

#include "history/views/history_printout.h"
#include "history_views_fixture.h"

namespace zentrix::history::views::testing {
namespace {

TEST(HistoryCellsTest, TimePercentTypeAndDateFollowTheGridRules) {
    const struct {
        int start, end;
        const char* text;
    } times[] = {
        {100, 159, "59 sec"}, {100, 160, "60 sec"}, {100, 161, "1 min"}, {100, 219, "1 min"},
        {0, 3600, "60 min"},  {86000, 300, "0 sec"}};  // past midnight: the end is before the start
    for (const auto& t : times)
        EXPECT_EQ(AttemptTimeText(t.start, t.end), QString::fromLatin1(t.text))
            << t.start << " " << t.end;

    const struct {
        int right, taken;
        const char* text;
    } percents[] = {{7, 9, "77.78"}, {0, 9, " 0.00"},  {9, 9, "100.00"},
                    {1, 0, " 0.00"}, {1, -3, " 0.00"}, {1, 3, "33.33"}};
    for (const auto& p : percents)
        EXPECT_EQ(PercentCorrectText(p.right, p.taken), QString::fromLatin1(p.text));

    EXPECT_EQ(AttemptTypeText(1), QStringLiteral("Open"));
    EXPECT_EQ(AttemptTypeText(2), QStringLiteral("Closed"));
    EXPECT_EQ(AttemptTypeText(3), QStringLiteral("Zentrix"));
    EXPECT_EQ(AttemptTypeText(0), QString());
    EXPECT_EQ(DateOfDayNumber(1), QDate(1899, 12, 31));
    EXPECT_EQ(DateOfDayNumber(46000), QDate(2025, 12, 9));
}

class HistoryGridTest : public HistoryViewsTest {};

TEST_F(HistoryGridTest, OneCourseListsItsAttemptsNewestFirstAndEndsWithAnEmptyRow) {
    attempt("Ada", "NET", 1, "NET1", 9, 7, 9, 46000, 36000, 59);
    attempt("Ada", "NET", 3, "", 20, 18, 19, 46001, 40000, 125);
    HistoryGrid grid(*store, catalogue);
    const int p =
        grid.ShowCourseHistory("Ada", "NET", 0, false, QStringLiteral("Networking Essentials"));
    EXPECT_EQ(p, 2);
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.rows()[0][5], QStringLiteral("% Correct"));
    const HistoryRow newest = {QStringLiteral("Zentrix"), QStringLiteral("12/10/25"),
                               QStringLiteral("19"),      QStringLiteral("18"),
                               QStringLiteral("20"),      QStringLiteral("90.00"),
                               QStringLiteral("2 min"),   QString()};
    const HistoryRow oldest = {QStringLiteral("Open"),   QStringLiteral("12/9/25"),
                               QStringLiteral("9"),      QStringLiteral("7"),
                               QStringLiteral("9"),      QStringLiteral("77.78"),
                               QStringLiteral("59 sec"), QStringLiteral("Cables and Hubs")};
    EXPECT_EQ(grid.rows()[1], newest);
    EXPECT_EQ(grid.rows()[2], oldest);
    EXPECT_EQ(grid.rows()[3], HistoryRow{});
}

TEST_F(HistoryGridTest, NoRecordShowsTheHeadingsOnly) {
    HistoryGrid grid(*store, catalogue);
    EXPECT_EQ(grid.ShowCourseHistory("Nobody", "NET", 0, false, QString()), 0);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_TRUE(grid.attempts().empty());
}

TEST_F(HistoryGridTest, AllCoursesHasACourseRowOnlyForCoursesWithRecords) {
    attempt("Ada", "NET", 2, "NET2", 10, 8, 10);
    attempt("Ada", "SEC", 1, "GONE", 4, 1, 2);
    attempt("Ada", "SEC", 2, "GONE", 4, 4, 4);
    attempt("Bob", "LNX", 1, "LNX1", 4, 4, 4);  // another learner
    HistoryGrid grid(*store, catalogue);
    grid.ShowAllCourses("Ada");
    const auto& rows = grid.rows();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[1][7], QStringLiteral("Course: Networking Essentials"));
    EXPECT_EQ(rows[2][0], QStringLiteral("Closed"));
    EXPECT_EQ(rows[2][7], QStringLiteral("Switching"));
    EXPECT_EQ(rows[3][7], QStringLiteral("Course: Security"));
    EXPECT_EQ(rows[4][5], QStringLiteral("100.00"));
    EXPECT_EQ(rows[4][7], QString()) << "an exam no longer in the bank has an empty title";
    EXPECT_EQ(rows[5][5], QStringLiteral("25.00"));
    EXPECT_EQ(rows[6], HistoryRow{});
    EXPECT_EQ(grid.attempts().size(), 3u);
}

TEST_F(HistoryGridTest, PrintoutStartsWithTheHeadingsAndLeavesOutTheEmptyRow) {
    attempt("Ada", "NET", 1, "NET1", 9, 7, 9);
    attempt("Ada", "LNX", 2, "LNX1", 5, 5, 5);
    HistoryGrid grid(*store, catalogue);
    grid.ShowAllCourses("Ada");
    TfrmPrnHistory printout(grid.rows(), QStringLiteral("All Courses"), QStringLiteral("Ada"));
    const QString text = printout.Render().pageText(0);
    const QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 9);
    EXPECT_EQ(lines[0], QStringLiteral("Brenlo"));
    EXPECT_EQ(lines[1], QStringLiteral("Exam History for:"));
    EXPECT_EQ(lines[2], QStringLiteral("All Courses"));
    EXPECT_EQ(lines[3], QStringLiteral("Ada"));
    EXPECT_EQ(lines[4],
              QStringLiteral("Type Date Attempted Correct Questions % Correct Time Quiz Title"));
    EXPECT_EQ(lines[5], QStringLiteral("Course: Networking Essentials"));
    EXPECT_EQ(lines[6], QStringLiteral("Open 12/9/25 9 7 9 77.78 5 min Cables and Hubs"));
    EXPECT_EQ(lines[7], QStringLiteral("Course: Linux Administration"));
    EXPECT_EQ(lines[8], QStringLiteral("Closed 12/9/25 5 5 5 100.00 5 min The Shell"));
    EXPECT_EQ(lines.size(), 10) << text;  // and the page footer
}

}  // namespace
}  // namespace zentrix::history::views::testing

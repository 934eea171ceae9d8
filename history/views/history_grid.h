#pragma once

// The grid of the history window as plain data: eight columns, row 0 the
// headings, then one row per attempt (newest first per course), optional
// "Course: " rows when all courses are listed, and always one empty row at
// the end. The printout and the score chart read the same rows.

#include <QDate>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "history/history_record.h"
#include "history/views/history_catalogue.h"

namespace zentrix::history {
class TTHistory;
}

namespace zentrix::history::views {

inline constexpr int kHistoryColumns = 8;
using HistoryRow = std::array<QString, kHistoryColumns>;

// Column texts of one attempt, as the window shows them.
QString AttemptTypeText(int qtype);  // "Open", "Closed", "Zentrix" or empty
QDate DateOfDayNumber(int32_t day);  // days since 30 December 1899
QString PercentCorrectText(int right,
                           int taken);  // "77.78", " 0.00": two decimals, at least 5 wide
QString AttemptTimeText(int32_t start, int32_t end);  // "59 sec", "60 sec", "1 min"

// One attempt that the grid shows, for the chart of scores.
struct ShownAttempt {
    int32_t date = 0;
    int32_t start = 0;
    int right = 0;
    int taken = 0;
    QString course;
};

class HistoryGrid {
public:
    HistoryGrid(TTHistory& store, HistoryCatalogue& catalogue);

    const std::vector<HistoryRow>& rows() const { return rows_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    const std::vector<ShownAttempt>& attempts() const { return attempts_; }

    // Headings and one empty row.
    void reset();
    // The attempts of `name` at `course` from row p + 1 on; gives the new p.
    // With a course row, "Course: " + the title comes first. A learner
    // without a record for the course adds nothing.
    int ShowCourseHistory(const std::string& name, const std::string& course, int p,
                          bool withCourseRow, const QString& courseTitle);
    // Every course of the bank, each with its course row, from row 1.
    void ShowAllCourses(const std::string& name);

private:
    void writeRow(int row, const HistoryRow& cells);
    HistoryRow slotRow(const HistorySlot& slot);

    TTHistory& store_;
    HistoryCatalogue& catalogue_;
    std::vector<HistoryRow> rows_;
    std::vector<ShownAttempt> attempts_;
};

}  // namespace zentrix::history::views

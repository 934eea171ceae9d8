#include "history/views/history_grid.h"

#include <QLocale>

#include "history/tthistory.h"
#include "ui/report/windows1252_text.h"

namespace zentrix::history::views {

QString AttemptTypeText(int qtype) {
    switch (qtype) {
        case kOpenBook:
            return QStringLiteral("Open");
        case kClosedBook:
            return QStringLiteral("Closed");
        case kMixedExam:
            return QStringLiteral("Zentrix");
        default:
            return {};
    }
}

QDate DateOfDayNumber(int32_t day) { return QDate(1899, 12, 30).addDays(day); }

QString PercentCorrectText(int right, int taken) {
    const double percent = taken > 0 ? static_cast<double>(right) / taken * 100.0 : 0.0;
    return QStringLiteral("%1").arg(percent, 5, 'f', 2);
}

QString AttemptTimeText(int32_t start, int32_t end) {
    const int64_t seconds = std::max<int64_t>(0, static_cast<int64_t>(end) - start);
    return seconds <= 60 ? QStringLiteral("%1 sec").arg(seconds)
                         : QStringLiteral("%1 min").arg(seconds / 60);
}

HistoryGrid::HistoryGrid(TTHistory& store, HistoryCatalogue& catalogue)
    : store_(store), catalogue_(catalogue) {
    reset();
}

void HistoryGrid::reset() {
    rows_.assign(2, HistoryRow{});
    rows_[0] = {QStringLiteral("Type"),    QStringLiteral("Date"),      QStringLiteral("Attempted"),
                QStringLiteral("Correct"), QStringLiteral("Questions"), QStringLiteral("% Correct"),
                QStringLiteral("Time"),    QStringLiteral("Quiz Title")};
    attempts_.clear();
}

void HistoryGrid::writeRow(int row, const HistoryRow& cells) {
    // Rows are added by appending one at the end before each row is
    // written, so the grid keeps one empty row below the last written.
    rows_.push_back(HistoryRow{});
    if (row >= static_cast<int>(rows_.size())) rows_.resize(row + 2);
    rows_[row] = cells;
}

HistoryRow HistoryGrid::slotRow(const HistorySlot& slot) {
    HistoryRow row;
    row[0] = AttemptTypeText(slot.QType);
    row[1] = QLocale().toString(DateOfDayNumber(slot.DATE), QLocale::ShortFormat);
    row[2] = QString::number(slot.QTRIED);
    row[3] = QString::number(slot.QRIGHT);
    row[4] = QString::number(slot.QTAKEN);
    row[5] = PercentCorrectText(slot.QRIGHT, slot.QTAKEN);
    row[6] = AttemptTimeText(slot.TIMESTR, slot.TIMEEND);
    if (slot.QType == kOpenBook || slot.QType == kClosedBook)
        row[7] = report::FromWindows1252(catalogue_.ExamTitle(slot.TestID));
    return row;
}

int HistoryGrid::ShowCourseHistory(const std::string& name, const std::string& course, int p,
                                   bool withCourseRow, const QString& courseTitle) {
    if (!store_.OpenHistorySess(0, std::string(), 2, course, name)) return p;
    if (withCourseRow) {
        HistoryRow heading;
        heading[7] = QStringLiteral("Course: ") + courseTitle;
        writeRow(p + 1, heading);
        ++p;
    }
    HistorySess session;
    store_.Get_CurHistoryInfo(session);
    int written = 0;
    for (const HistorySlot& slot : session.Slots) {
        if (slot.DATE <= 0) continue;
        ++written;
        writeRow(p + written, slotRow(slot));
        attempts_.push_back(
            ShownAttempt{slot.DATE, slot.TIMESTR, slot.QRIGHT, slot.QTAKEN, courseTitle});
    }
    return p + written;
}

void HistoryGrid::ShowAllCourses(const std::string& name) {
    reset();
    int p = 0;
    const int count = catalogue_.CourseCount();
    for (int i = 1; i <= count; ++i) {
        const std::string id = catalogue_.CourseId(i);
        p = ShowCourseHistory(name, id, p, true,
                              report::FromWindows1252(catalogue_.CourseTitle(id)));
    }
}

}  // namespace zentrix::history::views

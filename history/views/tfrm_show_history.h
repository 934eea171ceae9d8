#pragma once

// TfrmShowHistory, the window "Student History": the learner's attempts at
// the course of the main window's selected tree row (or at every course),
// an eight-column grid with a trailing empty row, a chart of the scores
// over the attempts shown, and the buttons Print, All Courses (only when the
// bank has more than one course) and Cancel (also Escape).

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "history/views/history_catalogue.h"
#include "history/views/history_grid.h"
#include "questionbank/bank_records.h"
#include "ui/report/report_services.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace zentrix::history {
class TTHistory;
}

namespace zentrix::history::views {

class ScoreTrendChart;

struct HistoryWindowInput {
    QString studentName;                            // as the name box shows it
    std::string studentKey;                         // the same name as the history stores it
    std::vector<questionbank::QVSimListInfo> rows;  // the course tree's rows
    int selectedRow = -1;                           // the selected tree row; -1 when none
};

// The course row at or above `selected` (row 0 when nothing is selected);
// -1 when there is none.
int CourseRowOf(const std::vector<questionbank::QVSimListInfo>& rows, int selected);

class TfrmShowHistory : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Student History";

    TfrmShowHistory(HistoryWindowInput input, TTHistory& store, HistoryCatalogue& catalogue,
                    report::ReportServices services, QWidget* parent = nullptr);
    ~TfrmShowHistory() override;

    const HistoryGrid& grid() const { return *grid_; }
    const std::string& CourseId() const { return courseId_; }
    const QString& CourseTitle() const { return courseTitle_; }

    QLabel* lbStudentName() const { return studentName_; }
    QLabel* lbCourse() const { return course_; }
    QTableWidget* gridHistory() const { return table_; }
    QPushButton* btnPrint() const { return print_; }
    QPushButton* btnCancel() const { return cancel_; }
    QPushButton* btAllCourses() const { return allCourses_; }
    ScoreTrendChart* chart() const { return chart_; }

public slots:
    void btnPrintClick();
    void btAllCoursesClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showGrid();

    HistoryWindowInput input_;
    HistoryCatalogue& catalogue_;
    report::ReportServices services_;
    std::unique_ptr<HistoryGrid> grid_;
    std::string courseId_;
    QString courseTitle_;
    bool allCoursesShown_ = false;
    bool placed_ = false;

    QLabel* studentName_ = nullptr;
    QLabel* course_ = nullptr;
    QTableWidget* table_ = nullptr;
    ScoreTrendChart* chart_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* allCourses_ = nullptr;
};

}  // namespace zentrix::history::views

#include "history/views/tfrm_show_history.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include "history/views/history_printout.h"
#include "history/views/score_trend_chart.h"
#include "ui/report/report_preview.h"
#include "ui/report/windows1252_text.h"

namespace zentrix::history::views {

int CourseRowOf(const std::vector<questionbank::QVSimListInfo>& rows, int selected) {
    if (rows.empty()) return -1;
    if (selected < 0 || selected >= static_cast<int>(rows.size())) selected = 0;
    for (int i = selected; i >= 0; --i) {
        // Blank separator rows are course rows without a course.
        if (rows[i].NodeKind == questionbank::kCourseRow && !rows[i].CourseId.empty()) return i;
    }
    return -1;
}

TfrmShowHistory::TfrmShowHistory(HistoryWindowInput input, TTHistory& store,
                                 HistoryCatalogue& catalogue, report::ReportServices services,
                                 QWidget* parent)
    : QDialog(parent),
      input_(std::move(input)),
      catalogue_(catalogue),
      services_(std::move(services)),
      grid_(std::make_unique<HistoryGrid>(store, catalogue)) {
    setWindowTitle(QString::fromLatin1(kCaption));
    setAccessibleName(windowTitle());
    resize(760, 480);

    auto* nameCaption = new QLabel(QStringLiteral("Student Name"), this);
    studentName_ = new QLabel(this);
    studentName_->setObjectName(QStringLiteral("lbStudentName"));
    studentName_->setAccessibleName(QStringLiteral("Student name"));
    auto* courseCaption = new QLabel(QStringLiteral("Course Title"), this);
    course_ = new QLabel(this);
    course_->setObjectName(QStringLiteral("lbCourse"));
    course_->setAccessibleName(QStringLiteral("Course title"));
    QFont strong = studentName_->font();
    strong.setBold(true);
    studentName_->setFont(strong);
    course_->setFont(strong);

    table_ = new QTableWidget(0, kHistoryColumns, this);
    table_->setObjectName(QStringLiteral("gridHistory"));
    table_->setAccessibleName(QStringLiteral("Attempts"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setAlternatingRowColors(true);

    chart_ = new ScoreTrendChart(this);

    print_ = new QPushButton(QStringLiteral("&Print"), this);
    print_->setObjectName(QStringLiteral("btnPrint"));
    print_->setAccessibleName(QStringLiteral("Print the history"));
    allCourses_ = new QPushButton(QStringLiteral("&All Courses"), this);
    allCourses_->setObjectName(QStringLiteral("btAllCourses"));
    allCourses_->setAccessibleName(QStringLiteral("Show all courses"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("btnCancel"));
    cancel_->setAccessibleName(QStringLiteral("Close the history"));
    for (QPushButton* b : {print_, allCourses_, cancel_}) b->setAutoDefault(false);
    connect(print_, &QPushButton::clicked, this, &TfrmShowHistory::btnPrintClick);
    connect(allCourses_, &QPushButton::clicked, this, &TfrmShowHistory::btAllCoursesClick);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);  // Escape rejects too

    auto* labels = new QGridLayout;
    labels->addWidget(nameCaption, 0, 0);
    labels->addWidget(studentName_, 0, 1);
    labels->addWidget(courseCaption, 1, 0);
    labels->addWidget(course_, 1, 1);
    labels->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(allCourses_);
    buttons->addStretch(1);
    buttons->addWidget(print_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(labels);
    layout->addWidget(table_, 1);
    layout->addWidget(chart_);
    layout->addLayout(buttons);

    // What the first activation fills in.
    const int courseRow = CourseRowOf(input_.rows, input_.selectedRow);
    if (courseRow >= 0) {
        courseId_ = input_.rows[courseRow].CourseId;
        courseTitle_ = report::FromWindows1252(input_.rows[courseRow].Title);
    }
    allCourses_->setVisible(catalogue_.CourseCount() > 1);
    course_->setText(courseTitle_);
    studentName_->setText(input_.studentName);
    grid_->ShowCourseHistory(input_.studentKey, courseId_, 0, false, courseTitle_);
    showGrid();
    table_->setFocus();
}

TfrmShowHistory::~TfrmShowHistory() = default;

void TfrmShowHistory::showEvent(QShowEvent* event) {
    if (!placed_ && screen()) {
        // Centred on the screen, as the window always opens.
        placed_ = true;
        move(screen()->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

void TfrmShowHistory::showGrid() {
    const auto& rows = grid_->rows();
    QStringList headings;
    for (const QString& h : rows[0]) headings << h;
    table_->setHorizontalHeaderLabels(headings);
    table_->setRowCount(static_cast<int>(rows.size()) - 1);
    for (int r = 1; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < kHistoryColumns; ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            if (c >= 2 && c <= 6) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (rows[r][c].startsWith(QStringLiteral("Course: "))) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table_->setItem(r - 1, c, item);
        }
    }
    table_->resizeColumnsToContents();
    chart_->setAttempts(grid_->attempts());
}

void TfrmShowHistory::btAllCoursesClick() {
    grid_->ShowAllCourses(input_.studentKey);
    allCoursesShown_ = true;
    course_->setText(QStringLiteral("All Courses"));
    showGrid();
}

void TfrmShowHistory::btnPrintClick() {
    TfrmPrnHistory printout(grid_->rows(),
                            allCoursesShown_ ? QStringLiteral("All Courses") : courseTitle_,
                            input_.studentName);
    report::ReportPreview preview(printout.Render(), services_, this);
    preview.setWindowTitle(QString::fromLatin1(TfrmPrnHistory::kCaption));
    if (services_.runModal) services_.runModal(preview);
}

}  // namespace zentrix::history::views

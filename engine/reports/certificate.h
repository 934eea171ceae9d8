#pragma once

// TCertificate: the "Examination Score Report" a learner gets after an
// exam. It states the candidate, the date, the exam, the required and the
// achieved score on the 1000-point scale, the grade, a chart of the two
// scores and a section analysis: for the mixed exam the percentage correct
// per exam, in the order each exam's first question came up; for a single
// exam the course's exams, numbered, each "N/A".
//
// Section titles of the mixed exam come from the catalogue, so an exam
// that cannot be opened still shows its own title (its identifier when it
// has left the catalogue), and the exam open for the attempt stays open.

#include <QColor>
#include <QDate>
#include <QString>
#include <string>
#include <vector>

#include "engine/attempt/question_answer.h"
#include "engine/reports/report_question_source.h"
#include "questionbank/bank_records.h"
#include "ui/report/rendered_report.h"
#include "ui/report/report_definition.h"

namespace zentrix::engine::reports {

struct SectionalInfo {
    std::string TestId;
    int Questions = 0;
    int Right = 0;
    int Percent = 0;
};

struct CertificateInput {
    QString candidate;
    QDate date;  // the printing date
    ExamMode mode = ExamMode::OpenBook;
    const ExamItems* items = nullptr;
    // The course tree's rows and the course row remembered when the exam was
    // chosen; the chosen exam row's title (single exam).
    std::vector<questionbank::QVSimListInfo> rows;
    questionbank::QVSimListInfo courseRow;
    QString examTitle;
    QColor fieldColor;   // the skin's FieldColor: the bar of the learner's score
    QColor topBarColor;  // the skin's TopBarColor: the bar of the passing score
};

class TCertificate {
public:
    // `input.items` and `titles` must outlive the object.
    TCertificate(CertificateInput input, ExamTitleSource& titles);

    report::RenderedReport Render();
    report::ReportDefinition Definition();

    // Filled by Definition() / Render().
    QString Candidate;
    QString ParentTitle;
    QString Exam;
    QString PassingScore;  // "PASSING SCORE: 800"
    QString YourScore;     // "YOUR SCORE: 800"
    QString Grade;         // "GRADE: PASS" or "GRADE: FAIL"
    int passingPoints = 0;
    int yourPoints = 0;
    std::vector<SectionalInfo> Sections;

    // One section-analysis line: Name and Percent.
    struct Line {
        QString Name;
        QString Percent;
    };
    const std::vector<Line>& Lines() const { return lines_; }

private:
    void BeforePrint();
    void BuildLines();

    CertificateInput input_;
    ExamTitleSource& titles_;
    std::vector<Line> lines_;
    size_t nextLine_ = 0;
};

}  // namespace zentrix::engine::reports

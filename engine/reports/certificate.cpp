#include "engine/reports/certificate.h"

#include <QLocale>
#include <algorithm>

#include "engine/attempt/score.h"
#include "ui/report/document_style.h"
#include "ui/report/report_paginator.h"
#include "ui/report/windows1252_text.h"

namespace zentrix::engine::reports {
namespace {

using report::Band;
using report::Cell;
using report::TextField;
namespace style = report::style;
using style::Text;

constexpr double kLabelWidth = 80;
constexpr double kPercentColumn = 130;  // width of the "Percent Correct" column

}  // namespace

TCertificate::TCertificate(CertificateInput input, ExamTitleSource& titles)
    : input_(std::move(input)), titles_(titles) {}

void TCertificate::BeforePrint() {
    Sections.clear();
    const ExamItems empty;
    const ExamItems& items = input_.items ? *input_.items : empty;
    const int n = static_cast<int>(items.size());
    const int right = static_cast<int>(std::count_if(
        items.begin(), items.end(), [](const QuestionAnswer& q) { return q.Correct; }));
    Candidate = input_.candidate;
    const int passCount = PercentOf(80, n);
    passingPoints = PointScore(n, passCount);
    yourPoints = PointScore(n, right);
    PassingScore = QStringLiteral("PASSING SCORE: %1").arg(passingPoints);
    YourScore = QStringLiteral("YOUR SCORE: %1").arg(yourPoints);
    // An attempt without items has nothing to pass with.
    Grade = (n == 0 || yourPoints < passingPoints) ? QStringLiteral("GRADE: FAIL")
                                                   : QStringLiteral("GRADE: PASS");

    if (input_.mode == ExamMode::Mixed) {
        ParentTitle = QStringLiteral("Zentrix Certificate");
        Exam = report::FromWindows1252(input_.courseRow.Title);
        for (const QuestionAnswer& item : items) {
            auto section =
                std::find_if(Sections.begin(), Sections.end(),
                             [&](const SectionalInfo& s) { return s.TestId == item.TestId; });
            if (section == Sections.end()) {
                Sections.push_back(SectionalInfo{item.TestId, 0, 0, 0});
                section = Sections.end() - 1;
            }
            ++section->Questions;
            if (item.Correct) ++section->Right;
        }
        for (SectionalInfo& s : Sections) s.Percent = PercentScore(s.Questions, s.Right);
    } else {
        ParentTitle = report::FromWindows1252(input_.courseRow.Title);
        Exam = input_.examTitle;
    }
    BuildLines();
}

void TCertificate::BuildLines() {
    lines_.clear();
    nextLine_ = 0;
    if (input_.mode == ExamMode::Mixed) {
        for (const SectionalInfo& s : Sections) {
            std::string title = titles_.ExamTitle(s.TestId);
            if (title.empty()) title = s.TestId;
            lines_.push_back(Line{report::FromWindows1252(title), QString::number(s.Percent)});
        }
        return;
    }
    // The rows after the course row, while they are exams of that course.
    const auto& rows = input_.rows;
    size_t at = rows.size();
    const int index = input_.courseRow.RowIndex;
    if (index >= 0 && static_cast<size_t>(index) < rows.size() &&
        rows[index].CourseId == input_.courseRow.CourseId &&
        rows[index].NodeKind == questionbank::kCourseRow) {
        at = static_cast<size_t>(index);
    } else {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].CourseId == input_.courseRow.CourseId) {
                at = i;
                break;
            }
        }
    }
    int counter = 1;
    for (size_t i = at + 1; i < rows.size(); ++i) {
        const questionbank::QVSimListInfo& row = rows[i];
        if (row.NodeKind != questionbank::kExamRow || row.CourseId != input_.courseRow.CourseId)
            break;
        lines_.push_back(
            Line{QStringLiteral("%1: %2").arg(counter++).arg(report::FromWindows1252(row.Title)),
                 QStringLiteral("N/A")});
    }
}

report::ReportDefinition TCertificate::Definition() {
    BeforePrint();
    report::ReportDefinition definition;
    definition.title = QStringLiteral("Examination Score Report - %1").arg(Candidate);
    const double width = definition.page.printableWidth();

    Band& head = definition.titleBand;
    head.frame = true;
    head.frameWidth = 1.5;
    head.frameColor = style::kAccent;
    head.framePadding = 22;
    head.spaceAfter = 16;
    const double inner = width - 2 * head.framePadding;
    head.addText(
        Text(QStringLiteral("Brenlo"), style::Brand(), style::kMuted, TextField::Align::Center), 0,
        0, 6);
    head.addText(Text(QStringLiteral("Examination Score Report"), style::Serif(22, true),
                      style::kAccent, TextField::Align::Center),
                 0, 0, 6);
    head.addRule(report::Rule{0.8, style::kHairline, 2, 12});
    const auto field = [&](const QString& label, const QString& value, double after) {
        head.addRow({Cell{0, kLabelWidth, Text(label, style::Label())},
                     Cell{kLabelWidth, inner - kLabelWidth, Text(value, style::Sans(10.5))}},
                    after);
    };
    field(QStringLiteral("Candidate:"), Candidate, 5);
    field(QStringLiteral("Date:"),
          QLocale(QLocale::English).toString(input_.date, QStringLiteral("d MMMM yyyy")), 5);
    field(QStringLiteral("Exam:"), Exam, 14);
    head.addText(Text(ParentTitle, style::Heading(), style::kAccent), 0, 0, 10);

    report::BarChart chart;
    chart.font = style::Sans(9.5);
    chart.captionWidth = 110;
    chart.barHeight = 18;
    chart.barGap = 8;
    chart.maximum = 1000;
    chart.ticks = {0, 500, 1000};
    chart.bars.push_back({QStringLiteral("Your Score:"), static_cast<double>(yourPoints),
                          input_.fieldColor, QString::number(yourPoints)});
    chart.bars.push_back({QStringLiteral("Required Score:"), static_cast<double>(passingPoints),
                          input_.topBarColor, QString::number(passingPoints)});
    head.addRow({Cell{0, 0, chart}}, 14);

    const double third = inner / 3;
    const bool passed = Grade.endsWith(QStringLiteral("PASS"));
    head.addRow(
        {Cell{0, third, Text(PassingScore, style::Label())},
         Cell{third, third, Text(YourScore, style::Label(), style::kInk, TextField::Align::Center)},
         Cell{2 * third, third,
              Text(Grade, style::Sans(11, true), passed ? QColor(22, 110, 56) : QColor(168, 32, 32),
                   TextField::Align::Right)}});

    Band header;
    header.background = style::kShade;
    header.framePadding = 5;
    header.addRow({Cell{0, width - kPercentColumn - 10,
                        Text(QStringLiteral("Section Analysis"), style::Label())},
                   Cell{width - kPercentColumn - 10, kPercentColumn,
                        Text(QStringLiteral("Percent Correct"), style::Label(), style::kInk,
                             TextField::Align::Right)}});
    header.spaceAfter = 2;
    definition.columnHeader = header;

    definition.nextDetail = [this, width]() -> std::optional<Band> {
        if (nextLine_ >= lines_.size()) return std::nullopt;
        const Line& line = lines_[nextLine_++];
        Band band;
        band.framePadding = 5;
        band.addRow({Cell{5, width - kPercentColumn - 20, Text(line.Name, style::Body())},
                     Cell{width - kPercentColumn - 10, kPercentColumn - 5,
                          Text(line.Percent, style::Body(), style::kInk, TextField::Align::Right)}},
                    0);
        band.addRule(report::Rule{0.4, style::kHairline, 3, 0});
        return band;
    };
    return definition;
}

report::RenderedReport TCertificate::Render() { return report::Paginate(Definition()); }

}  // namespace zentrix::engine::reports

#include "history/views/history_printout.h"

#include "ui/report/document_style.h"
#include "ui/report/report_paginator.h"

namespace zentrix::history::views {
namespace {

using report::Band;
using report::Cell;
using report::TextField;
namespace style = report::style;
using style::Text;

// Column widths in points; the quiz title takes what is left.
constexpr double kWidths[kHistoryColumns - 1] = {42, 52, 56, 42, 56, 50, 44};
constexpr bool kRightAligned[kHistoryColumns] = {false, false, true, true, true, true, true, false};
constexpr double kGap = 6;

}  // namespace

TfrmPrnHistory::TfrmPrnHistory(std::vector<HistoryRow> rows, QString courseTitle,
                               QString studentName)
    : rows_(std::move(rows)),
      courseTitle_(std::move(courseTitle)),
      studentName_(std::move(studentName)) {}

std::optional<Band> TfrmPrnHistory::NextDetail(double width) {
    if (counter_ >= static_cast<int>(rows_.size()) - 1) return std::nullopt;
    const int index = counter_++;
    const HistoryRow& row = rows_[index];
    Band band;
    bool groupHeading = row[7].startsWith(QStringLiteral("Course: "));
    for (int c = 0; c < 7 && groupHeading; ++c) groupHeading = row[c].isEmpty();
    if (groupHeading) {
        band.addText(Text(row[7], style::Sans(9.5, true), style::kAccent), 4, 0, 0);
        band.addRule(report::Rule{0.6, style::kAccent, 2, 0});
        band.rows.insert(band.rows.begin(), report::BandRow{{Cell{0, 0, report::Space{8}}}, 0});
        return band;
    }
    const bool headings = index == 0;
    const report::ReportFont font = headings ? style::Sans(8.5, true) : style::Sans(8.5);
    std::vector<Cell> cells;
    // The shaded headings band insets its cells by its padding; starting
    // that much further left keeps the columns of all rows aligned.
    const double padding = 4;
    double x = headings ? 0 : padding;
    for (int c = 0; c < kHistoryColumns; ++c) {
        const double w =
            c < kHistoryColumns - 1 ? kWidths[c] : std::max(40.0, width - x - 2 * padding);
        cells.push_back(
            Cell{x, w,
                 Text(row[c].trimmed(), font, style::kInk,
                      kRightAligned[c] ? TextField::Align::Right : TextField::Align::Left)});
        x += w + (c < kHistoryColumns - 1 ? kGap : 0);
    }
    if (headings) {
        band.background = style::kShade;
        band.framePadding = padding;
    }
    band.addRow(std::move(cells), 0);
    if (!headings) band.addRule(report::Rule{0.4, style::kHairline, 3, 0});
    return band;
}

report::ReportDefinition TfrmPrnHistory::Definition() {
    counter_ = 0;
    report::ReportDefinition definition;
    definition.title = QStringLiteral("Exam History - %1").arg(studentName_);
    const double width = definition.page.printableWidth();
    Band& title = definition.titleBand;
    title.spaceAfter = 12;
    title.addText(
        Text(QStringLiteral("Brenlo"), style::Brand(), style::kMuted, TextField::Align::Center), 0,
        0, 10);
    title.addText(Text(QStringLiteral("Exam History for:"), style::Label(), style::kMuted), 0, 0,
                  2);
    title.addText(Text(courseTitle_, style::DocumentTitle()), 0, 0, 4);
    title.addText(Text(studentName_, style::Serif(12)), 0, 0, 0);
    title.addRule(report::Rule{1.5, style::kAccent, 8, 2});
    definition.nextDetail = [this, width] { return NextDetail(width); };
    return definition;
}

report::RenderedReport TfrmPrnHistory::Render() { return report::Paginate(Definition()); }

}  // namespace zentrix::history::views

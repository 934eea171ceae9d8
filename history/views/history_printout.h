#pragma once

// TfrmPrnHistory: the printout "Print Student History" of the history
// window's grid. A title band with "Brenlo", "Exam History for:", the course
// title and the learner name, then one detail line per grid row: the
// headings first, each attempt, and the "Course: " rows as group headings;
// the grid's trailing empty row is not printed.

#include <QString>

#include "history/views/history_grid.h"
#include "ui/report/rendered_report.h"
#include "ui/report/report_definition.h"

namespace zentrix::history::views {

class TfrmPrnHistory {
public:
    static constexpr const char* kCaption = "Print Student History";

    TfrmPrnHistory(std::vector<HistoryRow> rows, QString courseTitle, QString studentName);

    report::ReportDefinition Definition();
    report::RenderedReport Render();

private:
    std::optional<report::Band> NextDetail(double width);

    std::vector<HistoryRow> rows_;
    QString courseTitle_;
    QString studentName_;
    int counter_ = 0;
};

}  // namespace zentrix::history::views

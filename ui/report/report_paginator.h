#pragma once

// Turns a report definition into finished pages.
//
// Rules: the title band opens the first page; the column header opens every
// page (after the title on the first). A band that does not fit in what is
// left of a page moves whole to the next page. A band taller than a whole
// page is cut: at the lowest point above the page's foot that no line,
// rule, chart or picture crosses, so text is split between lines; only where
// no such point exists is it cut through an item, which is then drawn on
// both pages, each showing its own part. Nothing is dropped. The footer of
// every page is made once the page count is known ("Page n of m").

#include "ui/report/rendered_report.h"
#include "ui/report/report_definition.h"

namespace zentrix::report {

class ReportPaginator {
public:
    // A safety stop for a data callback that never says "end".
    static constexpr int kMaxPages = 20000;

    RenderedReport paginate(const ReportDefinition& definition);

    // True when the last paginate() stopped at kMaxPages.
    bool truncated() const { return truncated_; }

private:
    bool truncated_ = false;
};

// Shorthand: ReportPaginator().paginate(definition).
RenderedReport Paginate(const ReportDefinition& definition);

}  // namespace zentrix::report

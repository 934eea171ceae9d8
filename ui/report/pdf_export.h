#pragma once

// A report as a PDF document with real text (a PDF reader can search and
// copy it): one PDF page per report page, fonts embedded.

#include <QByteArray>
#include <QString>

#include "ui/report/rendered_report.h"
#include "xbase/status.h"

namespace zentrix::report {

xbase::Result<QByteArray> PdfBytes(const RenderedReport& report);
// Written to a temporary file and renamed, so a failed export leaves any
// earlier file of that name as it was.
xbase::Status WritePdf(const RenderedReport& report, const QString& path);

}  // namespace zentrix::report

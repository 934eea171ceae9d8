#pragma once

// A report as a PDF document with real text (a PDF reader can search and
// copy it): one PDF page per report page, fonts embedded.

#include <QByteArray>
#include <QString>

#include "base/status.h"
#include "ui/report/rendered_report.h"

namespace zentrix::report {

base::Result<QByteArray> PdfBytes(const RenderedReport& report);
// Written to a temporary file and renamed, so a failed export leaves any
// earlier file of that name as it was.
base::Status WritePdf(const RenderedReport& report, const QString& path);

}  // namespace zentrix::report

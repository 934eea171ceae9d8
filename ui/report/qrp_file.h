#pragma once

// Saving finished pages as a ".qrp" file and reading one back. A file that
// is not a saved report, comes from a newer version, or is damaged in any
// way gives a message naming the file and the fault, and no pages at all.

#include <QByteArray>
#include <QString>

#include "ui/report/rendered_report.h"
#include "xbase/status.h"

namespace zentrix::report {

QByteArray EncodeReport(const RenderedReport& report);
// `name` is the file name used in messages.
xbase::Result<RenderedReport> DecodeReport(const QByteArray& bytes, const QString& name);

// Written to a temporary file and renamed, so a failed save leaves any
// earlier file of that name as it was.
xbase::Status SaveReport(const RenderedReport& report, const QString& path);
xbase::Result<RenderedReport> LoadReport(const QString& path);

}  // namespace zentrix::report

#pragma once

// Saving finished pages as a ".qrp" file and reading one back. A file that
// is not a saved report, comes from a newer version, or is damaged in any
// way gives a message naming the file and the fault, and no pages at all.

#include <QByteArray>
#include <QString>

#include "base/status.h"
#include "ui/report/rendered_report.h"

namespace zentrix::report {

QByteArray EncodeReport(const RenderedReport& report);
// `name` is the file name used in messages.
base::Result<RenderedReport> DecodeReport(const QByteArray& bytes, const QString& name);

// Written to a temporary file and renamed, so a failed save leaves any
// earlier file of that name as it was.
base::Status SaveReport(const RenderedReport& report, const QString& path);
base::Result<RenderedReport> LoadReport(const QString& path);

}  // namespace zentrix::report

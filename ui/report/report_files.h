#pragma once

// Choosing, saving and opening report files through the program's dialogs.

#include <QString>

#include "ui/report/rendered_report.h"
#include "ui/report/report_services.h"

class QWidget;

namespace zentrix::report {

inline constexpr const char* kReportFilter = "Zentrix Report (*.qrp)";
inline constexpr const char* kReportSuffix = "qrp";
inline constexpr const char* kPdfFilter = "PDF document (*.pdf)";
inline constexpr const char* kPdfSuffix = "pdf";

// A file chooser run through `services`; the chosen path, with `suffix`
// added when the name has none, or empty when cancelled. `start` is the
// folder (or a suggested file path) it opens in.
QString ChooseSaveFile(const ReportServices& services, QWidget* parent, const QString& caption,
                       const QString& start, const QString& filter, const QString& suffix);
QString ChooseOpenFile(const ReportServices& services, QWidget* parent, const QString& caption,
                       const QString& start, const QString& filter);

// Asks for a ".qrp" name and saves `report` there. False when cancelled or
// failed (the failure is shown).
bool SaveReportAs(const ReportServices& services, QWidget* parent, const RenderedReport& report,
                  const QString& start);
// Asks for a ".pdf" name and writes `report` there.
bool ExportPdfAs(const ReportServices& services, QWidget* parent, const RenderedReport& report,
                 const QString& start);
// Shows `report` in the preview, modally through `services`; Save and
// Export start in `saveStart`.
void ShowPreview(const ReportServices& services, QWidget* parent, const RenderedReport& report,
                 const QString& saveStart = QString());
// Asks for a saved report, starting in `folder`, and shows it in the
// preview. A damaged or foreign file is refused with its message.
void OpenSavedReport(const ReportServices& services, QWidget* parent, const QString& folder);

}  // namespace zentrix::report

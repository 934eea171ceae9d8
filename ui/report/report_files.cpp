#include "ui/report/report_files.h"

#include <QFileDialog>
#include <QFileInfo>

#include "ui/report/pdf_export.h"
#include "ui/report/qrp_file.h"
#include "ui/report/report_preview.h"

namespace zentrix::report {
namespace {

QString RunFileDialog(const ReportServices& services, QWidget* parent, QFileDialog::AcceptMode mode,
                      const QString& caption, const QString& start, const QString& filter,
                      const QString& suffix) {
    QFileDialog dialog(parent, caption, start, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
    if (!services.runModal || services.runModal(dialog) != QDialog::Accepted) return {};
    QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) return {};
    if (!suffix.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + suffix;
    return path;
}

void ShowError(const ReportServices& services, const std::string& message) {
    if (services.showError) services.showError(QString::fromStdString(message));
}

}  // namespace

QString ChooseSaveFile(const ReportServices& services, QWidget* parent, const QString& caption,
                       const QString& start, const QString& filter, const QString& suffix) {
    return RunFileDialog(services, parent, QFileDialog::AcceptSave, caption, start, filter, suffix);
}

QString ChooseOpenFile(const ReportServices& services, QWidget* parent, const QString& caption,
                       const QString& start, const QString& filter) {
    return RunFileDialog(services, parent, QFileDialog::AcceptOpen, caption, start, filter,
                         QString());
}

bool SaveReportAs(const ReportServices& services, QWidget* parent, const RenderedReport& report,
                  const QString& start) {
    const QString path = ChooseSaveFile(services, parent, QStringLiteral("Save Report"), start,
                                        QLatin1String(kReportFilter), QLatin1String(kReportSuffix));
    if (path.isEmpty()) return false;
    const base::Status saved = SaveReport(report, path);
    if (!saved) ShowError(services, saved.message());
    return saved.isOk();
}

bool ExportPdfAs(const ReportServices& services, QWidget* parent, const RenderedReport& report,
                 const QString& start) {
    const QString path = ChooseSaveFile(services, parent, QStringLiteral("Export PDF"), start,
                                        QLatin1String(kPdfFilter), QLatin1String(kPdfSuffix));
    if (path.isEmpty()) return false;
    const base::Status written = WritePdf(report, path);
    if (!written) ShowError(services, written.message());
    return written.isOk();
}

void ShowPreview(const ReportServices& services, QWidget* parent, const RenderedReport& report,
                 const QString& saveStart) {
    ReportPreview preview(report, services, parent);
    preview.setSaveFolder(saveStart);
    if (services.runModal) services.runModal(preview);
}

void OpenSavedReport(const ReportServices& services, QWidget* parent, const QString& folder) {
    const QString path = ChooseOpenFile(services, parent, QStringLiteral("Open Report"), folder,
                                        QLatin1String(kReportFilter));
    if (path.isEmpty()) return;
    auto report = LoadReport(path);
    if (!report) {
        ShowError(services, report.message());
        return;
    }
    ShowPreview(services, parent, *report, QFileInfo(path).absolutePath());
}

}  // namespace zentrix::report

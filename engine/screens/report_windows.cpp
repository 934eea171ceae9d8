#include "engine/screens/report_windows.h"

#include "engine/dialog_service.h"
#include "engine/reports/certificate.h"
#include "engine/reports/report_services_for.h"
#include "engine/reports/study_material.h"
#include "engine/reports/ttesting_report_bank.h"
#include "engine/screens/report_inputs.h"
#include "engine/screens/screen_parts.h"
#include "history/views/history_catalogue.h"
#include "history/views/tfrm_report_selection.h"
#include "ui/report/qrp_file.h"
#include "ui/report/report_files.h"

namespace zentrix::engine {

ReportWindows::ReportWindows(DialogService& dialogs, report::PrintService& printer,
                             questionbank::TTesting& testing, history::TTHistory* history)
    : dialogs_(dialogs),
      printer_(printer),
      testing_(testing),
      history_(history),
      catalogue_(std::make_unique<history::views::TTestingHistoryCatalogue>(testing)),
      today_([] { return QDate::currentDate(); }) {}

ReportWindows::~ReportWindows() = default;

report::ReportServices ReportWindows::services() const {
    return reports::ReportServicesFor(dialogs_, printer_);
}

// ---- the pages ----------------------------------------------------------------

report::RenderedReport ReportWindows::StudyGuide(const AttemptReportData& data, int singleItem) {
    Hourglass hourglass;
    // The bank's questions are read while the pages are made; the exam and
    // question of the attempt come back when `bank` goes.
    reports::TTestingReportBank bank(testing_);
    reports::TStudyMaterial guide(StudyGuideInputFor(data), bank);
    if (singleItem >= 0) {
        guide.SingleItem = true;
        guide.ItemIndex = singleItem;
    }
    return guide.Render();
}

report::RenderedReport ReportWindows::studyGuideOfAll(const AttemptReportData& data) {
    return StudyGuide(data);
}

report::RenderedReport ReportWindows::Certificate(const AttemptReportData& data) {
    Hourglass hourglass;
    reports::TTestingReportBank bank(testing_);
    reports::TCertificate certificate(CertificateInputFor(data, today_()), bank);
    return certificate.Render();
}

// ---- windows and files ----------------------------------------------------------

void ReportWindows::preview(const AttemptReportData& data, const report::RenderedReport& pages,
                            const QString& what) {
    report::ShowPreview(
        services(), data.owner, pages,
        SaveChooserStart(data.programFolder, SuggestedReportName(data.candidateName, what)));
}

void ReportWindows::save(const AttemptReportData& data, const char* caption, const char* what,
                         Builder build) {
    const report::ReportServices s = services();
    const QString path = report::ChooseSaveFile(
        s, data.owner, QString::fromLatin1(caption),
        SaveChooserStart(data.programFolder,
                         SuggestedReportName(data.candidateName, QString::fromLatin1(what))),
        QLatin1String(report::kReportFilter), QLatin1String(report::kReportSuffix));
    if (path.isEmpty()) return;
    const report::RenderedReport pages = (this->*build)(data);
    const xbase::Status saved = report::SaveReport(pages, path);
    if (!saved) s.showError(QString::fromStdString(saved.message()));
}

void ReportWindows::ViewStudyGuide(const AttemptReportData& data) {
    preview(data, StudyGuide(data), QString::fromLatin1(kStudyGuideName));
}

void ReportWindows::SaveStudyGuide(const AttemptReportData& data) {
    save(data, kSaveStudyGuideCaption, kStudyGuideName, &ReportWindows::studyGuideOfAll);
}

void ReportWindows::ViewCertificate(const AttemptReportData& data) {
    preview(data, Certificate(data), QString::fromLatin1(kCertificateName));
}

void ReportWindows::SaveCertificate(const AttemptReportData& data) {
    save(data, kSaveCertificateCaption, kCertificateName, &ReportWindows::Certificate);
}

void ReportWindows::OpenSavedReport(const AttemptReportData& data) {
    report::OpenSavedReport(services(), data.owner, QString::fromStdString(data.programFolder));
}

void ReportWindows::StudyGuideAfterQuestion(const AttemptReportData& data, int itemIndex) {
    if (!data.items || itemIndex < 0 || itemIndex >= static_cast<int>(data.items->size())) return;
    preview(data, StudyGuide(data, itemIndex), QString::fromLatin1(kStudyGuideName));
}

void ReportWindows::ShowReportSelection(const HistorySelectionData& data) {
    history::views::ReportSelectionContext context;
    context.mainWindow = data.owner;
    context.programFolder = QString::fromStdString(data.programFolder);
    context.history = HistoryWindowInputFor(data);
    context.store = history_;
    context.catalogue = catalogue_.get();
    context.services = services();
    history::views::RunReportSelection(context);
}

}  // namespace zentrix::engine

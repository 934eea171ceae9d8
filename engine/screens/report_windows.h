#pragma once

// The program's reports (ReportHooks over engine/reports/ and
// history/views/): the study guide and the certificate previewed (with
// Print, Save and Export PDF) or saved as ".qrp" files from the results
// screen, saved reports opened from the program's folder, the study guide
// of one item after an open-book answer, and the History button's report
// selection dialog with the history window and its printout.
//
// Every window and file chooser runs through the dialog service and every
// printout through the print service, so tests answer them without a modal
// box. While a report reads questions, OnQuestion of the bank is
// unregistered; afterwards the attempt's exam and question are current
// again (TTestingReportBank). Building shows the busy cursor; a save builds
// its report only once a file name was chosen.
//
// `testing`, `history` (null: the History window shows nothing), `dialogs`
// and `printer` must outlive the object.

#include <QDate>
#include <functional>
#include <memory>

#include "engine/screens/report_hooks.h"
#include "ui/report/rendered_report.h"
#include "ui/report/report_services.h"

namespace zentrix::questionbank {
class TTesting;
}
namespace zentrix::history {
class TTHistory;
}
namespace zentrix::history::views {
class HistoryCatalogue;
}
namespace zentrix::report {
class PrintService;
}

namespace zentrix::engine {

class DialogService;

class ReportWindows final : public ReportHooks {
public:
    static constexpr const char* kStudyGuideName = "Study Guide";
    static constexpr const char* kCertificateName = "Certificate";
    static constexpr const char* kSaveStudyGuideCaption = "Save Study Guide";
    static constexpr const char* kSaveCertificateCaption = "Save Certificate";

    ReportWindows(DialogService& dialogs, report::PrintService& printer,
                  questionbank::TTesting& testing, history::TTHistory* history);
    ~ReportWindows() override;

    void ViewStudyGuide(const AttemptReportData& data) override;
    void SaveStudyGuide(const AttemptReportData& data) override;
    void ViewCertificate(const AttemptReportData& data) override;
    void SaveCertificate(const AttemptReportData& data) override;
    void OpenSavedReport(const AttemptReportData& data) override;
    void StudyGuideAfterQuestion(const AttemptReportData& data, int itemIndex) override;
    void ShowReportSelection(const HistorySelectionData& data) override;

    // The printing date of certificates; default: today.
    void setDateSource(std::function<QDate()> today) { today_ = std::move(today); }

    // The pages the reports make, without a window (what View shows).
    report::RenderedReport StudyGuide(const AttemptReportData& data, int singleItem = -1);
    report::RenderedReport Certificate(const AttemptReportData& data);

private:
    using Builder = report::RenderedReport (ReportWindows::*)(const AttemptReportData&);
    report::RenderedReport studyGuideOfAll(const AttemptReportData& data);
    void preview(const AttemptReportData& data, const report::RenderedReport& pages,
                 const QString& what);
    void save(const AttemptReportData& data, const char* caption, const char* what, Builder build);
    report::ReportServices services() const;

    DialogService& dialogs_;
    report::PrintService& printer_;
    questionbank::TTesting& testing_;
    history::TTHistory* history_;
    std::unique_ptr<history::views::HistoryCatalogue> catalogue_;
    std::function<QDate()> today_;
};

}  // namespace zentrix::engine

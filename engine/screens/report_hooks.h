#pragma once

// Where the reports plug in (built in engine/reports/ and history/views/):
// the results screen's View/Save/Open buttons, the study guide after an
// open-book question, and the main screen's History button. The program's
// are ReportWindows (report_windows.h); PendingReportHooks stands in where
// the bank is not TTesting and says that reports are not available.
//
// Every call gets what the reports read, without any widget: the attempt's
// items, the candidate, the chosen exam row and its course row, the mode,
// the skin's colours, the study-guide settings, and the bank, whose cursor
// the study guide moves to read each question (the test screen's display is
// unregistered while a report runs, so the screen does not change).

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "engine/attempt/attempt_bank.h"
#include "engine/attempt/question_answer.h"
#include "engine/skin_colors.h"
#include "engine/study_guide_settings.h"
#include "questionbank/bank_records.h"

class QWidget;

namespace zentrix::engine {

class DialogService;

struct AttemptReportData {
    const ExamItems* items = nullptr;
    ExamMode mode = ExamMode::OpenBook;
    QString candidateName;
    std::optional<questionbank::QVSimListInfo> examRow;    // the row chosen in the tree
    std::optional<questionbank::QVSimListInfo> courseRow;  // the first row of its course
    std::vector<questionbank::QVSimListInfo> rows;         // the course tree's rows
    std::string openExamTitle;                             // the open exam's title (single exams)
    SkinColors colors;  // TopBarColor and FieldColor for the charts
    StudyGuideSettings studyGuide;
    AttemptBank* bank = nullptr;
    std::string programFolder;  // where the Open dialogs start
    QWidget* owner = nullptr;   // parent of previews and file dialogs
};

// What the History button hands over: the learner as the name box shows
// them, and the tree with its selected row (its course is the one shown).
struct HistorySelectionData {
    QString learnerName;
    std::vector<questionbank::QVSimListInfo> rows;
    int selectedRow = -1;       // -1 when no row is selected
    std::string programFolder;  // where the Open dialog starts
    QWidget* owner = nullptr;   // the main window: placement and parent
};

class ReportHooks {
public:
    virtual ~ReportHooks() = default;

    virtual void ViewStudyGuide(const AttemptReportData& data) = 0;
    virtual void SaveStudyGuide(const AttemptReportData& data) = 0;
    virtual void ViewCertificate(const AttemptReportData& data) = 0;
    virtual void SaveCertificate(const AttemptReportData& data) = 0;
    // Opens a saved report (".qrp") in the preview.
    virtual void OpenSavedReport(const AttemptReportData& data) = 0;
    // The study guide of item `itemIndex` alone, after an open-book answer.
    virtual void StudyGuideAfterQuestion(const AttemptReportData& data, int itemIndex) = 0;
    // The main screen's History button: the report selection dialog.
    virtual void ShowReportSelection(const HistorySelectionData& data) = 0;
};

class PendingReportHooks : public ReportHooks {
public:
    static constexpr const char* kNotAvailableMessage =
        "Reports are not available in this version of Zentrix.";

    explicit PendingReportHooks(DialogService& dialogs) : dialogs_(dialogs) {}

    void ViewStudyGuide(const AttemptReportData&) override { tell(); }
    void SaveStudyGuide(const AttemptReportData&) override { tell(); }
    void ViewCertificate(const AttemptReportData&) override { tell(); }
    void SaveCertificate(const AttemptReportData&) override { tell(); }
    void OpenSavedReport(const AttemptReportData&) override { tell(); }
    // Nothing pops up between questions until the study guide exists.
    void StudyGuideAfterQuestion(const AttemptReportData&, int) override {}
    void ShowReportSelection(const HistorySelectionData&) override { tell(); }

private:
    void tell();
    DialogService& dialogs_;
};

}  // namespace zentrix::engine

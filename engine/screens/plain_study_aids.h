#pragma once

// The study aids until their windows are wired in: plain read-only text
// windows for the hint and the references, a plain steps list, the exhibit
// picture in a small modal window, the case study's tab texts in a tab
// window. The feedback picture is only remembered (it would need its timed
// window). Rich text is shown as it is stored.

#include <QByteArray>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "engine/screens/study_aids.h"
#include "questionbank/case_study_table.h"
#include "xbase/status.h"

class QLabel;
class QListWidget;
class QTabWidget;
class QTextEdit;
class QWidget;

namespace zentrix::engine {

class DialogService;

class PlainStudyAids : public StudyAids {
public:
    using CaseLookup = std::function<xbase::Result<questionbank::CaseStudy>(long number)>;

    PlainStudyAids(QWidget* owner, DialogService& dialogs, CaseLookup findCase);
    ~PlainStudyAids() override;

    void SetHintText(std::string_view stored) override;
    void SetReferenceText(std::string_view stored) override;
    void ToggleHint() override;
    void ToggleReference() override;
    void SetStepsTitle(const QString& title) override;
    void ClearSteps() override;
    void AddStep(const QString& heading, const QString& text) override;
    void ToggleSteps() override;
    void HideSteps() override;
    void LoadExhibit(const QString& path) override;
    void ShowExhibit() override;
    void ShowFeedback(const QByteArray& picture) override;
    bool LoadCase(int number) override;
    void ClearCase() override;
    void SetCaseNumber(int number) override { caseNumber_ = number; }
    void ToggleCase() override;
    void RememberCaseWindowSize() override;
    void RestoreCaseWindowSize() override;
    void LeaveTestScreen() override;

    // For tests: what the windows hold.
    QWidget* HintWindow() const { return hint_; }
    QWidget* ReferenceWindow() const { return reference_; }
    QWidget* StepsWindow() const { return steps_; }
    QWidget* CaseWindow() const { return case_; }
    QString HintText() const;
    QString ReferenceText() const;
    QStringList Steps() const;
    QString StepsTitle() const;
    const QString& ExhibitPath() const { return exhibitPath_; }
    int FeedbackCount() const { return feedbackCount_; }
    const QByteArray& LastFeedback() const { return lastFeedback_; }
    int CaseNumber() const { return caseNumber_; }

private:
    QWidget* textWindow(const QString& title, QTextEdit*& viewer);
    void placeBesideOwner(QWidget* window, int offset);

    QWidget* owner_;
    DialogService& dialogs_;
    CaseLookup findCase_;
    QWidget* hint_ = nullptr;
    QTextEdit* hintView_ = nullptr;
    QWidget* reference_ = nullptr;
    QTextEdit* referenceView_ = nullptr;
    QWidget* steps_ = nullptr;
    QLabel* stepsTitle_ = nullptr;
    QListWidget* stepsList_ = nullptr;
    QWidget* case_ = nullptr;
    QTabWidget* caseTabs_ = nullptr;
    QString exhibitPath_;
    QPixmap exhibit_;
    QByteArray lastFeedback_;
    int feedbackCount_ = 0;
    int caseNumber_ = 0;
    QSize caseSize_;
};

}  // namespace zentrix::engine

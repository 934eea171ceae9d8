#pragma once

// The study aids of the test screen over their windows (engine/aids/): the
// hint and references viewers, the steps of a simulation, the exhibit, the
// feedback picture and the case study. The windows are created once, owned
// by the main window so tool windows stay above it, and reused on every
// question.
//
// Placement takes the owner's frame geometry: the steps window by its rule
// beside the main window, the feedback picture centred over it, the hint and
// references beside it on their first showing (afterwards wherever the
// learner left them), as tall as their text needs until the learner sizes
// them. Modal showing goes through the dialog service.
//
// The bank's case-study table closing (another exam opened, the exam closed)
// clears a case window that is shown. `owner`, `dialogs` and `bank` must
// outlive this object.

#include <QByteArray>
#include <QSize>
#include <QString>
#include <memory>

#include "engine/aids/case_study_source.h"
#include "engine/aids/close_timer.h"
#include "engine/screens/study_aids.h"

class QWidget;

namespace zentrix::engine {

class AttemptBank;
class DialogService;

namespace aids {
class TExibitForm;
class TfrmDisplayCaseStudy;
class StudyTextWindow;
class THintForm;
class TInfoForm;
class TRefForm;
class TSteps;
}  // namespace aids

class StudyAidWindows : public StudyAids {
public:
    // `feedbackTimer` closes the feedback picture; default: a Qt timer.
    StudyAidWindows(QWidget* owner, DialogService& dialogs, AttemptBank& bank,
                    std::unique_ptr<aids::CloseTimer> feedbackTimer = nullptr);
    ~StudyAidWindows() override;

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
    void SetCaseNumber(int number) override;
    void ToggleCase() override;
    void RememberCaseWindowSize() override;
    void RestoreCaseWindowSize() override;
    bool IsAidWindow(const QWidget* window) const override;
    void LeaveTestScreen() override;

    aids::THintForm& Hint() const { return *hint_; }
    aids::TRefForm& References() const { return *references_; }
    aids::TSteps& Steps() const { return *steps_; }
    aids::TExibitForm& Exhibit() const { return *exhibit_; }
    aids::TInfoForm& Feedback() const { return *feedback_; }
    aids::TfrmDisplayCaseStudy& CaseStudy() const { return *case_; }
    const QString& ExhibitPath() const { return exhibitPath_; }

    // The hint and references are placed this far apart, and this far down
    // from the main window's top, when they first show.
    static constexpr int kTextWindowTop = 40;
    static constexpr int kTextWindowGap = 30;
    // Their heights follow the text within these.
    static constexpr int kTextWindowMinHeight = 120;
    static constexpr int kTextWindowMaxHeight = 420;

private:
    // Where the bank's case studies are looked up for the case window.
    class BankCases : public aids::CaseStudySource {
    public:
        explicit BankCases(AttemptBank& bank) : bank_(bank) {}
        std::optional<questionbank::CaseStudy> FindCase(long number) override;

    private:
        AttemptBank& bank_;
    };

    void toggleTextWindow(aids::StudyTextWindow& window, int topOffset, bool& placed);

    QWidget* owner_;
    DialogService& dialogs_;
    AttemptBank& bank_;
    BankCases cases_;
    std::unique_ptr<aids::THintForm> hint_;
    std::unique_ptr<aids::TRefForm> references_;
    std::unique_ptr<aids::TSteps> steps_;
    std::unique_ptr<aids::TExibitForm> exhibit_;
    std::unique_ptr<aids::TInfoForm> feedback_;
    std::unique_ptr<aids::TfrmDisplayCaseStudy> case_;
    QString exhibitPath_;
    bool exhibitLoaded_ = false;
    bool hintPlaced_ = false;
    bool referencesPlaced_ = false;
    QSize caseSize_;
};

}  // namespace zentrix::engine

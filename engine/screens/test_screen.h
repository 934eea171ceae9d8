#pragma once

// The test screen (screen 5): the question area with the question text and
// the answer widgets, the simulation panel, the navigation, mark, aid and
// score buttons, the question number and the countdown, and the score popup.
// It is the display of the attempt: every question the cursor lands on is
// laid out here (ShowQuestion), and Capture() reports the answer widgets
// back. The attempt controller owns the flow; this class owns the widgets.

#include <QObject>
#include <QPixmap>
#include <functional>
#include <memory>
#include <vector>

#include "engine/attempt/answer_judge.h"
#include "engine/attempt/attempt_bank.h"
#include "engine/screens/screen_controller.h"
#include "engine/screens/tanswer.h"

class QLabel;
class QScrollArea;
class QWidget;

namespace zentrix::ui {
class PictureButton;
}

namespace zentrix::engine {

class ControlRegistry;
class DialogService;
class ExamAttempt;
class SimulationPanel;
class StudyAids;
class TReportPopup;
struct Skin;

class TestScreen : public QObject, public ScreenController, public QuestionListener {
    Q_OBJECT
public:
    // Design positions of the controls the layout table leaves out.
    static constexpr QPoint kMarkPosition{156, 446};
    static constexpr QPoint kTimeCaptionPosition{424, 449};
    static constexpr QPoint kTimePosition{532, 446};
    static constexpr int kQuestionLabelWidth = 535;
    static constexpr int kAnswerLabelWidth = 513;
    static constexpr int kAnswerLeft = 10;
    static constexpr int kChoiceGap = 7;
    static constexpr int kQuestionMargin = 4;
    static constexpr int kSimulationQuestionMargin = 2;
    static constexpr int kContentBottomGap = 10;  // under the last choice
    // Choices carry the letters A to Z; a simulation lists at most this many steps.
    static constexpr int kMaxChoicesShown = 26;
    static constexpr int kMaxStepsShown = 64;

    TestScreen(QWidget* window, ControlRegistry& registry, ExamAttempt& attempt, AttemptBank& bank,
               StudyAids& aids, SimulationPanel& panel, DialogService& dialogs,
               std::function<void(const QString&)> setCaption);
    ~TestScreen() override;

    void ApplySkin(const Skin& skin);

    void Entered() override;
    void Left() override;
    QWidget* FocusOnEntry() const override;

    // ShowQuestion: lays out the question the cursor landed on.
    void OnQuestion(const questionbank::TestQuestionInfo& question) override;
    // What the answer widgets in use report, in order.
    AnswerCapture Capture() const;
    // After an exam start and whenever the review screen returns here.
    void Prepare();
    void ShowTimeLeft(const QString& text);
    void SetMarkFace(bool marked);
    // Selects choice `index` (from 0), or toggles it for multiple choice;
    // false when the question has no such choice.
    bool PickChoice(int index);

    // The popup of the running score, placed by the question area.
    void ToggleScorePopup();
    void HideScorePopup();
    void ShowScorePopup();
    void PlaceScorePopup();

    int AnswersInUse() const { return inUse_; }
    TAnswer* Answer(int index) const { return answers_.at(static_cast<size_t>(index)).get(); }
    int AnswerWidgetCount() const { return static_cast<int>(answers_.size()); }
    // The feedback pictures of the skin.
    const QByteArray& CorrectPicture() const { return correctPicture_; }
    const QByteArray& IncorrectPicture() const { return incorrectPicture_; }
    // Mark button tag: 1 not marked, 0 marked.
    int MarkTag() const { return markTag_; }

    QScrollArea* TestScrollBox() const { return area_; }
    QWidget* QuestionContent() const { return content_; }
    QLabel* lblQuestion() const { return question_; }
    QLabel* lbQuestionNo() const { return questionNo_; }
    QLabel* lblTime() const { return time_; }
    QLabel* lbTimeRemaining() const { return timeCaption_; }
    ui::PictureButton* btnLeft() const { return left_; }
    ui::PictureButton* btnRight() const { return right_; }
    ui::PictureButton* btnMark() const { return mark_; }
    ui::PictureButton* btnItemReview() const { return itemReview_; }
    ui::PictureButton* btnCaseStudy() const { return caseStudy_; }
    ui::PictureButton* btnSteps() const { return steps_; }
    ui::PictureButton* btnExhibit() const { return exhibit_; }
    ui::PictureButton* btnHint() const { return hint_; }
    ui::PictureButton* btnReference() const { return reference_; }
    ui::PictureButton* btnTReport() const { return report_; }
    ui::PictureButton* btnTMain() const { return main_; }
    ui::PictureButton* btnJumpTo() const { return jumpTo_; }
    TReportPopup* ReportPopup() const { return popup_; }
    QWidget* SimulationWidget() const;

private:
    void addAnswer(const QString& text, bool multiple, bool lettered, bool selected);
    void layOutChoices(const questionbank::TestQuestionInfo& question);
    void placeForSimulation();
    void placeForQuestion();
    void fitContent();
    void focusFirstChoice();
    void updateAidButtons();
    QString writtenFile(const char* what);

    QWidget* window_;
    ExamAttempt& attempt_;
    AttemptBank& bank_;
    StudyAids& aids_;
    SimulationPanel& panel_;
    DialogService& dialogs_;
    std::function<void(const QString&)> setCaption_;

    QScrollArea* area_;
    QWidget* content_;
    QLabel* question_;
    QLabel* questionNo_;
    QLabel* time_;
    QLabel* timeCaption_;
    QLabel* markCaption_;
    ui::PictureButton* left_;
    ui::PictureButton* right_;
    ui::PictureButton* mark_;
    ui::PictureButton* itemReview_;
    ui::PictureButton* caseStudy_;
    ui::PictureButton* steps_;
    ui::PictureButton* exhibit_;
    ui::PictureButton* hint_;
    ui::PictureButton* reference_;
    ui::PictureButton* report_;
    ui::PictureButton* main_;
    ui::PictureButton* jumpTo_;
    TReportPopup* popup_;

    AnswerTemplate template_;
    std::vector<std::unique_ptr<TAnswer>> answers_;
    int inUse_ = 0;
    int markTag_ = 1;
    QPixmap markOpen_;
    QPixmap markClosed_;
    QByteArray correctPicture_;
    QByteArray incorrectPicture_;
    bool hasHint_ = false;
    bool hasReference_ = false;
};

}  // namespace zentrix::engine

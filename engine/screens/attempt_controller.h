#pragma once

// One attempt from its start to its graded result, across the test, review
// and results screens: the handlers of their buttons, the countdown, the
// keyboard of the test screen, the jump-to dialog and the history record.
// The attempt itself (items, judging, moves) is ExamAttempt; the screens
// only hold widgets.
//
// Keys of the test screen (they never reach a parked control, and keys typed
// while the simulation panel has the focus stay with the simulation):
//   A..Z or 1..9   pick the choice (toggle it in a multiple-choice question)
//   T, F           true or false
//   Enter, Right   next question          Left          previous question
//   Ctrl+M mark    Ctrl+J jump to         Ctrl+S score  Ctrl+I item review
//   Ctrl+H hint    Ctrl+R references      Ctrl+E exhibit
//   Ctrl+K case study                     Ctrl+T steps
//   Page Up/Down   scroll the question    Escape        leave the exam
// The five aid keys work in the aid windows too, so the key that opened a
// window also closes it.

#include <QObject>
#include <QTimer>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/attempt/attempt_bank.h"
#include "engine/attempt/attempt_history.h"
#include "engine/attempt/exam_attempt.h"
#include "engine/screens/report_hooks.h"
#include "engine/screens/screen_controller.h"
#include "questionbank/bank_records.h"

class QKeyEvent;

namespace zentrix::history {
class TTHistory;
}

namespace zentrix::engine {

class ControlRegistry;
class DialogService;
class ReportHooks;
class ResultsScreen;
class ReviewScreen;
class ScreenHost;
class SimulationPanel;
class StudyAids;
class TestScreen;
class TfrmJumpTo;
struct Skin;

// The exam row the learner chose, with what starting it needs.
struct ExamSelection {
    std::vector<questionbank::QVSimListInfo> rows;
    int row = 0;
    std::string user;
    bool randomOrder = true;
};

class AttemptController : public QObject, public ScreenController {
    Q_OBJECT
public:
    static constexpr int kTimerInterval = 250;  // ms

    struct Services {
        ScreenHost& host;
        ControlRegistry& registry;
        AttemptBank& bank;
        history::TTHistory* history;  // null: nothing is recorded
        DialogService& dialogs;
        StudyAids& aids;
        SimulationPanel& panel;
        ReportHooks& reports;
        ExamClock& clock;
        RandomSource& random;
    };

    explicit AttemptController(Services services);
    ~AttemptController() override;

    void ApplySkin(const Skin& skin);

    // ---- starting (the main window has entered the test screen) ---------------
    // A single exam of the exam open in the bank: gives the question count
    // taken, to be written back to the spin box; 0 when the attempt was
    // abandoned (the history record could not be opened, or the exam has
    // no question to show) and the main screen is back.
    int StartSingleExam(ExamMode mode, const ExamSelection& selection, int requested);
    // The mixed exam from the confirm screen; false when it went back to the
    // main screen.
    bool StartMixedExam(const ExamSelection& selection);

    // ---- handlers of the test screen -------------------------------------------------
    void btnRightClick();
    void btnLeftClick();
    void btnMarkClick();
    void btnJumpToClick();
    void btnItemReviewClick();
    void btnTReportClick();
    void btnHintClick();
    void btnReferenceClick();
    void btnCaseStudyClick();
    void btnExhibitClick();
    void btnStepsClick();
    void btnTMainClick();
    void Timer1Timer();
    void BZDemoQEngine1CorrectEvent();
    void BZDemoQEngine1InCorrectEvent(int frame);
    // Yes in the confirm-exit window: the answer on screen is kept and the
    // attempt's record ended before the main screen comes back.
    void LeaveExam();

    // ---- handlers of the review and results screens ----------------------------------
    void btnReviewClick();
    void btnReviewIncompleteClick();
    void btnReturntoExamClick();
    void btnExamResultsClick();
    void btnViewStudyClick();
    void btnSaveStudyClick();
    void btnViewExamClick();
    void btnSaveExamClick();
    void btnOpenStudyClick();

    // ---- the test screen as a screen --------------------------------------------
    void Entered() override;
    void Left() override;
    QWidget* FocusOnEntry() const override;

    const ExamAttempt& Attempt() const { return *attempt_; }
    ExamAttempt& Attempt() { return *attempt_; }
    TestScreen& Test() const { return *test_; }
    ReviewScreen& Review() const { return *review_; }
    ResultsScreen& Results() const { return *results_; }
    TfrmJumpTo& JumpTo() const { return *jumpTo_; }
    bool TimerActive() const { return timer_.isActive(); }
    // The main window was dragged: the score popup follows it.
    void WindowMoved();

    bool handleKey(QKeyEvent* event);
    // Ctrl+H, R, E, K and T: the aid buttons.
    bool handleAidKey(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Records the answer on screen and shows what is due after it (feedback,
    // the damaged-key note, the study guide). False when nothing is shown.
    void recordAnswer();
    // Next and previous: record the answer on screen, then make the move.
    void leaveQuestion(MoveResult (ExamAttempt::*move)());
    void followMove(const MoveResult& result);
    void goToReview(bool tally);
    void prepareTestScreen();
    void fillJumpList();
    void finishHistory();
    AttemptReportData reportData() const;
    void runReport(void (ReportHooks::*hook)(const AttemptReportData&));
    bool openHistory(const ExamSelection& selection, const std::string& examId);
    void abandon();

    Services s_;
    std::unique_ptr<ExamAttempt> attempt_;
    std::unique_ptr<TestScreen> test_;
    std::unique_ptr<ReviewScreen> review_;
    std::unique_ptr<ResultsScreen> results_;
    TfrmJumpTo* jumpTo_;
    AttemptHistory history_;
    QTimer timer_;
    std::set<int> warnedKeys_;
    bool moving_ = false;
};

}  // namespace zentrix::engine

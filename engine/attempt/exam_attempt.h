#pragma once

// The running attempt, without widgets: the item list, the item on screen,
// the mode, the incomplete-only pass, the end of the attempt and its clock.
// The test screen registers as the display; the attempt stands between it
// and the bank's question cursor, so every question shown also stamps its
// item (QuestionId) and is kept as the question the next answer belongs to.
//
// Moves never record: the screen records the answer on screen first
// (RecordAnswer with what its widgets report), shows the feedback that is
// due, then moves. A move that cannot show its item (the item's exam or
// question is gone) leaves the attempt on the item it was on and says why.
//
// In the mixed exam a move to an item of another exam closes the open exam
// and opens the item's; moves within one exam keep it open.
//
// The bank, the clock and the random source must outlive the attempt.

#include <optional>
#include <string>
#include <vector>

#include "engine/attempt/answer_judge.h"
#include "engine/attempt/attempt_bank.h"
#include "engine/attempt/countdown.h"
#include "engine/attempt/exam_assembly.h"
#include "engine/attempt/exam_clock.h"
#include "engine/attempt/question_answer.h"
#include "engine/attempt/random_source.h"

namespace zentrix::engine {

struct MoveResult {
    enum Kind {
        Shown,   // the item is on screen
        Review,  // the attempt goes to the review screen
        Stayed,  // nothing to move to
        Failed,  // the item could not be shown; `error` says why
    };
    Kind kind = Stayed;
    bool endedNow = false;  // this move ended the attempt (next past the last item)
    std::string error;
};

class ExamAttempt : private QuestionListener {
public:
    ExamAttempt(AttemptBank& bank, ExamClock& clock, RandomSource& random);
    ~ExamAttempt() override;
    ExamAttempt(const ExamAttempt&) = delete;
    ExamAttempt& operator=(const ExamAttempt&) = delete;

    // Who lays out the questions shown (null: nobody).
    void SetDisplay(QuestionListener* display) { display_ = display; }

    // ---- state -------------------------------------------------------------
    ExamMode Mode() const { return mode_; }
    const ExamItems& Items() const { return items_; }
    int ItemCount() const { return static_cast<int>(items_.size()); }
    int CurrentItem() const { return current_; }
    const QuestionAnswer& Current() const { return items_.at(static_cast<size_t>(current_)); }
    bool IncompleteOnly() const { return incompleteOnly_; }
    bool ExamEnded() const { return ended_; }
    TimeOfDayMs StartTime() const { return startTime_; }
    const std::string& TimeLimit() const { return timeLimit_; }
    // The exam whose tables the item on screen comes from.
    const std::string& CurrentExamId() const { return currentExamId_; }
    // The question on screen, as the cursor reported it.
    const questionbank::TestQuestionInfo& ShownQuestion() const { return shown_; }
    bool HasShownQuestion() const { return hasShown_; }

    // ---- starting ----------------------------------------------------------
    // Clears the previous attempt: no items, not ended, no incomplete pass.
    void Reset();
    // The single exam open in the bank as `testId`: `requested` is cut to
    // 1..question count; gives the count taken. The first question is not
    // shown yet (ShowFirstQuestion).
    int StartSingle(ExamMode mode, const std::string& testId, int requested, bool randomOrder);
    // The mixed exam of the mixed-exam row `selectedRow`. When assembled the
    // items are in place and the limit is the course's Time.
    MixedExamAssembly StartMixed(const std::vector<questionbank::QVSimListInfo>& rows,
                                 int selectedRow);
    // Registers the display and shows item 0 (opening its exam in the mixed exam).
    MoveResult ShowFirstQuestion();
    // The attempt's clock starts now (not again when the screen is re-entered).
    void StartClock() { startTime_ = clock_.Now(); }
    // Closed book: the limit follows the item count. Other modes keep theirs.
    void PrepareTiming();
    CountdownTick Tick() const { return TickCountdown(startTime_, timeLimit_, clock_.Now()); }
    // The time ran out, or the learner went past the last item.
    void EndAttempt() { ended_ = true; }

    // ---- answers -----------------------------------------------------------
    // Reads the widgets' report into the item on screen and judges it.
    JudgeOutcome RecordAnswer(const AnswerCapture& capture);
    // The simulation on screen ended correct or not.
    void RecordSimulationOutcome(bool correct);
    // Flips the mark of the item on screen; gives the new state.
    bool ToggleMark();
    // Open book shows whether an answer was right after each answered question.
    bool FeedbackDue(const JudgeOutcome& outcome) const;
    // The study guide after a question, by the setting 0 never, 1 when
    // wrong, 2 when right, 3 always (open book only).
    bool StudyGuideDue(int afterQuestionSetting, const JudgeOutcome& outcome) const;

    // ---- moves (record first) -------------------------------------------------
    MoveResult Next();
    MoveResult Previous();
    // Whether the previous-question button is offered on the item on screen.
    bool PreviousOffered() const;
    // A confirmed jump; an index outside the items is ignored (Stayed).
    MoveResult JumpTo(int index);
    // Review item `number` (from 1; cut into range) from the review screen.
    MoveResult ReviewItem(int number);
    // Starts the incomplete-only pass; Stayed when every item is complete.
    std::optional<int> FirstIncompleteItem() const;
    MoveResult ReviewIncomplete();
    // Shows the item on screen again, without changing the open exam.
    MoveResult ReturnToExam();

    // The display is unregistered while a report moves the cursor.
    void SuspendDisplay();
    void ResumeDisplay();

private:
    void OnQuestion(const questionbank::TestQuestionInfo& question) override;
    MoveResult moveTo(int index, bool openItemsExam);
    bool openExam(const std::string& testId);

    AttemptBank& bank_;
    ExamClock& clock_;
    RandomSource& random_;
    QuestionListener* display_ = nullptr;
    bool registered_ = false;

    ExamMode mode_ = ExamMode::OpenBook;
    ExamItems items_;
    int current_ = 0;
    bool incompleteOnly_ = false;
    bool ended_ = false;
    TimeOfDayMs startTime_ = 0;
    std::string timeLimit_;
    std::string currentExamId_;
    questionbank::TestQuestionInfo shown_;
    bool hasShown_ = false;
};

}  // namespace zentrix::engine

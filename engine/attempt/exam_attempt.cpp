#include "engine/attempt/exam_attempt.h"

#include <algorithm>

#include "engine/attempt/attempt_messages.h"
#include "engine/attempt/exam_counters.h"

namespace zentrix::engine {

ExamAttempt::ExamAttempt(AttemptBank& bank, ExamClock& clock, RandomSource& random)
    : bank_(bank), clock_(clock), random_(random) {}

ExamAttempt::~ExamAttempt() {
    if (registered_) bank_.SetQuestionListener(nullptr);
}

void ExamAttempt::Reset() {
    items_.clear();
    current_ = 0;
    incompleteOnly_ = false;
    ended_ = false;
    timeLimit_.clear();
    currentExamId_.clear();
    shown_ = questionbank::TestQuestionInfo();
    hasShown_ = false;
}

int ExamAttempt::StartSingle(ExamMode mode, const std::string& testId, int requested,
                             bool randomOrder) {
    Reset();
    mode_ = mode;
    const int count = bank_.QuestionCount();
    int n = std::min(requested, count);
    if (n <= 0) n = count > 0 ? 1 : 0;
    // Moving the cursor over the questions to read their titles shows nothing.
    SuspendDisplay();
    items_ = AssembleSingleExam(bank_, testId, n, randomOrder, random_);
    if (!items_.empty()) currentExamId_ = items_.front().TestId;
    return static_cast<int>(items_.size());
}

MixedExamAssembly ExamAttempt::StartMixed(const std::vector<questionbank::QVSimListInfo>& rows,
                                          int selectedRow) {
    Reset();
    mode_ = ExamMode::Mixed;
    SuspendDisplay();
    MixedExamAssembly assembly = AssembleMixedExam(bank_, rows, selectedRow, random_);
    if (assembly.assembled) {
        items_ = assembly.items;
        timeLimit_ = assembly.course.Time;
    }
    return assembly;
}

MoveResult ExamAttempt::ShowFirstQuestion() {
    if (items_.empty()) return {MoveResult::Failed, false, "the attempt has no questions"};
    ResumeDisplay();
    currentExamId_.clear();
    if (mode_ != ExamMode::Mixed) currentExamId_ = items_.front().TestId;
    current_ = 0;
    return moveTo(0, true);
}

void ExamAttempt::PrepareTiming() {
    if (mode_ == ExamMode::ClosedBook) timeLimit_ = ClosedBookTimeLimit(ItemCount());
}

JudgeOutcome ExamAttempt::RecordAnswer(const AnswerCapture& capture) {
    if (items_.empty() || !hasShown_) return {};
    return engine::RecordAnswer(items_[static_cast<size_t>(current_)], shown_, capture);
}

void ExamAttempt::RecordSimulationOutcome(bool correct) {
    if (items_.empty()) return;
    engine::RecordSimulationOutcome(items_[static_cast<size_t>(current_)], correct);
}

bool ExamAttempt::ToggleMark() {
    if (items_.empty()) return false;
    QuestionAnswer& item = items_[static_cast<size_t>(current_)];
    item.Marked = !item.Marked;
    return item.Marked;
}

bool ExamAttempt::FeedbackDue(const JudgeOutcome& outcome) const {
    return mode_ == ExamMode::OpenBook && outcome.answered;
}

bool ExamAttempt::StudyGuideDue(int setting, const JudgeOutcome& outcome) const {
    if (mode_ != ExamMode::OpenBook) return false;
    switch (setting) {
        case 1:
            return outcome.answered && !outcome.correct;
        case 2:
            return outcome.answered && outcome.correct;
        case 3:
            return true;
        default:
            return false;
    }
}

MoveResult ExamAttempt::Next() {
    const int n = ItemCount();
    if (current_ + 1 >= n) {
        ended_ = true;
        return {MoveResult::Review, true, {}};
    }
    if (!incompleteOnly_) return moveTo(current_ + 1, true);
    for (int i = current_ + 1; i < n; ++i) {
        if (IsIncomplete(items_[static_cast<size_t>(i)])) return moveTo(i, true);
    }
    return {MoveResult::Review, false, {}};
}

MoveResult ExamAttempt::Previous() {
    if (!incompleteOnly_) {
        if (current_ > 0) return moveTo(current_ - 1, true);
        return {};
    }
    for (int i = current_ - 1; i >= 0; --i) {
        if (IsIncomplete(items_[static_cast<size_t>(i)])) return moveTo(i, true);
    }
    return {};
}

bool ExamAttempt::PreviousOffered() const {
    if (current_ <= 0) return false;
    if (!incompleteOnly_) return true;
    for (int i = current_ - 1; i >= 0; --i) {
        if (IsIncomplete(items_[static_cast<size_t>(i)])) return true;
    }
    return false;
}

MoveResult ExamAttempt::JumpTo(int index) {
    if (index < 0 || index >= ItemCount()) return {};
    return moveTo(index, true);
}

MoveResult ExamAttempt::ReviewItem(int number) {
    if (items_.empty()) return {};
    number = std::clamp(number, 1, ItemCount());
    incompleteOnly_ = false;
    return moveTo(number - 1, true);
}

std::optional<int> ExamAttempt::FirstIncompleteItem() const {
    for (int i = 0; i < ItemCount(); ++i) {
        if (IsIncomplete(items_[static_cast<size_t>(i)])) return i;
    }
    return std::nullopt;
}

MoveResult ExamAttempt::ReviewIncomplete() {
    incompleteOnly_ = true;
    const std::optional<int> first = FirstIncompleteItem();
    if (!first) return {};
    return moveTo(*first, true);
}

MoveResult ExamAttempt::ReturnToExam() {
    if (items_.empty()) return {};
    return moveTo(current_, false);
}

void ExamAttempt::SuspendDisplay() {
    bank_.SetQuestionListener(nullptr);
    registered_ = false;
}

void ExamAttempt::ResumeDisplay() {
    bank_.SetQuestionListener(this);
    registered_ = true;
}

void ExamAttempt::OnQuestion(const questionbank::TestQuestionInfo& question) {
    if (!items_.empty()) items_[static_cast<size_t>(current_)].QuestionId = question.ID;
    shown_ = question;
    hasShown_ = true;
    if (display_) display_->OnQuestion(question);
}

bool ExamAttempt::openExam(const std::string& testId) {
    if (bank_.IsOpen()) bank_.CloseTest();
    if (bank_.OpenTest(testId) != 0) return false;
    currentExamId_ = testId;
    return true;
}

MoveResult ExamAttempt::moveTo(int index, bool openItemsExam) {
    const int before = current_;
    const std::string examBefore = currentExamId_;
    const QuestionAnswer& item = items_[static_cast<size_t>(index)];
    auto failed = [&](const std::string& why) {
        current_ = before;
        // Put the exam of the item on screen back, so its next answer is read
        // against its own question.
        if (mode_ == ExamMode::Mixed && currentExamId_ != examBefore && !examBefore.empty()) {
            if (bank_.IsOpen()) bank_.CloseTest();
            if (bank_.OpenTest(examBefore) == 0) currentExamId_ = examBefore;
        }
        return MoveResult{MoveResult::Failed, false, why};
    };
    current_ = index;
    if (mode_ == ExamMode::Mixed && openItemsExam &&
        (item.TestId != currentExamId_ || !bank_.IsOpen())) {
        if (!openExam(item.TestId)) {
            currentExamId_.clear();
            return failed("exam " + item.TestId + ": " + bank_.LastError());
        }
    }
    if (bank_.GoToTestQuestion(item.QuestionNo) != 0) {
        return failed("question " + std::to_string(item.QuestionNo) + " of exam " + item.TestId +
                      ": " + bank_.LastError());
    }
    return {MoveResult::Shown, false, {}};
}

}  // namespace zentrix::engine

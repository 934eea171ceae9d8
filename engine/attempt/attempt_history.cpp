#include "engine/attempt/attempt_history.h"

#include "history/tthistory.h"

namespace zentrix::engine {

int HistoryKind(ExamMode mode) {
    switch (mode) {
        case ExamMode::OpenBook:
            return 1;
        case ExamMode::ClosedBook:
            return 2;
        case ExamMode::Mixed:
            return 3;
    }
    return 1;
}

std::string CourseOfRow(const std::vector<questionbank::QVSimListInfo>& rows, int row) {
    if (row >= static_cast<int>(rows.size())) row = static_cast<int>(rows.size()) - 1;
    for (int i = row; i >= 0; --i) {
        if (rows[static_cast<size_t>(i)].NodeKind == questionbank::kCourseRow)
            return rows[static_cast<size_t>(i)].CourseId;
    }
    return {};
}

bool AttemptHistory::Open(const std::string& user, const std::string& course, ExamMode mode,
                          int items, const std::string& examId) {
    started_ = false;
    if (!history_) return true;
    if (history_->KeyIDExists(user, course)) {
        if (!history_->OpenHistorySess(0, "", 2, course, user)) return false;
    } else {
        history_->AddHistorySess(user, course);
    }
    history_->StartTest(HistoryKind(mode), items, examId);
    started_ = true;
    return true;
}

void AttemptHistory::Finish(const ExamItems& items) {
    if (!history_ || !started_) return;
    int correct = 0;
    int answered = 0;
    for (const QuestionAnswer& item : items) {
        if (item.Correct) ++correct;
        if (item.Answered) ++answered;
    }
    if (answered == 0) return;
    history_->EndTest(correct, answered);
    started_ = false;
}

}  // namespace zentrix::engine

#pragma once

// The attempt's record in the history store: opened when the attempt starts
// (the learner's record for the course, made when it is the first attempt),
// ended when the results are shown or the learner leaves the exam.
// A program without a history store (null) records nothing.

#include <string>
#include <vector>

#include "engine/attempt/question_answer.h"
#include "questionbank/bank_records.h"

namespace zentrix::history {
class TTHistory;
}

namespace zentrix::engine {

// The kind an attempt is stored as: 1 open book, 2 closed book, 3 mixed.
int HistoryKind(ExamMode mode);

// The course of the nearest course row at or above `row`; empty if none.
std::string CourseOfRow(const std::vector<questionbank::QVSimListInfo>& rows, int row);

class AttemptHistory {
public:
    explicit AttemptHistory(history::TTHistory* history) : history_(history) {}

    // Opens the learner's record for `course` (or adds one) and starts the
    // attempt. False when the record exists but cannot be opened: the
    // attempt is then abandoned and nothing is written.
    bool Open(const std::string& user, const std::string& course, ExamMode mode, int items,
              const std::string& examId);
    // Ends the attempt with the counts of `items`; nothing is written when no
    // item was answered, and an attempt is ended at most once.
    void Finish(const ExamItems& items);

    bool started() const { return started_; }

private:
    history::TTHistory* history_;
    bool started_ = false;
};

}  // namespace zentrix::engine

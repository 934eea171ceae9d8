#include "engine/attempt/exam_counters.h"

#include "engine/attempt/score.h"
#include "questionbank/bank_records.h"

namespace zentrix::engine {

ExamCounters TallyExam(const ExamItems& items) {
    ExamCounters c;
    c.total = static_cast<int>(items.size());
    for (const QuestionAnswer& item : items) {
        if (item.Answered) ++c.answered;
        if (item.Correct) ++c.correct;
        if (item.Seen) ++c.seen;
    }
    c.remaining = c.total - c.seen;
    c.notAnswered = c.total - c.answered;
    c.incorrect = c.answered - c.correct;
    c.percent = c.answered > 0 ? PercentScore(c.answered, c.correct) : 0;
    return c;
}

bool IsIncomplete(const QuestionAnswer& item) {
    return !item.Answered ||
           (item.QuestionType == questionbank::kMultipleChoice && item.GivenAnswer == 0);
}

}  // namespace zentrix::engine

#include "engine/attempt/review_list.h"

#include <cstdio>

#include "questionbank/bank_records.h"

namespace zentrix::engine {
namespace {

bool judgedType(int type) {
    using namespace questionbank;
    return type == kTrueFalse || type == kSingleChoice || type == kSimulation ||
           type == kMultipleChoice;
}

}  // namespace

ReviewRow MakeReviewRow(int index, const QuestionAnswer& item, ExamMode mode) {
    ReviewRow row;
    row.text = std::to_string(index + 1) + ": ";
    if (index < 9) row.text += "  ";
    if (item.Seen && item.Answered) {
        if (judgedType(item.QuestionType)) {
            if (mode == ExamMode::Mixed) {
                row.text += "Answered";
            } else {
                row.text += item.Correct ? "Correct" : "Incorrect";
            }
        }
    } else {
        row.text += "Incomplete";
        row.flags |= kReviewIncomplete;
    }
    if (item.Marked) row.flags |= kReviewMarked;
    row.flags |= item.Correct ? kReviewCorrect : kReviewNotCorrect;
    if (mode != ExamMode::Mixed) row.flags |= kReviewShowsCorrectness;
    return row;
}

std::vector<ReviewRow> ReviewRows(const ExamItems& items, ExamMode mode) {
    std::vector<ReviewRow> rows;
    rows.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        rows.push_back(MakeReviewRow(static_cast<int>(i), items[i], mode));
    }
    return rows;
}

ReviewCounterTexts CounterTexts(const ExamCounters& c, ExamMode mode) {
    ReviewCounterTexts texts;
    texts.remaining = std::to_string(c.remaining);
    const bool mixed = mode == ExamMode::Mixed;
    texts.correct = mixed ? "-" : std::to_string(c.correct);
    texts.incorrect = mixed ? "-" : std::to_string(c.incorrect);
    texts.percent = mixed ? "-" : std::to_string(c.percent);
    texts.incomplete = std::to_string(c.notAnswered);
    texts.answered = std::to_string(c.answered);
    return texts;
}

std::string JumpToLine(int index, const std::string& title) {
    char number[16];
    std::snprintf(number, sizeof number, "%4d", index + 1);
    return std::string(number) + " - " + title;
}

}  // namespace zentrix::engine

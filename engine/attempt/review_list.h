#pragma once

// The rows of the review list and the texts of its counters, without widgets.
// A row reads "n: " (three blanks in all before the state for rows 1 to 9,
// so the states line up) and its state: "Correct" / "Incorrect" in open and
// closed book, "Answered" in the mixed exam, "Incomplete" for an item not
// yet answered. The flags tell the list what to draw beside the text.

#include <string>
#include <vector>

#include "engine/attempt/exam_counters.h"
#include "engine/attempt/question_answer.h"

namespace zentrix::engine {

enum ReviewRowFlag : int {
    kReviewIncomplete = 1,         // the state is "Incomplete"
    kReviewCorrect = 2,            // the item is correct
    kReviewNotCorrect = 4,         // it is not (exactly one of 2 and 4)
    kReviewShowsCorrectness = 16,  // open or closed book
    kReviewMarked = 32,
};

struct ReviewRow {
    std::string text;
    int flags = 0;

    // The wrong sign is drawn for a shown, answered, incorrect item.
    bool showsWrongSign() const {
        return (flags & kReviewShowsCorrectness) && (flags & kReviewNotCorrect) &&
               !(flags & kReviewIncomplete);
    }
    bool showsMark() const { return flags & kReviewMarked; }
};

ReviewRow MakeReviewRow(int index, const QuestionAnswer& item, ExamMode mode);
std::vector<ReviewRow> ReviewRows(const ExamItems& items, ExamMode mode);

// The counter values beside "Remaining", "Correct", "Incorrect",
// "Incomplete", "Answered" and "Percentage"; the mixed exam shows "-" for
// correct, incorrect and percent.
struct ReviewCounterTexts {
    std::string remaining, correct, incorrect, incomplete, answered, percent;
};
ReviewCounterTexts CounterTexts(const ExamCounters& counters, ExamMode mode);

// A line of the jump-to list: the item number right-aligned in 4 characters,
// " - " and the item's title.
std::string JumpToLine(int index, const std::string& title);

}  // namespace zentrix::engine

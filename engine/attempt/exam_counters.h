#pragma once

// The counters of an attempt, recomputed from the item list whenever the
// review screen, the score popup or the results need them.

#include "engine/attempt/question_answer.h"

namespace zentrix::engine {

struct ExamCounters {
    int total = 0;        // items of the attempt
    int answered = 0;     // items with Answered
    int correct = 0;      // items with Correct
    int seen = 0;         // items left at least once
    int remaining = 0;    // total - seen
    int notAnswered = 0;  // total - answered
    int incorrect = 0;    // answered - correct
    int percent = 0;      // correct over answered, 0 before any answer
};

ExamCounters TallyExam(const ExamItems& items);

// An item still to be done: not answered, or a multiple-choice item whose
// recorded answer ticks nothing.
bool IsIncomplete(const QuestionAnswer& item);

}  // namespace zentrix::engine

#pragma once

// Reading the learner's answer into an item and judging it, by question type:
//
//   type 0 true/false: choice 0 "True" gives 0, choice 1 "False" gives 1; the
//                      right answer is 0 when the key is exactly "TRUE";
//   type 1 single:     the number (from 1) of the selected choice; the key is
//                      the right choice's number;
//   type 5 multiple:   bit k-1 for each ticked choice k; the key is that mask.
//                      Unticking everything keeps the earlier answer;
//   type 3 simulation: set by the simulation's outcome, not by the widgets;
//   other types:       nothing is recorded.
//
// A type-1 or type-5 key that is not a decimal number makes no answer right:
// the item is still recorded (so the learner can move on) and judged wrong,
// and the outcome says the key is damaged so the screen can tell the learner.

#include <string>
#include <vector>

#include "engine/attempt/question_answer.h"
#include "questionbank/bank_records.h"

namespace zentrix::engine {

// What the answer widgets of the question on screen report: one entry per
// choice shown, in order, true when selected or ticked.
struct AnswerCapture {
    std::vector<bool> selected;
};

struct JudgeOutcome {
    bool answered = false;
    bool correct = false;
    bool damagedKey = false;
};

// The key read as the integer the item compares with; -1 (never given) when
// it does not read.
int KeyAsInteger(const std::string& key, bool* readable = nullptr);

JudgeOutcome RecordAnswer(QuestionAnswer& item, const questionbank::TestQuestionInfo& question,
                          const AnswerCapture& capture);

// The simulation reported its outcome for `item`.
void RecordSimulationOutcome(QuestionAnswer& item, bool correct);

}  // namespace zentrix::engine

#pragma once

// The item list of a running attempt: one QuestionAnswer per question, in the
// order the learner meets them. The test, review and results screens, the
// study guide and the certificate all read it. Plain data without widgets;
// the attempt model (this folder) fills and judges it.

#include <cstdint>
#include <string>
#include <vector>

namespace zentrix::engine {

// How the attempt runs. The numbers are those stored with an attempt's
// settings and compared by the screens, so they are fixed; convert at the
// storage edge only.
enum class ExamMode : int {
    OpenBook = 0,    // one exam, untimed, with hints, references and feedback
    ClosedBook = 1,  // one exam, timed, no aids
    Mixed = 2,       // the course's mixed exam drawn from all its exams
};

struct QuestionAnswer {
    int32_t QuestionNo = 0;   // NUM within its exam
    int32_t QuestionId = -1;  // ID; -1 until the question is first shown
    std::string TestId;       // the exam whose tables hold the question
    bool Seen = false;
    bool Answered = false;
    bool Marked = false;
    bool Correct = false;
    int32_t GivenAnswer = 0;
    int32_t AnswerCount = 0;  // NUMANSWER
    int32_t CorrectAnswer = 0;
    int32_t QuestionType = 0;   // TYPE
    std::string QuestionTitle;  // TITLE; empty in the mixed exam until first shown
};

using ExamItems = std::vector<QuestionAnswer>;

}  // namespace zentrix::engine

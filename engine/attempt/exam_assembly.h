#pragma once

// Building the item list of an attempt.
//
// A single exam takes n questions of the open exam: drawn at random without
// repeats, or 1..n in order. The mixed exam of a course draws a fixed number
// of questions (the course's NumQ) from all exams of the course in
// proportion to their sizes, then shuffles them, so questions of different
// exams are interleaved:
//
//   S = sum of the exams' question counts, T = NumQ, R = T.
//   For each exam in tree order: Share = count / S (a 32-bit float),
//   Allocated = T x Share to the nearest integer (halves to even), cut to R;
//   R -= Allocated. What is left of R goes to the last exam.
//
// An exam never gives more questions than it holds: a share above an exam's
// count (a course whose NumQ exceeds what its exams hold, or whose last exam
// cannot be opened) is passed on to the exams before it that still have
// questions, in tree order; what no exam can give is left out, and the
// assembly says so with the sorting message while the attempt goes on with
// the questions there are. An assembly with no question at all fails.

#include <string>
#include <vector>

#include "engine/attempt/attempt_bank.h"
#include "engine/attempt/attempt_messages.h"
#include "engine/attempt/question_answer.h"
#include "engine/attempt/random_source.h"
#include "questionbank/bank_records.h"

namespace zentrix::engine {

// An exam of the mixed exam while it is assembled.
struct MixedExamEntry {
    std::string CourseId;
    std::string TestId;
    int QuestionCount = 0;  // 0 when the exam cannot be opened
    float Share = 0;
    int Allocated = 0;
};

// Shares and allocations of `exams` for `total` questions, as described above.
void AllocateMixedShares(std::vector<MixedExamEntry>& exams, int total);

// n distinct numbers from 1..count in drawing order: each draw picks one of
// the numbers left, uniformly. n is kept within 0..count.
std::vector<int> DrawQuestionNumbers(int count, int n, RandomSource& random);

// The items of a single exam over the exam open in `bank` (`testId` as it
// was opened): n questions, each with its title read through the cursor
// (the question listener must not be registered while this runs).
ExamItems AssembleSingleExam(AttemptBank& bank, const std::string& testId, int n, bool randomOrder,
                             RandomSource& random);

struct MixedExamAssembly {
    bool assembled = false;  // false: go back to the main screen
    std::vector<AttemptMessage> messages;
    ExamItems items;
    questionbank::ParentInfoStruct course;  // Time is the attempt's time limit
    std::vector<MixedExamEntry> exams;
};

// The mixed exam of the mixed-exam row `selectedRow` of the course tree
// `rows`. Each exam of the course is opened once to count its questions and
// closed again; no exam is open afterwards.
MixedExamAssembly AssembleMixedExam(AttemptBank& bank,
                                    const std::vector<questionbank::QVSimListInfo>& rows,
                                    int selectedRow, RandomSource& random);

}  // namespace zentrix::engine

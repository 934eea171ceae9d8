#pragma once

// Question banks for the start-up benchmark, generated once into a folder of
// the build tree and reused by later runs.

#include <string>

namespace zentrix::bench {

// A bank of `courses` courses with `examsPerCourse` exams each (no
// questions). Gives the database folder, ending with '/'; empty on failure.
std::string GeneratedBank(const std::string& parentFolder, int courses, int examsPerCourse);

// A bank of one course "C1" with `exams` exams "C1E1"... of `questions`
// single-choice questions each, every question with `choices` choices and a
// text of about `textLength` characters; the course's mixed exam takes
// `mixedQuestions`. Gives the database folder, ending with '/'; empty on
// failure.
std::string GeneratedQuestionBank(const std::string& parentFolder, int exams, int questions,
                                  int choices, int textLength, int mixedQuestions);

}  // namespace zentrix::bench

#pragma once

// The texts an attempt shows the learner. The screens show them through the
// dialog service; the model only names which one is due.

#include <string>

namespace zentrix::engine {

inline constexpr const char* kNotAMixedExamMessage = "Somehow this isn't a Zentrix";
inline constexpr const char* kCourseNotFoundMessage =
    "Could not sort the exams properly to prepare a Zentrix for this course.";
inline constexpr const char* kNoExamsMessage = "Could not find any exams for this course.";
inline constexpr const char* kSortingErrorMessage =
    "Error occurred in sorting questions for Zentrix.";
inline constexpr const char* kHistoryRecordMissingMessage =
    "Could not find the existing history record for this user and course.";
inline constexpr const char* kTimeIsUpMessage = "Time is up!";
// A course whose exams hold no question at all (or whose mixed exam is set
// to 0 questions): an empty attempt is never started.
inline constexpr const char* kNoQuestionsToDrawMessage =
    "This course has no questions to draw for its Zentrix.";
// An exam row whose exam holds no question.
inline constexpr const char* kEmptyExamMessage = "This exam has no questions. Choose another exam.";

// A move whose item could not be shown (its exam or question is gone); the
// reason follows on the next line.
inline constexpr const char* kQuestionNotShownMessage =
    "This question could not be shown; the exam stays on the question before.";
// A single- or multiple-choice question whose stored key is not a number:
// the answer is kept and counted as incorrect.
inline constexpr const char* kDamagedKeyMessage =
    "The answer key of this question is damaged, so your answer is counted as incorrect. "
    "Please tell the author of the exam.";

// A message the model asks the screen to show: an information box, or an
// error box when `error` is set.
struct AttemptMessage {
    bool error = false;
    std::string text;
    bool operator==(const AttemptMessage&) const = default;
};

}  // namespace zentrix::engine

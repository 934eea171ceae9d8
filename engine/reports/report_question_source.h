#pragma once

// What the study guide and the certificate read from the question bank.
// TTestingReportBank serves both from the main window's TTesting; tests
// serve them from a few questions in memory.

#include <string>

#include "base/status.h"
#include "engine/attempt/question_answer.h"
#include "questionbank/bank_records.h"

namespace zentrix::engine::reports {

class StudyQuestionSource {
public:
    virtual ~StudyQuestionSource() = default;
    // Makes the item's question current (opening the item's exam first when
    // another exam is open). The error says why it could not.
    virtual base::Status MoveToItem(const QuestionAnswer& item) = 0;
    // The current question, after a successful MoveToItem.
    virtual const questionbank::TestQuestionInfo& CurrentQuestion() const = 0;
    // The text of answer row `index` (from 1) of the current question.
    virtual std::string AnswerText(int index) = 0;
};

class ExamTitleSource {
public:
    virtual ~ExamTitleSource() = default;
    // The exam's title in the catalogue; empty when it is not there.
    virtual std::string ExamTitle(const std::string& testId) = 0;
};

}  // namespace zentrix::engine::reports

#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "simulation/question_service.h"

namespace zentrix::simulation::testing {

// Answers questions from a script and remembers what was asked. Asking more
// questions than scripted answers No.
class ScriptedQuestions : public QuestionService {
public:
    explicit ScriptedQuestions(std::deque<bool> answers = {}) : answers_(std::move(answers)) {}

    bool askYesNo(const QString& question) override {
        asked.append(question);
        if (answers_.empty()) return false;
        const bool answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    QStringList asked;

private:
    std::deque<bool> answers_;
};

}  // namespace zentrix::simulation::testing

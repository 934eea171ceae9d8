#pragma once

// Questions in memory for the report tests, keyed by exam and number, and
// the attempt items that point at them.

#include <QImage>
#include <QString>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/reports/report_question_source.h"

// Lets failed comparisons show Qt texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace zentrix::engine::reports::testing {

struct FakeQuestion {
    questionbank::TestQuestionInfo info;
    std::vector<std::string> rows;  // answer rows 1..n
};

class FakeQuestionSource : public StudyQuestionSource, public ExamTitleSource {
public:
    // Adds a question of `type` to exam `exam` (numbered in order) with the
    // given rows and key; gives its number.
    int add(const std::string& exam, int type, const std::string& title,
            std::vector<std::string> rows, const std::string& key, const std::string& ref = "");

    base::Status MoveToItem(const QuestionAnswer& item) override;
    const questionbank::TestQuestionInfo& CurrentQuestion() const override {
        return current_->info;
    }
    std::string AnswerText(int index) override;
    std::string ExamTitle(const std::string& testId) override;

    std::map<std::string, std::string> titles;
    std::vector<std::pair<std::string, int>> moves;  // every MoveToItem

private:
    std::map<std::pair<std::string, int>, FakeQuestion> questions_;
    std::map<std::string, int> counts_;
    const FakeQuestion* current_ = nullptr;
};

QuestionAnswer Item(const std::string& exam, int number, bool correct, bool answered = true);

// A picture as a rich text's picture group ("{\\pict\\pngblip ...}").
std::string RtfPicture(const QImage& picture);

}  // namespace zentrix::engine::reports::testing

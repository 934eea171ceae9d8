#pragma once

// The study guide's and the certificate's view of the main window's
// TTesting. While the object lives, OnQuestion is unregistered, so moving
// the question cursor for a report never changes the screen; when it goes,
// the exam and question that were current are made current again and the
// handler is registered back. Build the report within its lifetime:
//
//     TTestingReportBank bank(testing);
//     TStudyMaterial guide(input, bank);
//     report::RenderedReport pages = guide.Render();

#include <string>

#include "engine/reports/report_question_source.h"
#include "questionbank/ttesting.h"

namespace zentrix::engine::reports {

class TTestingReportBank final : public StudyQuestionSource, public ExamTitleSource {
public:
    explicit TTestingReportBank(questionbank::TTesting& testing);
    ~TTestingReportBank() override;
    TTestingReportBank(const TTestingReportBank&) = delete;
    TTestingReportBank& operator=(const TTestingReportBank&) = delete;

    base::Status MoveToItem(const QuestionAnswer& item) override;
    const questionbank::TestQuestionInfo& CurrentQuestion() const override;
    std::string AnswerText(int index) override;
    std::string ExamTitle(const std::string& testId) override;

private:
    std::string openExamId() const;

    questionbank::TTesting& testing_;
    decltype(questionbank::TTesting::OnQuestion) savedHandler_;
    bool wasOpen_ = false;
    std::string savedExam_;
    int savedQuestion_ = 0;
};

}  // namespace zentrix::engine::reports

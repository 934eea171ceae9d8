#include "engine/reports/ttesting_report_bank.h"

namespace zentrix::engine::reports {
namespace {

std::string Trim(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    size_t start = 0;
    while (start < text.size() && text[start] == ' ') ++start;
    return text.substr(start);
}

}  // namespace

TTestingReportBank::TTestingReportBank(questionbank::TTesting& testing)
    : testing_(testing), savedHandler_(testing.OnQuestion) {
    testing_.OnQuestion.reset();
    wasOpen_ = testing_.IsOpen();
    if (wasOpen_) {
        savedExam_ = openExamId();
        savedQuestion_ = testing_.QuestionInfo().ID != 0 ? testing_.QuestionInfo().NUM : 0;
    }
}

TTestingReportBank::~TTestingReportBank() {
    if (wasOpen_) {
        if (!testing_.IsOpen() || openExamId() != savedExam_) {
            testing_.CloseTest();
            testing_.OpenTest(savedExam_);
        }
        if (testing_.IsOpen() && savedQuestion_ > 0) testing_.GoToTestQuestion(savedQuestion_);
    }
    testing_.OnQuestion = savedHandler_;
}

std::string TTestingReportBank::openExamId() const { return Trim(testing_.OpenInfo().PRODID); }

base::Status TTestingReportBank::MoveToItem(const QuestionAnswer& item) {
    const std::string exam = Trim(item.TestId);
    if (!testing_.IsOpen() || openExamId() != exam) {
        testing_.CloseTest();
        if (testing_.OpenTest(exam) != 0) return base::Status::error(testing_.LastError());
    }
    if (testing_.GoToTestQuestion(item.QuestionNo) != 0)
        return base::Status::error(testing_.LastError());
    return base::Status::ok();
}

const questionbank::TestQuestionInfo& TTestingReportBank::CurrentQuestion() const {
    return testing_.QuestionInfo();
}

std::string TTestingReportBank::AnswerText(int index) { return testing_.GetAnswerText(index); }

std::string TTestingReportBank::ExamTitle(const std::string& testId) {
    return Trim(testing_.GetGTest_Title(testId));
}

}  // namespace zentrix::engine::reports

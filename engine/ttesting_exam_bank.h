#pragma once

// The ExamBank of the running program: TTesting, whose catalogue events are
// forwarded to the listener while a listing runs and whose OnQuestion event
// goes to the registered question listener.

#include "engine/exam_bank.h"

namespace zentrix::questionbank {
class TTesting;
}

namespace zentrix::engine {

class TTestingExamBank : public ExamBank {
public:
    explicit TTestingExamBank(questionbank::TTesting& testing);
    ~TTestingExamBank() override;

    void ListQVSelectTitles(CatalogueListener& listener, bool mixedRows,
                            bool questionRows) override;
    int OpenTest(const std::string& id) override;
    int OpenPrePostTest(const std::string& id, bool preferAlternative, int& usedRegular) override;
    void CloseTest() override;
    bool IsOpen() const override;
    std::string GetOpenTitle() const override;
    int QuestionCount() const override;
    std::string LastError() const override;
    void SetQuestionListener(QuestionListener* listener) override;
    int GoToTestQuestion(int number) override;
    const questionbank::TestQuestionInfo& CurrentQuestion() const override;
    std::string GetAnswerKey() const override;
    std::string GetAnswerText(int index) override;
    void GetParentInfo(questionbank::ParentInfoStruct& info) override;
    bool HasCaseStudies() const override;
    xbase::Result<questionbank::CaseStudy> FindCaseStudy(long number) override;
    void SetCaseStudyClosedHandler(questionbank::Callback<> handler) override;
    xbase::Result<std::string> ExtractQuestionGraphic() override;

    questionbank::TTesting& testing() { return testing_; }

private:
    questionbank::TTesting& testing_;
    QuestionListener* listener_ = nullptr;
};

}  // namespace zentrix::engine

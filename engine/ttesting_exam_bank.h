#pragma once

// The ExamBank of the running program: TTesting, whose catalogue events are
// forwarded to the listener while a listing runs.

#include "engine/exam_bank.h"

namespace zentrix::questionbank {
class TTesting;
}

namespace zentrix::engine {

class TTestingExamBank : public ExamBank {
public:
    explicit TTestingExamBank(questionbank::TTesting& testing) : testing_(testing) {}

    void ListQVSelectTitles(CatalogueListener& listener, bool mixedRows,
                            bool questionRows) override;
    int OpenPrePostTest(const std::string& id, bool preferAlternative, int& usedRegular) override;
    void CloseTest() override;
    bool IsOpen() const override;
    std::string GetOpenTitle() const override;
    int QuestionCount() const override;
    std::string LastError() const override;

    questionbank::TTesting& testing() { return testing_; }

private:
    questionbank::TTesting& testing_;
};

}  // namespace zentrix::engine

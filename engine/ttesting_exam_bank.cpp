#include "engine/ttesting_exam_bank.h"

#include "questionbank/ttesting.h"

namespace zentrix::engine {
namespace {

void selectBegin(void* context) { static_cast<CatalogueListener*>(context)->OnSelectBegin(); }

void selectItem(void* context, const std::string& courseId, const std::string& testId,
                const std::string& title, unsigned char nodeKind, unsigned char pPS,
                unsigned char gPS, unsigned char qPS, int questionNo, int rowIndex) {
    questionbank::QVSimListInfo row;
    row.CourseId = courseId;
    row.TestId = testId;
    row.Title = title;
    row.NodeKind = nodeKind;
    row.pPS = pPS;
    row.gPS = gPS;
    row.qPS = qPS;
    row.QuestionNo = questionNo;
    row.RowIndex = rowIndex;
    static_cast<CatalogueListener*>(context)->OnSelectItem(row);
}

void selectEnd(void* context) { static_cast<CatalogueListener*>(context)->OnSelectEnd(); }

}  // namespace

TTestingExamBank::TTestingExamBank(questionbank::TTesting& testing) : testing_(testing) {}

TTestingExamBank::~TTestingExamBank() {
    testing_.OnQuestion.reset();
    testing_.OnCaseStudyClosed.reset();
}

void TTestingExamBank::ListQVSelectTitles(CatalogueListener& listener, bool mixedRows,
                                          bool questionRows) {
    testing_.OnSelectBegin = {selectBegin, &listener};
    testing_.OnSelectItem = {selectItem, &listener};
    testing_.OnSelectEnd = {selectEnd, &listener};
    testing_.ListQVSelectTitles(mixedRows, questionRows);
    testing_.OnSelectBegin.reset();
    testing_.OnSelectItem.reset();
    testing_.OnSelectEnd.reset();
}

int TTestingExamBank::OpenTest(const std::string& id) { return testing_.OpenTest(id); }

int TTestingExamBank::OpenPrePostTest(const std::string& id, bool preferAlternative,
                                      int& usedRegular) {
    return testing_.OpenPrePostTest(id, preferAlternative, usedRegular);
}

void TTestingExamBank::CloseTest() { testing_.CloseTest(); }
bool TTestingExamBank::IsOpen() const { return testing_.IsOpen(); }
std::string TTestingExamBank::GetOpenTitle() const { return testing_.GetOpenTitle(); }
int TTestingExamBank::QuestionCount() const { return testing_.QuestionCount(); }
std::string TTestingExamBank::LastError() const { return testing_.LastError(); }

void TTestingExamBank::SetQuestionListener(QuestionListener* listener) {
    listener_ = listener;
    if (!listener) {
        testing_.OnQuestion.reset();
        return;
    }
    testing_.OnQuestion = {
        [](void* context, int, int, int, const std::string&, const std::string&, int,
           const std::string&, const std::string&, const std::string&, const std::string&, int) {
            auto* bank = static_cast<TTestingExamBank*>(context);
            if (bank->listener_) bank->listener_->OnQuestion(bank->testing_.QuestionInfo());
        },
        this};
}

int TTestingExamBank::GoToTestQuestion(int number) { return testing_.GoToTestQuestion(number); }

const questionbank::TestQuestionInfo& TTestingExamBank::CurrentQuestion() const {
    return testing_.QuestionInfo();
}

std::string TTestingExamBank::GetAnswerKey() const { return testing_.GetAnswerKey(); }
std::string TTestingExamBank::GetAnswerText(int index) { return testing_.GetAnswerText(index); }

void TTestingExamBank::GetParentInfo(questionbank::ParentInfoStruct& info) {
    testing_.GetParentInfo(info);
}

bool TTestingExamBank::HasCaseStudies() const { return testing_.HasCaseStudies(); }

xbase::Result<questionbank::CaseStudy> TTestingExamBank::FindCaseStudy(long number) {
    if (!testing_.CaseTableOpen()) return xbase::Status::error("the exam has no case-study table");
    return testing_.CaseStudies().find(number);
}

void TTestingExamBank::SetCaseStudyClosedHandler(questionbank::Callback<> handler) {
    testing_.OnCaseStudyClosed = handler;
}

xbase::Result<std::string> TTestingExamBank::ExtractQuestionGraphic() {
    return testing_.ExtractQuestionGraphic();
}

}  // namespace zentrix::engine

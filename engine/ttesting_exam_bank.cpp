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

int TTestingExamBank::OpenPrePostTest(const std::string& id, bool preferAlternative,
                                      int& usedRegular) {
    return testing_.OpenPrePostTest(id, preferAlternative, usedRegular);
}

void TTestingExamBank::CloseTest() { testing_.CloseTest(); }
bool TTestingExamBank::IsOpen() const { return testing_.IsOpen(); }
std::string TTestingExamBank::GetOpenTitle() const { return testing_.GetOpenTitle(); }
int TTestingExamBank::QuestionCount() const { return testing_.QuestionCount(); }
std::string TTestingExamBank::LastError() const { return testing_.LastError(); }

}  // namespace zentrix::engine

#pragma once

// What the main window's shell needs of the question bank: the catalogue
// rows for the course tree and opening and closing an exam. TTestingExamBank
// serves it from TTesting; tests serve it from a list of rows.

#include <string>

#include "questionbank/bank_records.h"

namespace zentrix::engine {

class CatalogueListener {
public:
    virtual ~CatalogueListener() = default;
    virtual void OnSelectBegin() = 0;
    virtual void OnSelectItem(const questionbank::QVSimListInfo& row) = 0;
    virtual void OnSelectEnd() = 0;
};

class ExamBank {
public:
    virtual ~ExamBank() = default;

    // Lists the catalogue to `listener`; the listener is registered only for
    // the duration of the call.
    virtual void ListQVSelectTitles(CatalogueListener& listener, bool mixedRows,
                                    bool questionRows) = 0;
    // 0 on success, -1 on failure (LastError tells why).
    virtual int OpenPrePostTest(const std::string& id, bool preferAlternative,
                                int& usedRegular) = 0;
    virtual void CloseTest() = 0;
    virtual bool IsOpen() const = 0;
    virtual std::string GetOpenTitle() const = 0;
    virtual int QuestionCount() const = 0;
    virtual std::string LastError() const = 0;
};

}  // namespace zentrix::engine

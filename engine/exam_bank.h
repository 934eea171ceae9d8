#pragma once

// What the main window needs of the question bank: the catalogue rows for
// the course tree, and everything an attempt needs (AttemptBank).
// TTestingExamBank serves it from TTesting; tests serve it from memory.

#include <string>

#include "engine/attempt/attempt_bank.h"
#include "questionbank/bank_records.h"

namespace zentrix::engine {

class CatalogueListener {
public:
    virtual ~CatalogueListener() = default;
    virtual void OnSelectBegin() = 0;
    virtual void OnSelectItem(const questionbank::QVSimListInfo& row) = 0;
    virtual void OnSelectEnd() = 0;
};

class ExamBank : public AttemptBank {
public:
    // Lists the catalogue to `listener`; the listener is registered only for
    // the duration of the call.
    virtual void ListQVSelectTitles(CatalogueListener& listener, bool mixedRows,
                                    bool questionRows) = 0;
};

}  // namespace zentrix::engine

#pragma once

// An ExamBank over a fixed list of catalogue rows and exams held in memory,
// recording what the main window asks of it.

#include <string>
#include <vector>

#include "../attempt/tests/memory_bank.h"
#include "engine/exam_bank.h"

namespace zentrix::engine::testing {

class FakeExamBank : public MemoryBank<ExamBank> {
public:
    std::vector<questionbank::QVSimListInfo> rows;

    void ListQVSelectTitles(CatalogueListener& listener, bool, bool) override {
        listener.OnSelectBegin();
        for (const auto& row : rows) listener.OnSelectItem(row);
        listener.OnSelectEnd();
    }
};

}  // namespace zentrix::engine::testing

#pragma once

// An ExamBank over a fixed list of catalogue rows and exams, recording what
// the main window asks of it.

#include <map>
#include <string>
#include <vector>

#include "engine/exam_bank.h"

namespace zentrix::engine::testing {

struct FakeExam {
    std::string title;
    int questionCount = 0;
};

class FakeExamBank : public ExamBank {
public:
    std::vector<questionbank::QVSimListInfo> rows;
    std::map<std::string, FakeExam> exams;
    std::vector<std::string> opened;  // id of every OpenPrePostTest call
    bool lastPreferAlternative = false;
    int closeCalls = 0;

    void ListQVSelectTitles(CatalogueListener& listener, bool, bool) override {
        listener.OnSelectBegin();
        for (const auto& row : rows) listener.OnSelectItem(row);
        listener.OnSelectEnd();
    }
    int OpenPrePostTest(const std::string& id, bool preferAlternative, int& usedRegular) override {
        opened.push_back(id);
        lastPreferAlternative = preferAlternative;
        usedRegular = 1;
        const auto found = exams.find(id);
        if (found == exams.end()) return -1;
        open_ = &found->second;
        return 0;
    }
    void CloseTest() override {
        ++closeCalls;
        open_ = nullptr;
    }
    bool IsOpen() const override { return open_ != nullptr; }
    std::string GetOpenTitle() const override { return open_ ? open_->title : std::string(); }
    int QuestionCount() const override { return open_ ? open_->questionCount : 0; }
    std::string LastError() const override { return "exam is not in the catalogue"; }

private:
    const FakeExam* open_ = nullptr;
};

}  // namespace zentrix::engine::testing

#pragma once

// A question bank held in memory for tests of the attempt and the screens:
// exams with their questions and choices, courses with their mixed-exam
// settings, the OnQuestion listener and a record of what was opened.
// `Base` is the interface served (AttemptBank, or the shell's ExamBank).

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/attempt/attempt_bank.h"

namespace zentrix::engine::testing {

struct MemoryQuestion {
    int type = questionbank::kSingleChoice;
    std::string title;
    std::string text;
    std::vector<std::string> choices;  // or the steps of a simulation
    std::string key;
    std::string hint;
    std::string reference;
    std::string graphic;
    int caseId = 0;
};

struct MemoryExam {
    std::string title;
    std::vector<MemoryQuestion> questions;
    bool opens = true;  // false: OpenTest fails (its tables are missing)
    // Case studies by number; an exam with any has case studies.
    std::map<long, questionbank::CaseStudy> cases;
};

// `count` single-choice questions titled "<prefix> 1", ... with two choices
// each, the first right.
std::vector<MemoryQuestion> NumberedQuestions(const std::string& prefix, int count);

template <typename Base>
class MemoryBank : public Base {
public:
    std::map<std::string, MemoryExam> exams;
    std::map<std::string, questionbank::ParentInfoStruct> courses;
    std::vector<std::string> opened;  // every open, in order
    bool lastPreferAlternative = false;
    int closeCalls = 0;
    int moves = 0;
    // Where the questions' files lie; a GRAPHIC found there is "written out".
    std::string fileFolder;

    int OpenTest(const std::string& id) override {
        opened.push_back(id);
        const auto found = exams.find(id);
        if (found == exams.end() || !found->second.opens) {
            error_ = "exam \"" + id + "\" is not in the catalogue";
            return -1;
        }
        open_ = &found->second;
        openId_ = id;
        current_ = questionbank::TestQuestionInfo();
        return 0;
    }
    int OpenPrePostTest(const std::string& id, bool preferAlternative, int& usedRegular) override {
        lastPreferAlternative = preferAlternative;
        usedRegular = 1;
        return OpenTest(id);
    }
    void CloseTest() override {
        ++closeCalls;
        if (HasCaseStudies()) caseStudyClosed_();
        open_ = nullptr;
        openId_.clear();
    }
    bool IsOpen() const override { return open_ != nullptr; }
    std::string GetOpenTitle() const override { return open_ ? open_->title : std::string(); }
    int QuestionCount() const override {
        return open_ ? static_cast<int>(open_->questions.size()) : 0;
    }
    std::string LastError() const override { return error_; }
    const std::string& OpenId() const { return openId_; }

    void SetQuestionListener(QuestionListener* listener) override { listener_ = listener; }
    QuestionListener* Listener() const { return listener_; }
    int GoToTestQuestion(int number) override {
        if (!open_ || number < 1 || number > QuestionCount()) {
            error_ = "no question " + std::to_string(number);
            return -1;
        }
        ++moves;
        const MemoryQuestion& q = open_->questions[static_cast<size_t>(number - 1)];
        current_.NUM = number;
        current_.ID = idOf(openId_, number);
        current_.TYPE = q.type;
        current_.TITLE = q.title;
        current_.QUESTION = q.text;
        current_.NUMANSWER = static_cast<int>(q.choices.size());
        current_.ANSWER = q.key;
        current_.Hint = q.hint;
        current_.REF = q.reference;
        current_.GRAPHIC = q.graphic;
        current_.CaseID = q.caseId;
        if (listener_) listener_->OnQuestion(current_);
        return 0;
    }
    const questionbank::TestQuestionInfo& CurrentQuestion() const override { return current_; }
    std::string GetAnswerKey() const override {
        std::string key = current_.ANSWER;
        while (!key.empty() && key.back() == ' ') key.pop_back();
        return key;
    }
    std::string GetAnswerText(int index) override {
        if (current_.TYPE == questionbank::kTrueFalse) return index == 1 ? "TRUE" : "FALSE";
        if (!open_ || current_.NUM < 1) return {};
        const MemoryQuestion& q = open_->questions[static_cast<size_t>(current_.NUM - 1)];
        if (index < 1 || index > static_cast<int>(q.choices.size())) return {};
        return q.choices[static_cast<size_t>(index - 1)];
    }
    void GetParentInfo(questionbank::ParentInfoStruct& info) override {
        const auto found = courses.find(info.Id);
        if (found == courses.end()) {
            info.Id = "bad";
            return;
        }
        info = found->second;
    }
    bool HasCaseStudies() const override { return open_ && !open_->cases.empty(); }
    xbase::Result<questionbank::CaseStudy> FindCaseStudy(long number) override {
        if (!open_) return xbase::Status::error("no exam is open");
        const auto found = open_->cases.find(number);
        if (found == open_->cases.end()) return xbase::Status::error("no such case study");
        return found->second;
    }
    void SetCaseStudyClosedHandler(questionbank::Callback<> handler) override {
        caseStudyClosed_ = handler;
    }
    xbase::Result<std::string> ExtractQuestionGraphic() override {
        const std::string path = fileFolder + current_.GRAPHIC;
        if (fileFolder.empty() || !std::filesystem::exists(path))
            return xbase::Status::error(path + ": missing, and no stored copy");
        return path;
    }

    // The question identifier the bank gives question `number` of `exam`:
    // unique across exams, so a test can tell which exam a question came from.
    static int idOf(const std::string& exam, int number) {
        int hash = 0;
        for (char c : exam) hash = (hash * 31 + c) % 1000;
        return (hash + 1) * 10000 + number;
    }

private:
    MemoryExam* open_ = nullptr;
    std::string openId_;
    std::string error_;
    QuestionListener* listener_ = nullptr;
    questionbank::Callback<> caseStudyClosed_;
    questionbank::TestQuestionInfo current_;
};

inline std::vector<MemoryQuestion> NumberedQuestions(const std::string& prefix, int count) {
    std::vector<MemoryQuestion> questions;
    for (int i = 1; i <= count; ++i) {
        MemoryQuestion q;
        q.title = prefix + " " + std::to_string(i);
        q.text = "Question " + std::to_string(i) + " of " + prefix + "?";
        q.choices = {"right", "wrong"};
        q.key = "1";
        questions.push_back(q);
    }
    return questions;
}

}  // namespace zentrix::engine::testing

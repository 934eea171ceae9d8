#pragma once

// A question bank in a scratch folder of its own, with helpers that build
// courses, exams and questions through TTesting and read back what the
// tables hold.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "questionbank/bank_records.h"
#include "questionbank/ttesting.h"
#include "xbase/engine.h"

namespace zentrix::questionbank::testing {

struct QuestionSpec {
    int type = kSingleChoice;
    std::string title{};
    std::string text{};
    std::vector<std::string> rows{};
    std::string key{};
    int caseId = 0;
    std::string graphic{};
};

// One live question record: its NUM and ID.
struct NumAndId {
    int num = 0;
    int id = 0;
    bool operator==(const NumAndId&) const = default;
};

class BankTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The bank object, made on first use.
    TTesting& bank();
    // Destroys the bank object, so the next bank() reads the tables afresh.
    void closeBank();

    // Adds the course when missing, the exam, and its questions (opened and
    // closed again). Gives the exam's question identifiers in order.
    std::vector<int> addExam(const std::string& course, const std::string& exam,
                             const std::vector<QuestionSpec>& questions,
                             const std::string& path = "", const std::string& table = "");
    static std::vector<QuestionSpec> numberedQuestions(int count);

    std::vector<QVSimListInfo> list(bool mixedRows, bool questionRows);
    // NUM and ID of every live question record of the open exam, in record order.
    std::vector<NumAndId> questionRecords();
    // Checks NUM 1..count without gaps and NEXTID above every ID.
    void expectQuestionInvariants();

    std::string path(const std::string& relative) const { return dir_ + relative; }
    static std::string readBytes(const std::string& path);
    static void writeBytes(const std::string& path, const std::string& bytes);

    std::string dir_;  // ends with '/'
    xbase::Engine engine_;
    base::RecordingMessageSink sink_;
    std::unique_ptr<TTesting> bank_;
};

}  // namespace zentrix::questionbank::testing

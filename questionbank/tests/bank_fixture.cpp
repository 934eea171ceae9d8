#include "bank_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace zentrix::questionbank::testing {

void BankTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path folder =
        fs::temp_directory_path() / ("zentrix-qb-" + std::string(info->test_suite_name()) + "-" +
                                     std::string(info->name()) + "-" + std::to_string(::getpid()));
    std::string name = folder.string();
    for (char& c : name) {
        if (c == '\\' || c == ':' || c == '*') c = '_';
    }
    fs::remove_all(name);
    fs::create_directories(name);
    dir_ = name + "/";
}

void BankTest::TearDown() {
    bank_.reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

TTesting& BankTest::bank() {
    if (!bank_) bank_ = std::make_unique<TTesting>(engine_, dir_, sink_);
    return *bank_;
}

void BankTest::closeBank() { bank_.reset(); }

std::vector<int> BankTest::addExam(const std::string& course, const std::string& exam,
                                   const std::vector<QuestionSpec>& questions,
                                   const std::string& path, const std::string& table) {
    TTesting& b = bank();
    if (!b.ParentExists(course)) {
        EXPECT_EQ(0, b.AddParent(course, course + " title", "", "1:00", 10));
    }
    EXPECT_EQ(0, b.AddTest(exam, course, path, table.empty() ? exam : table, exam + " title"))
        << b.LastError();
    EXPECT_EQ(0, b.OpenTest(exam)) << b.LastError();
    std::vector<int> ids;
    for (size_t i = 0; i < questions.size(); ++i) {
        const QuestionSpec& q = questions[i];
        const int id = b.AddTestQuestion(static_cast<int>(i) + 1, q.type, q.title, q.text,
                                         static_cast<int>(q.rows.size()), q.key, "hint", "ref",
                                         q.graphic, q.caseId);
        EXPECT_GT(id, 0) << b.LastError();
        for (size_t r = 0; r < q.rows.size(); ++r)
            EXPECT_EQ(0, b.SetTestQuestionXtra(id, static_cast<int>(r) + 1, q.rows[r]));
        ids.push_back(id);
    }
    b.CloseTest();
    return ids;
}

std::vector<QuestionSpec> BankTest::numberedQuestions(int count) {
    std::vector<QuestionSpec> out;
    for (int i = 1; i <= count; ++i) {
        out.push_back({kSingleChoice,
                       "Q" + std::to_string(i),
                       "text " + std::to_string(i),
                       {"a" + std::to_string(i), "b" + std::to_string(i)},
                       "1"});
    }
    return out;
}

namespace {

void addRow(void* context, const std::string& courseId, const std::string& testId,
            const std::string& title, unsigned char kind, unsigned char pPS, unsigned char gPS,
            unsigned char qPS, int questionNo, int rowIndex) {
    static_cast<std::vector<QVSimListInfo>*>(context)->push_back(
        {courseId, testId, title, kind, pPS, gPS, qPS, questionNo, rowIndex});
}

void addRecord(void* context, const std::string&, int number, const std::string& id,
               const std::string&, int) {
    static_cast<std::vector<NumAndId>*>(context)->push_back({number, std::stoi(id)});
}

}  // namespace

std::vector<QVSimListInfo> BankTest::list(bool mixedRows, bool questionRows) {
    std::vector<QVSimListInfo> rows;
    bank().OnSelectItem = {&addRow, &rows};
    bank().ListQVSelectTitles(mixedRows, questionRows);
    bank().OnSelectItem.reset();
    return rows;
}

std::vector<NumAndId> BankTest::questionRecords() {
    std::vector<NumAndId> records;
    bank().OnRawRecord = {&addRecord, &records};
    bank().RawRecordDump();
    bank().OnRawRecord.reset();
    return records;
}

void BankTest::expectQuestionInvariants() {
    std::vector<NumAndId> records = questionRecords();
    std::vector<int> nums, ids;
    for (const NumAndId& r : records) {
        nums.push_back(r.num);
        ids.push_back(r.id);
    }
    std::sort(nums.begin(), nums.end());
    std::vector<int> expected(records.size());
    for (size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<int>(i) + 1;
    EXPECT_EQ(expected, nums) << "NUM must run 1..count without gaps";
    EXPECT_EQ(static_cast<int>(records.size()), bank().QuestionCount());
    for (int id : ids) EXPECT_LT(id, bank().OpenInfo().NEXTID) << "NEXTID must stay above every ID";
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids.end(), std::adjacent_find(ids.begin(), ids.end())) << "IDs must be unique";
}

std::string BankTest::readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void BankTest::writeBytes(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace zentrix::questionbank::testing

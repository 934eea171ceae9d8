#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/attempt/exam_assembly.h"
#include "engine/attempt/exam_attempt.h"
#include "memory_bank.h"
#include "scripted_random.h"

namespace zentrix::engine::testing {
namespace {

using questionbank::QVSimListInfo;
using Bank = MemoryBank<AttemptBank>;

std::vector<MixedExamEntry> examsOf(std::vector<int> counts) {
    std::vector<MixedExamEntry> exams;
    for (size_t i = 0; i < counts.size(); ++i) {
        exams.push_back({"C", "E" + std::to_string(i + 1), counts[i], 0, 0});
    }
    return exams;
}

std::vector<int> allocated(const std::vector<MixedExamEntry>& exams) {
    std::vector<int> out;
    for (const MixedExamEntry& e : exams) out.push_back(e.Allocated);
    return out;
}

TEST(MixedAllocation, SharesFollowTheExamSizesAndAddUpToTheTotal) {
    const struct {
        const char* name;
        std::vector<int> counts;
        int total;
        std::vector<int> expected;
    } cases[] = {
        {"shares 2, 2, 2 cut by what remains", {3, 3, 4}, 5, {2, 2, 1}},
        {"2.33 each, the rest to the last", {10, 10, 10}, 7, {2, 2, 3}},
        {"2.5 each goes to the even 2", {5, 5}, 5, {2, 3}},
        {"one exam", {12}, 5, {5}},
        {"an exam that cannot be opened gets nothing", {10, 0, 10}, 4, {2, 0, 2}},
        // The last exam cannot be opened while one question is still to be
        // allocated: an earlier exam with questions to spare gives it.
        {"the rest passes over an empty last exam", {10, 10, 0}, 5, {3, 2, 0}},
        // More questions asked than the course holds: every exam gives all it has.
        {"more than the exams hold", {3, 4}, 10, {3, 4}},
        {"nothing asked", {3, 4}, 0, {0, 0}},
        {"a damaged negative count is an exam without questions", {-4, 10}, 5, {0, 5}},
    };
    for (const auto& c : cases) {
        std::vector<MixedExamEntry> exams = examsOf(c.counts);
        AllocateMixedShares(exams, c.total);
        EXPECT_EQ(allocated(exams), c.expected) << c.name;
    }
    std::vector<MixedExamEntry> thirds = examsOf({10, 10, 10});
    AllocateMixedShares(thirds, 7);
    EXPECT_FLOAT_EQ(thirds[0].Share, 1.0f / 3.0f);
}

TEST(QuestionDraw, DrawsDistinctNumbersInDrawingOrder) {
    ScriptedRandom random({2, 0, 5, 1});
    // Pool 1..6: take position 2 (3), then 0 (1), then 5 mod 4 = 1 (4), then 1 (5).
    EXPECT_EQ(DrawQuestionNumbers(6, 4, random), (std::vector<int>{3, 1, 4, 5}));
    ClockSeededRandom clock;
    std::vector<int> all = DrawQuestionNumbers(50, 50, clock);
    std::sort(all.begin(), all.end());
    for (int i = 0; i < 50; ++i) EXPECT_EQ(all[static_cast<size_t>(i)], i + 1);
    EXPECT_EQ(DrawQuestionNumbers(3, 9, clock).size(), 3u) << "never more than the pool holds";
    EXPECT_TRUE(DrawQuestionNumbers(0, 2, clock).empty());
}

class AssemblyTest : public ::testing::Test {
protected:
    AssemblyTest() {
        bank.exams["NET1"] = {"Network Basics", NumberedQuestions("net1", 12), true, {}};
        bank.exams["NET2"] = {"Routing", NumberedQuestions("net2", 30), true, {}};
    }
    Bank bank;
    ManualExamClock clock;
    ScriptedRandom random;
};

TEST_F(AssemblyTest, SingleExamCutsTheRequestedCountIntoRange) {
    const struct {
        int requested;
        int expected;
    } cases[] = {{5, 5}, {12, 12}, {40, 12}, {0, 1}, {-3, 1}};
    for (const auto& c : cases) {
        ASSERT_EQ(bank.OpenTest("NET1"), 0);
        ExamAttempt attempt(bank, clock, random);
        EXPECT_EQ(attempt.StartSingle(ExamMode::OpenBook, "NET1", c.requested, true), c.expected)
            << c.requested;
        EXPECT_EQ(attempt.ItemCount(), c.expected);
    }
}

TEST_F(AssemblyTest, SingleExamInOrderTakesTheFirstQuestionsWithTheirTitles) {
    ASSERT_EQ(bank.OpenTest("NET2"), 0);
    ExamAttempt attempt(bank, clock, random);
    ASSERT_EQ(attempt.StartSingle(ExamMode::ClosedBook, "NET2", 4, false), 4);
    for (int i = 0; i < 4; ++i) {
        const QuestionAnswer& item = attempt.Items()[static_cast<size_t>(i)];
        EXPECT_EQ(item.QuestionNo, i + 1);
        EXPECT_EQ(item.QuestionTitle, "net2 " + std::to_string(i + 1));
        EXPECT_EQ(item.TestId, "NET2");
        EXPECT_EQ(item.QuestionId, -1) << "not shown yet";
        EXPECT_FALSE(item.Seen || item.Answered || item.Marked || item.Correct);
    }
    EXPECT_EQ(random.calls, 0);
    EXPECT_EQ(bank.Listener(), nullptr) << "reading the titles shows nothing";
    EXPECT_EQ(attempt.ShowFirstQuestion().kind, MoveResult::Shown);
    EXPECT_NE(bank.Listener(), nullptr);
    EXPECT_EQ(attempt.Current().QuestionId, Bank::idOf("NET2", 1));
}

TEST_F(AssemblyTest, SingleExamAtRandomTakesDistinctQuestions) {
    ASSERT_EQ(bank.OpenTest("NET2"), 0);
    ClockSeededRandom clockRandom;
    ExamAttempt attempt(bank, clock, clockRandom);
    ASSERT_EQ(attempt.StartSingle(ExamMode::OpenBook, "NET2", 30, true), 30);
    std::set<int> numbers;
    for (const QuestionAnswer& item : attempt.Items()) {
        numbers.insert(item.QuestionNo);
        EXPECT_EQ(item.QuestionTitle, "net2 " + std::to_string(item.QuestionNo));
    }
    EXPECT_EQ(numbers.size(), 30u);
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), 30);
}

// A course tree as the catalogue lists it: the course row, its exams, its
// mixed-exam row, then a blank row and another course.
std::vector<QVSimListInfo> treeRows(const std::vector<std::string>& exams) {
    std::vector<QVSimListInfo> rows;
    auto add = [&rows](const std::string& course, const std::string& test, unsigned char kind) {
        QVSimListInfo row;
        row.CourseId = course;
        row.TestId = test;
        row.Title = test.empty() ? course : test;
        row.NodeKind = kind;
        row.RowIndex = static_cast<int>(rows.size());
        rows.push_back(row);
    };
    add("OTHER", "", questionbank::kCourseRow);
    add("OTHER", "X1", questionbank::kExamRow);
    add("", "", questionbank::kCourseRow);
    add("MIX", "", questionbank::kCourseRow);
    for (const std::string& exam : exams) add("MIX", exam, questionbank::kExamRow);
    add("MIX", "", questionbank::kMixedRow);
    return rows;
}

class MixedAssemblyTest : public ::testing::Test {
protected:
    void course(int numQ, const std::vector<std::pair<std::string, int>>& exams) {
        bank.courses["MIX"] = {
            "MIX", "Mixed course", "", static_cast<int>(exams.size()), "0:30      ", numQ};
        names.clear();
        for (const auto& [id, count] : exams) {
            bank.exams[id] = {id + " title", NumberedQuestions(id, count), true, {}};
            names.push_back(id);
        }
    }
    int mixedRow() const { return static_cast<int>(treeRows(names).size()) - 1; }
    MixedExamAssembly assemble(RandomSource& source) {
        ExamAttempt attempt(bank, clock, source);
        MixedExamAssembly result = attempt.StartMixed(treeRows(names), mixedRow());
        items = attempt.Items();
        timeLimit = attempt.TimeLimit();
        return result;
    }
    std::map<std::string, int> itemsPerExam() const {
        std::map<std::string, int> count;
        for (const QuestionAnswer& item : items) ++count[item.TestId];
        return count;
    }

    Bank bank;
    ManualExamClock clock;
    std::vector<std::string> names;
    ExamItems items;
    std::string timeLimit;
};

TEST_F(MixedAssemblyTest, DrawsEachExamsShareAndInterleavesThem) {
    course(7, {{"A", 10}, {"B", 10}, {"C", 10}});
    ClockSeededRandom source;
    const MixedExamAssembly result = assemble(source);
    ASSERT_TRUE(result.assembled);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(itemsPerExam(), (std::map<std::string, int>{{"A", 2}, {"B", 2}, {"C", 3}}));
    std::set<std::pair<std::string, int>> distinct;
    for (const QuestionAnswer& item : items) {
        EXPECT_TRUE(item.QuestionTitle.empty()) << "titles come when first shown";
        EXPECT_GE(item.QuestionNo, 1);
        EXPECT_LE(item.QuestionNo, 10);
        distinct.insert({item.TestId, item.QuestionNo});
    }
    EXPECT_EQ(distinct.size(), 7u);
    EXPECT_EQ(timeLimit, "0:30      ");
    EXPECT_FALSE(bank.IsOpen()) << "each exam is opened to count it and closed again";
    EXPECT_EQ(bank.opened, (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(MixedAssemblyTest, ShuffleTakesTheDrawnEntriesInScriptedOrder) {
    course(4, {{"A", 2}, {"B", 2}});
    // Draws: A takes position 1 (2), then the last one left (1) without a
    // draw; B takes 0 (1), then 2. Shuffle over [A2, A1, B1, B2]:
    // 3 -> B2, 0 -> A2, 1 -> B1, 0 -> A1.
    ScriptedRandom source({1, 0, 3, 0, 1, 0});
    const MixedExamAssembly result = assemble(source);
    ASSERT_TRUE(result.assembled);
    std::vector<std::pair<std::string, int>> order;
    for (const QuestionAnswer& item : items) order.push_back({item.TestId, item.QuestionNo});
    EXPECT_EQ(order,
              (std::vector<std::pair<std::string, int>>{{"B", 2}, {"A", 2}, {"B", 1}, {"A", 1}}));
    EXPECT_EQ(source.reseeds, 2) << "each exam's draw is reseeded";
}

TEST_F(MixedAssemblyTest, AnExamThatCannotBeOpenedCountsWithNoQuestions) {
    course(5, {{"A", 10}, {"B", 10}, {"C", 10}});
    bank.exams["C"].opens = false;  // the last exam: the rest of the share passes back
    ClockSeededRandom source;
    const MixedExamAssembly result = assemble(source);
    ASSERT_TRUE(result.assembled);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.exams[2].QuestionCount, 0);
    EXPECT_EQ(itemsPerExam(), (std::map<std::string, int>{{"A", 3}, {"B", 2}}));
}

TEST_F(MixedAssemblyTest, MoreQuestionsAskedThanHeldTakesAllAndSaysSo) {
    course(10, {{"A", 3}, {"B", 4}});
    ClockSeededRandom source;
    const MixedExamAssembly result = assemble(source);
    ASSERT_TRUE(result.assembled) << "the learner takes the 7 questions there are";
    EXPECT_EQ(result.messages, (std::vector<AttemptMessage>{{false, kSortingErrorMessage}}));
    EXPECT_EQ(items.size(), 7u);
    EXPECT_EQ(itemsPerExam(), (std::map<std::string, int>{{"A", 3}, {"B", 4}}));
}

TEST_F(MixedAssemblyTest, RefusalsGoBackToTheMainScreenWithTheirMessage) {
    const struct {
        const char* name;
        int numQ;
        std::vector<std::pair<std::string, int>> exams;
        bool allUnopenable;
        int row;  // -1: the mixed row
        const char* message;
    } cases[] = {
        {"an exam row instead of the mixed row", 5, {{"A", 3}}, false, 4, kNotAMixedExamMessage},
        {"a row past the tree", 5, {{"A", 3}}, false, 99, kNotAMixedExamMessage},
        {"a course without exams", 5, {}, false, -1, kNoExamsMessage},
        {"exams that cannot be opened",
         5,
         {{"A", 3}, {"B", 2}},
         true,
         -1,
         kNoQuestionsToDrawMessage},
        {"exams without questions", 5, {{"A", 0}}, false, -1, kNoQuestionsToDrawMessage},
        {"no questions asked", 0, {{"A", 3}}, false, -1, kNoQuestionsToDrawMessage},
    };
    for (const auto& c : cases) {
        bank.exams.clear();
        course(c.numQ, c.exams);
        if (c.allUnopenable) {
            for (auto& [id, exam] : bank.exams) exam.opens = false;
        }
        ClockSeededRandom source;
        ExamAttempt attempt(bank, clock, source);
        const MixedExamAssembly result =
            attempt.StartMixed(treeRows(names), c.row < 0 ? mixedRow() : c.row);
        EXPECT_FALSE(result.assembled) << c.name;
        EXPECT_EQ(result.messages, (std::vector<AttemptMessage>{{false, c.message}})) << c.name;
        EXPECT_EQ(attempt.ItemCount(), 0) << c.name;
    }
}

TEST_F(MixedAssemblyTest, MixedRowWithoutItsCourseRowCannotBeSorted) {
    course(5, {{"A", 3}});
    std::vector<QVSimListInfo> rows = treeRows(names);
    rows.erase(rows.begin() + 3);  // the MIX course row
    ClockSeededRandom source;
    ExamAttempt attempt(bank, clock, source);
    const MixedExamAssembly result = attempt.StartMixed(rows, static_cast<int>(rows.size()) - 1);
    EXPECT_FALSE(result.assembled);
    EXPECT_EQ(result.messages, (std::vector<AttemptMessage>{{false, kCourseNotFoundMessage}}));
}

}  // namespace
}  // namespace zentrix::engine::testing

// Adding, renumbering and deleting questions and answer rows, and the
// exam-record check that guards every writer.

#include <gtest/gtest.h>

#include "bank_fixture.h"

namespace zentrix::questionbank::testing {
namespace {

using Authoring = BankTest;

// Titles of questions 1..count in NUM order.
std::vector<std::string> titlesInOrder(TTesting& b) {
    std::vector<std::string> titles;
    for (int n = 1; n <= b.QuestionCount(); ++n) {
        EXPECT_EQ(0, b.GoToTestQuestion(n)) << n;
        titles.push_back(b.GetTestQuestionTitle());
    }
    return titles;
}

struct MoveCase {
    const char* name;
    int from, to;
    int result;                       // what ChangeQuestionNumber gives
    std::vector<std::string> titles;  // afterwards, in NUM order
};

class MoveQuestion : public BankTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveQuestion, ClosesTheGapAndKeepsInvariants) {
    const MoveCase& c = GetParam();
    addExam("C1", "E1", numberedQuestions(5));
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    EXPECT_EQ(c.result, b.ChangeQuestionNumber(c.from, c.to)) << b.LastError();
    if (c.result != 0) {
        EXPECT_FALSE(b.LastError().empty());
    }
    EXPECT_EQ(c.titles, titlesInOrder(b));
    expectQuestionInvariants();
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveQuestion,
    ::testing::Values(MoveCase{"FiveToTwo", 5, 2, 0, {"Q1", "Q5", "Q2", "Q3", "Q4"}},
                      MoveCase{"TwoToFive", 2, 5, 0, {"Q1", "Q3", "Q4", "Q5", "Q2"}},
                      MoveCase{"FirstToLast", 1, 5, 0, {"Q2", "Q3", "Q4", "Q5", "Q1"}},
                      MoveCase{"Neighbours", 3, 4, 0, {"Q1", "Q2", "Q4", "Q3", "Q5"}},
                      MoveCase{"SamePlace", 3, 3, 0, {"Q1", "Q2", "Q3", "Q4", "Q5"}},
                      MoveCase{"BeyondCount", 2, 6, -1, {"Q1", "Q2", "Q3", "Q4", "Q5"}},
                      MoveCase{"ToZero", 2, 0, -1, {"Q1", "Q2", "Q3", "Q4", "Q5"}},
                      MoveCase{"FromMissing", 9, 2, -1, {"Q1", "Q2", "Q3", "Q4", "Q5"}}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return info.param.name; });

TEST_F(Authoring, MoveLeavesTheCursorOnTheMovedQuestion) {
    addExam("C1", "E1", numberedQuestions(5));
    ASSERT_EQ(0, bank().OpenTest("E1"));
    ASSERT_EQ(0, bank().ChangeQuestionNumber(5, 2));
    EXPECT_EQ("Q5", bank().GetTestQuestionTitle());
    EXPECT_EQ(2, bank().QuestionInfo().NUM);
}

struct DeleteCase {
    const char* name;
    int number;
    std::vector<std::string> titles;
    std::string cursorTitle;
};

class DeleteQuestion : public BankTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteQuestion, RenumbersTheRestAndMovesTheCursor) {
    const DeleteCase& c = GetParam();
    addExam("C1", "E1", numberedQuestions(4));
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.DeleteTestQuestion(c.number));
    EXPECT_EQ(3, b.QuestionCount());
    EXPECT_EQ(c.cursorTitle, b.GetTestQuestionTitle());
    EXPECT_EQ(c.titles, titlesInOrder(b));
    expectQuestionInvariants();
    // The count is stored, not only cached.
    b.CloseTest();
    closeBank();
    ASSERT_EQ(0, bank().OpenTest("E1"));
    EXPECT_EQ(3, bank().QuestionCount());
}

INSTANTIATE_TEST_SUITE_P(Deletes, DeleteQuestion,
                         ::testing::Values(DeleteCase{"First", 1, {"Q2", "Q3", "Q4"}, "Q2"},
                                           DeleteCase{"Middle", 2, {"Q1", "Q3", "Q4"}, "Q3"},
                                           DeleteCase{"Last", 4, {"Q1", "Q2", "Q3"}, "Q3"}),
                         [](const ::testing::TestParamInfo<DeleteCase>& info) {
                             return info.param.name;
                         });

TEST_F(Authoring, OnlyQuestionIsNotDeleted) {
    addExam("C1", "E1", numberedQuestions(1));
    ASSERT_EQ(0, bank().OpenTest("E1"));
    bank().DeleteTestQuestion(1);
    EXPECT_EQ(1, bank().QuestionCount());
    EXPECT_EQ(1u, questionRecords().size());
}

TEST_F(Authoring, NewQuestionsAfterDeletionsNeverReuseAnIdentifier) {
    addExam("C1", "E1", numberedQuestions(3));
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.DeleteTestQuestion(3));
    ASSERT_EQ(0, b.DeleteTestQuestion(1));
    ASSERT_EQ(0, b.NewTestQuestion());
    EXPECT_EQ(4, b.QuestionInfo().ID);
    EXPECT_EQ(2, b.QuestionInfo().NUM);
    EXPECT_EQ(kSingleChoice, b.QuestionInfo().TYPE);
    EXPECT_EQ(1, b.QuestionInfo().NUMANSWER);
    EXPECT_EQ(5, b.AddTestQuestion(3, kTrueFalse, "added", "text", 0, "FALSE", "", "", "", 0));
    EXPECT_EQ(6, b.OpenInfo().NEXTID);
    expectQuestionInvariants();
}

TEST_F(Authoring, NextIdBelowAnIdentifierInUseIsRaisedAtOpen) {
    addExam("C1", "E1", numberedQuestions(3));
    ASSERT_EQ(0, bank().OpenTest("E1"));
    ASSERT_EQ(0, bank().ChangeGlobalCrap(3, 2));  // damage: NEXTID 2 while IDs 1..3 exist
    bank().CloseTest();
    ASSERT_EQ(0, bank().OpenTest("E1"));
    EXPECT_EQ(4, bank().AddTestQuestion(4, kTrueFalse, "t", "q", 0, "TRUE", "", "", "", 0));
    expectQuestionInvariants();
}

TEST_F(Authoring, ChangeCurrentQuestionRewritesItsFields) {
    addExam("C1", "E1", numberedQuestions(2));
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.GoToTestQuestion(2));
    ASSERT_EQ(0, b.ChangeCurrentTestQuestionInfo(2, kMultipleChoice, "new", "new text", 3, "6", "h",
                                                 "r", "g.gif", 4));
    b.CloseTest();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.GoToTestQuestion(2));
    const TestQuestionInfo& q = b.QuestionInfo();
    EXPECT_EQ(2, q.ID);
    EXPECT_EQ(kMultipleChoice, q.TYPE);
    EXPECT_EQ("new", q.TITLE);
    EXPECT_EQ("6    ", q.ANSWER);
    EXPECT_EQ("g.gif", q.GRAPHIC);
    EXPECT_EQ(4, q.CaseID);
}

struct StepCase {
    const char* name;
    int from, to;
    std::vector<std::string> rows;  // rows 1..4 afterwards
};

class MoveStep : public BankTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(MoveStep, ClosesTheGapAmongTheRows) {
    const StepCase& c = GetParam();
    addExam("C1", "E1", {{kSimulation, "Sim", "t", {"s1", "s2", "s3", "s4"}, ""}});
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.GoToTestQuestion(1));
    b.ChangeStepNumber(c.from, c.to);
    std::vector<std::string> rows;
    for (int i = 1; i <= 4; ++i) rows.push_back(b.GetAnswerText(i));
    EXPECT_EQ(c.rows, rows);
}

INSTANTIATE_TEST_SUITE_P(Steps, MoveStep,
                         ::testing::Values(StepCase{"FourToOne", 4, 1, {"s4", "s1", "s2", "s3"}},
                                           StepCase{"OneToThree", 1, 3, {"s2", "s3", "s1", "s4"}},
                                           StepCase{"BeyondCount", 1, 5, {"s1", "s2", "s3", "s4"}},
                                           StepCase{"MissingRow", 7, 2, {"s1", "s2", "s3", "s4"}}),
                         [](const ::testing::TestParamInfo<StepCase>& info) {
                             return info.param.name;
                         });

TEST_F(Authoring, DeletingAnAnswerRowRenumbersTheRest) {
    addExam("C1", "E1", {{kSingleChoice, "Q", "t", {"a", "b", "c"}, "1"}});
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.GoToTestQuestion(1));
    ASSERT_EQ(0, b.DeleteTestQuestionXtra(1));
    EXPECT_EQ(2, b.QuestionInfo().NUMANSWER);
    EXPECT_EQ("b", b.GetAnswerText(1));
    EXPECT_EQ("c", b.GetAnswerText(2));
    EXPECT_EQ("", b.GetAnswerText(3));
    ASSERT_EQ(0, b.SetTestQuestionXtraIndex(1, 2, 7));
    EXPECT_EQ("c", b.GetAnswerText(7));
    ASSERT_EQ(0, b.GoToTestQuestion(1));
    EXPECT_EQ(2, b.QuestionInfo().NUMANSWER) << "stored, not only cached";
    ASSERT_EQ(0, b.DeleteTestQuestionXtra(1));
    EXPECT_EQ(1, b.QuestionInfo().NUMANSWER);
    EXPECT_EQ(0, b.DeleteTestQuestionXtra(1)) << "the only row stays";
    EXPECT_EQ(1, b.QuestionInfo().NUMANSWER);
}

TEST_F(Authoring, WritersDoNothingWhenTheExamRecordIsNotCurrent) {
    addExam("C1", "E1", numberedQuestions(2));
    addExam("C1", "E2", numberedQuestions(2));
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.GoToTestQuestion(1));
    b.GetGTest_Title("E2");  // moves the exam table to another record
    EXPECT_EQ(-1, b.AddTestQuestion(3, kTrueFalse, "t", "q", 0, "TRUE", "", "", "", 0));
    EXPECT_EQ(-1, b.NewTestQuestion());
    EXPECT_EQ(-1, b.SetTestQuestionXtra(1, 1, "x"));
    EXPECT_EQ(-1, b.SetOpenTitle("x"));
    EXPECT_EQ(-1, b.ChangeGlobalCrap(9, 9));
    EXPECT_EQ(-1, b.DeleteTestQuestion(1));
    EXPECT_EQ("", b.GetTestQuestionXtra(1, 1));
    EXPECT_EQ("E2 title", b.GetGTest_Title("E2"));
    b.CloseTest();
    EXPECT_EQ(-1, b.SetOpenTitle("x")) << "no exam open";

    ASSERT_EQ(0, b.OpenTest("E1"));
    EXPECT_EQ("a1", b.GetTestQuestionXtra(1, 1));
    EXPECT_EQ(2, b.QuestionCount());
}

TEST_F(Authoring, CatalogueFieldsOfTheOpenExam) {
    addExam("C1", "E1", numberedQuestions(1));
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.SetOpenTitle("Title 2"));
    ASSERT_EQ(0, b.SetDescription("Descr 2"));
    ASSERT_EQ(0, b.SetOpenId("E9"));
    EXPECT_EQ("E9        ", b.OpenInfo().PRODID);
    EXPECT_EQ(0, b.SetOpenPath("")) << "renaming keeps the exam writable";
    b.CloseTest();
    EXPECT_EQ("Title 2", b.GetGTest_Title("E9"));
    EXPECT_EQ("Descr 2", b.GetTestDescription("E9"));
    EXPECT_FALSE(b.TestExists("E1"));
}

TEST_F(Authoring, TitleListingAndRawDump) {
    addExam("C1", "E1", numberedQuestions(3));
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.ChangeQuestionNumber(3, 1));
    std::vector<std::string> titles;
    b.OnTitle = {[](void* c, const std::string& t, int n) {
                     static_cast<std::vector<std::string>*>(c)->push_back(std::to_string(n) + t);
                 },
                 &titles};
    ASSERT_EQ(0, b.GoToTestQuestion(1));  // NUM order
    b.ListTestTitles();
    EXPECT_EQ((std::vector<std::string>{"1Q3", "2Q1", "3Q2"}), titles);
    EXPECT_EQ((std::vector<NumAndId>{{2, 1}, {3, 2}, {1, 3}}), questionRecords());
}

TEST_F(Authoring, DeleteRecordsAndPackRemoveRecords) {
    addExam("C1", "E1", numberedQuestions(4));
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.DeleteTestQuestion(2));
    ASSERT_EQ(0, b.PackDatabases());
    expectQuestionInvariants();
    EXPECT_EQ(0, b.SetOpenTitle("still writable after pack"));
    ASSERT_EQ(0, b.DeleteRecords(1, 2));
    EXPECT_EQ((std::vector<NumAndId>{{3, 4}}), questionRecords());
    EXPECT_EQ(-1, b.DeleteRecords(5, 9));
    EXPECT_EQ(-1, b.DeleteRecords(2, 1));
}

}  // namespace
}  // namespace zentrix::questionbank::testing

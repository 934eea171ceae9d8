// Construction, the course and exam catalogue and its tree listing.

#include <gtest/gtest.h>

#include <filesystem>

#include "bank_fixture.h"
#include "questionbank/bank_layout.h"

namespace zentrix::questionbank::testing {
namespace {

using Catalogue = BankTest;

TEST_F(Catalogue, NewFolderGetsEmptyTablesAndListsNothing) {
    ASSERT_TRUE(bank().IsValid()) << bank().LastError();
    EXPECT_TRUE(std::filesystem::exists(path("gtest.dbf")));
    EXPECT_TRUE(std::filesystem::exists(path("ptest.dbf")));
    EXPECT_TRUE(sink_.messages.empty());

    int begins = 0, ends = 0;
    bank().OnSelectBegin = {[](void* c) { ++*static_cast<int*>(c); }, &begins};
    bank().OnSelectEnd = {[](void* c) { ++*static_cast<int*>(c); }, &ends};
    EXPECT_TRUE(list(true, true).empty());
    EXPECT_EQ(1, begins);
    EXPECT_EQ(1, ends);
    EXPECT_EQ(0, bank().GetParentIdCount());
    EXPECT_EQ("", bank().GetParentId(1));
}

TEST_F(Catalogue, DamagedTableIsReportedAndLeftAlone) {
    const std::string garbage = "this is not a dBase table at all";
    writeBytes(path("gtest.dbf"), garbage);
    TTesting& b = bank();
    EXPECT_FALSE(b.IsValid());
    ASSERT_EQ(1u, sink_.messages.size());
    EXPECT_NE(std::string::npos, sink_.messages[0].find("gtest.dbf")) << sink_.messages[0];
    EXPECT_EQ(garbage, readBytes(path("gtest.dbf")));
    // Inert: nothing listed, nothing found, nothing added.
    EXPECT_TRUE(list(true, false).empty());
    EXPECT_EQ(-1, b.AddParent("C1", "t", "d", "1:00", 5));
    EXPECT_EQ(-1, b.OpenTest("X"));
    closeBank();
    EXPECT_EQ(garbage, readBytes(path("gtest.dbf")));
}

TEST_F(Catalogue, OldCourseTableWithoutTimeIsReportedOnce) {
    {
        auto created = engine_.create(path("ptest.dbf"),
                                      {{"ID", 'C', 10, 0},
                                       {"TITLE", 'M', 10, 0},
                                       {"DESCRIP", 'M', 10, 0},
                                       {"NUM", 'N', 4, 0}},
                                      {{"ID", "ID", layout::kLiveRecords}});
        ASSERT_TRUE(created.isOk()) << created.message();
        ASSERT_TRUE(created.value()->appendBlank().isOk());
        ASSERT_TRUE(created.value()->assign(created.value()->field("ID"), "OLD").isOk());
        ASSERT_TRUE(created.value()->commit().isOk());
    }
    TTesting& b = bank();
    EXPECT_FALSE(b.IsValid());
    ASSERT_EQ(
        std::vector<std::string>{
            "this is an old database file that doesn't have time and NumQ, please Close "
            "this app and contact Ferrin!"},
        sink_.messages);
    EXPECT_TRUE(list(true, false).empty());
    EXPECT_FALSE(b.ParentExists("OLD"));
    EXPECT_EQ(0, b.GetParentIdCount());
}

struct LinkCase {
    bool topLevel;
    int i, n;
    unsigned char state;
};

TEST(TreeLinkState, FollowsSiblingPosition) {
    const LinkCase cases[] = {{true, 1, 3, 1}, {false, 1, 3, 1}, {true, 1, 1, 0}, {false, 1, 1, 3},
                              {true, 1, 0, 0}, {false, 2, 2, 3}, {true, 3, 3, 3}, {false, 2, 3, 2}};
    for (const LinkCase& c : cases) {
        EXPECT_EQ(c.state, TTesting::TreeLinkState(c.topLevel, c.i, c.n))
            << "top " << c.topLevel << " i " << c.i << " n " << c.n;
    }
    EXPECT_EQ(2, TTesting::DerivedLinkState(1));
    EXPECT_EQ(0, TTesting::DerivedLinkState(3));
    EXPECT_EQ(0, TTesting::DerivedLinkState(0));
    EXPECT_EQ(2, TTesting::DerivedLinkState(2));
}

TEST_F(Catalogue, OneCourseOneExamWithMixedRow) {
    addExam("C1", "E1", numberedQuestions(2));
    const std::vector<QVSimListInfo> rows = list(true, false);
    const std::vector<QVSimListInfo> expected = {
        {"C1", "", "C1 title", kCourseRow, 0, 0, 0, 0, 0},
        {"C1", "E1", "E1 title", kExamRow, 0, 2, 0, 0, 1},
        {"C1", "", "Zentrix for C1 title", kMixedRow, 0, 3, 0, 0, 2},
    };
    ASSERT_EQ(expected.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(expected[i].CourseId, rows[i].CourseId) << i;
        EXPECT_EQ(expected[i].TestId, rows[i].TestId) << i;
        EXPECT_EQ(expected[i].Title, rows[i].Title) << i;
        EXPECT_EQ(expected[i].NodeKind, rows[i].NodeKind) << i;
        EXPECT_EQ(expected[i].pPS, rows[i].pPS) << i;
        EXPECT_EQ(expected[i].gPS, rows[i].gPS) << i;
        EXPECT_EQ(expected[i].RowIndex, rows[i].RowIndex) << i;
    }
}

TEST_F(Catalogue, TwoCoursesAreSeparatedAndRowIndexIsPosition) {
    addExam("C1", "E1", numberedQuestions(1));
    addExam("C1", "E2", numberedQuestions(1));
    addExam("C2", "E3", numberedQuestions(1));
    const std::vector<QVSimListInfo> rows = list(true, false);
    // course 1, E1, E2, mixed, separator, course 2, E3, mixed
    ASSERT_EQ(8u, rows.size());
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(static_cast<int>(i), rows[i].RowIndex);
    EXPECT_EQ(1, rows[0].pPS);  // first of two courses
    EXPECT_EQ(1, rows[1].gPS);  // first of two exams
    EXPECT_EQ(2, rows[2].gPS);  // last exam, but the mixed row follows
    EXPECT_EQ(kMixedRow, rows[3].NodeKind);
    EXPECT_EQ(2, rows[3].pPS);  // derived from 1
    EXPECT_EQ("", rows[4].CourseId);
    EXPECT_EQ("", rows[4].Title);
    EXPECT_EQ(2, rows[4].pPS);  // separator carries the previous course's derived status
    EXPECT_EQ("C2", rows[5].CourseId);
    EXPECT_EQ(3, rows[5].pPS);  // last course
    EXPECT_EQ(0, rows[6].pPS);  // derived from 3

    const std::vector<QVSimListInfo> plain = list(false, false);
    ASSERT_EQ(6u, plain.size());
    EXPECT_EQ(3, plain[2].gPS);  // without a mixed row the last exam is last
}

TEST_F(Catalogue, QuestionRowsListTitledQuestionsAndCloseTheExam) {
    std::vector<QuestionSpec> questions = numberedQuestions(3);
    questions[1].title = "";  // listed only by title
    addExam("C1", "E1", questions);
    ASSERT_EQ(0, bank().OpenTest("E1"));
    const std::vector<QVSimListInfo> rows = list(false, true);
    EXPECT_FALSE(bank().IsOpen());
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ("Question:    1 - Q1", rows[2].Title);
    EXPECT_EQ(kQuestionRow, rows[2].NodeKind);
    EXPECT_EQ(1, rows[2].QuestionNo);
    EXPECT_EQ(1, rows[2].qPS);
    EXPECT_EQ("Question:    3 - Q3", rows[3].Title);
    EXPECT_EQ(3, rows[3].QuestionNo);
    EXPECT_EQ(2, rows[3].qPS);  // second titled of three counted questions
}

TEST_F(Catalogue, CourseLookupsAndRecords) {
    TTesting& b = bank();
    ASSERT_EQ(0, b.AddParent("C1", "Course one", "About one", "1:30", 25));
    EXPECT_TRUE(b.ParentExists("C1"));
    EXPECT_FALSE(b.ParentExists("C2"));
    EXPECT_EQ("Course one", b.GetParentTitle("C1"));
    EXPECT_EQ("About one", b.GetParentDescription("C1"));
    EXPECT_EQ("1:30 ", b.GetParent_TestTime("C1"));
    EXPECT_EQ("", b.GetParentTitle("nope"));
    EXPECT_EQ(0, b.GetParentNum("nope"));

    ParentInfoStruct info;
    info.Id = "C1";
    b.GetParentInfo(info);
    EXPECT_EQ("Course one", info.Title);
    EXPECT_EQ(25, info.NumQ);
    EXPECT_EQ(0, info.Num);
    info.Id = "missing";
    b.GetParentInfo(info);
    EXPECT_EQ("bad", info.Id);

    // Courses added after construction are not in the identifier list.
    EXPECT_EQ(0, b.GetParentIdCount());
    closeBank();
    EXPECT_EQ(1, bank().GetParentIdCount());
    EXPECT_EQ("C1", bank().GetParentId(1));
    EXPECT_EQ("", bank().GetParentId(0));
    EXPECT_EQ("", bank().GetParentId(2));
}

TEST_F(Catalogue, AddTestCountsAndRenamesFollowChangeParentIds) {
    addExam("C1", "E1", numberedQuestions(3), "e1/");
    addExam("C1", "E2", numberedQuestions(1), "e2/");
    TTesting& b = bank();
    EXPECT_EQ(2, b.GetParentNum("C1"));
    EXPECT_EQ(1, b.CountRecords(1));
    EXPECT_EQ(2, b.CountRecords(2, "C1"));
    EXPECT_EQ(3, b.CountRecords(3, "E1"));
    EXPECT_EQ(0, b.CountRecords(3, "nope"));
    EXPECT_EQ(0, b.CountRecords(9, "C1"));
    EXPECT_TRUE(std::filesystem::exists(path("e1/E1.dbf")));
    EXPECT_TRUE(std::filesystem::exists(path("e1/E1X.dbf")));

    // Renaming the course leaves its exams behind until ChangeParentIds.
    ParentInfoStruct info;
    info.Id = "C1";
    b.GetParentInfo(info);
    info.Id = "NEWC";
    b.SetParentInfo(info, "C1");
    EXPECT_TRUE(b.ParentExists("NEWC"));
    EXPECT_EQ(0, b.CountRecords(2, "NEWC"));
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.ChangeParentIds("C1", "NEWC"));
    EXPECT_EQ(2, b.CountRecords(2, "NEWC"));
    EXPECT_EQ(0, b.CountRecords(2, "C1"));
    // The open exam's record is current again afterwards: writers work.
    EXPECT_EQ(0, b.SetOpenTitle("renamed"));
    EXPECT_EQ("renamed", b.GetGTest_Title("E1"));
}

TEST_F(Catalogue, ExamFoldersOutsideTheBankAreRefused) {
    TTesting& b = bank();
    ASSERT_EQ(0, b.AddParent("C1", "t", "", "1:00", 1));
    for (const char* folder : {"../outside/", "/tmp/outside/", "C:\\outside\\"}) {
        EXPECT_EQ(-1, b.AddTest("E1", "C1", folder, "E1", "t")) << folder;
        EXPECT_FALSE(b.TestExists("E1"));
    }
    EXPECT_EQ(-1, b.AddTest("E1", "C1", "", "sub/E1", "t")) << "table name with a folder";
    EXPECT_FALSE(std::filesystem::exists(path("../outside")));
    EXPECT_EQ(0, b.GetParentNum("C1"));
}

TEST_F(Catalogue, AddTestOverADamagedTableAddsNothing) {
    const std::string garbage = "a damaged question table";
    writeBytes(path("e1/E1.dbf"), garbage);
    TTesting& b = bank();
    ASSERT_EQ(0, b.AddParent("C1", "t", "", "1:00", 1));
    EXPECT_EQ(-1, b.AddTest("E1", "C1", "e1/", "E1", "t"));
    EXPECT_FALSE(b.TestExists("E1"));
    EXPECT_EQ(0, b.GetParentNum("C1"));
    EXPECT_EQ(garbage, readBytes(path("e1/E1.dbf")));
}

TEST_F(Catalogue, ChangeParentIdsToAnIdentifierTheFieldCutsBackEnds) {
    addExam("ABCDEFGHIJ", "E1", numberedQuestions(1));
    EXPECT_EQ(0, bank().ChangeParentIds("ABCDEFGHIJ", "ABCDEFGHIJK"));
}

TEST_F(Catalogue, ListTestTitlesWParentGivesEveryExamInRecordOrder) {
    addExam("C2", "E1", numberedQuestions(1));
    addExam("C1", "E2", numberedQuestions(1));
    std::vector<std::string> seen;
    bank().OnTestTitleWParent = {
        [](void* c, const std::string& title, const std::string& id, const std::string& parent) {
            static_cast<std::vector<std::string>*>(c)->push_back(title + "|" + id + "|" + parent);
        },
        &seen};
    bank().ListTestTitlesWParent();
    EXPECT_EQ((std::vector<std::string>{"E1 title|E1        |C2        ",
                                        "E2 title|E2        |C1        "}),
              seen);
}

TEST_F(Catalogue, CountRecordsOfAnotherExamLeavesTheOpenExamWritable) {
    addExam("C1", "E1", numberedQuestions(2));
    addExam("C1", "E2", numberedQuestions(4));
    ASSERT_EQ(0, bank().OpenTest("E1"));
    EXPECT_EQ(4, bank().CountRecords(3, "E2"));
    EXPECT_TRUE(bank().IsOpen());
    EXPECT_EQ(0, bank().SetDescription("still the open exam"));
    EXPECT_EQ("still the open exam", bank().GetTestDescription("E1"));
}

}  // namespace
}  // namespace zentrix::questionbank::testing

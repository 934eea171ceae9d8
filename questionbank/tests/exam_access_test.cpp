// Opening exams, the question cursor, answer rows, stored files and the
// random draw.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "bank_fixture.h"
#include "questionbank/bank_layout.h"
#include "questionbank/byte_memo.h"

namespace zentrix::questionbank::testing {
namespace {

namespace fs = std::filesystem;
using ExamAccess = BankTest;

struct SeenQuestion {
    int calls = 0;
    TestQuestionInfo info;
};

void recordQuestion(void* context, int num, int id, int type, const std::string& title,
                    const std::string& question, int numAnswer, const std::string& answer,
                    const std::string& hint, const std::string& ref, const std::string& graphic,
                    int caseId) {
    auto* seen = static_cast<SeenQuestion*>(context);
    ++seen->calls;
    seen->info = {num, id, type, title, question, numAnswer, answer, hint, ref, graphic, caseId};
}

TEST_F(ExamAccess, CursorFiresOnQuestionWithElevenFieldsInOrder) {
    addExam("C1", "E1",
            {{kTrueFalse, "TF", "Is it?", {}, "TRUE"},
             {kMultipleChoice, "MC", "Which?", {"a", "b", "c"}, "5", 7, "pic.gif"}});
    TTesting& b = bank();
    SeenQuestion seen;
    b.OnQuestion = {&recordQuestion, &seen};
    ASSERT_EQ(0, b.OpenTest("E1"));
    EXPECT_EQ(0, seen.calls) << "opening fires nothing";
    EXPECT_EQ(2, b.QuestionCount());
    EXPECT_TRUE(b.HasCaseStudies());

    ASSERT_EQ(0, b.GoToTestQuestion(2));
    EXPECT_EQ(1, seen.calls);
    EXPECT_EQ(2, seen.info.NUM);
    EXPECT_EQ(2, seen.info.ID);
    EXPECT_EQ(kMultipleChoice, seen.info.TYPE);
    EXPECT_EQ("MC", seen.info.TITLE);
    EXPECT_EQ("Which?", seen.info.QUESTION);
    EXPECT_EQ(3, seen.info.NUMANSWER);
    EXPECT_EQ("5    ", seen.info.ANSWER);
    EXPECT_EQ("hint", seen.info.Hint);
    EXPECT_EQ("ref", seen.info.REF);
    EXPECT_EQ("pic.gif", seen.info.GRAPHIC);
    EXPECT_EQ(7, seen.info.CaseID);
    EXPECT_EQ("5", b.GetAnswerKey());
    EXPECT_EQ("b", b.GetAnswerText(2));
    EXPECT_EQ("", b.GetAnswerText(4));

    // Numbers that do not exist keep the previous question and fire nothing.
    for (int bad : {0, 3, -1, 100}) {
        EXPECT_EQ(-1, b.GoToTestQuestion(bad)) << bad;
        EXPECT_EQ(-1, b.GoToTestQuestionId(bad + 50)) << bad;
    }
    EXPECT_EQ(1, seen.calls);
    EXPECT_EQ("MC", b.GetTestQuestionTitle());

    ASSERT_EQ(0, b.GoToTestQuestionId(1));
    EXPECT_EQ("TRUE", b.GetAnswerText(1));
    EXPECT_EQ("FALSE", b.GetAnswerText(2));
    EXPECT_EQ("FALSE", b.GetAnswerText(7));
    EXPECT_EQ(1, b.GetCurrentId());
    b.CloseTest();
    EXPECT_FALSE(b.IsOpen());
}

TEST_F(ExamAccess, AnswerRowIsFoundByIndexWhateverItsPlace) {
    addExam("C1", "E1", {{kSingleChoice, "Q", "t", {}, "2"}});
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    // Rows written out of order.
    ASSERT_EQ(0, b.SetTestQuestionXtra(1, 3, "third"));
    ASSERT_EQ(0, b.SetTestQuestionXtra(1, 1, "first"));
    ASSERT_EQ(0, b.SetTestQuestionXtra(1, 2, "second"));
    ASSERT_EQ(0, b.SetTestQuestionXtra(1, 2, "second, changed"));
    ASSERT_EQ(0, b.GoToTestQuestion(1));
    EXPECT_EQ("first", b.GetAnswerText(1));
    EXPECT_EQ("second, changed", b.GetAnswerText(2));
    EXPECT_EQ("third", b.GetAnswerText(3));
    EXPECT_EQ("third", b.GetTestQuestionXtra(1, 3));
    EXPECT_EQ("", b.GetTestQuestionXtra(2, 1));
}

TEST_F(ExamAccess, MissingExamOrTablesFailAndLeaveNothingOpen) {
    addExam("C1", "E1", numberedQuestions(1), "e1/");
    TTesting& b = bank();
    EXPECT_EQ(-1, b.OpenTest("NOPE"));
    EXPECT_FALSE(b.IsOpen());
    fs::remove(path("e1/E1X.dbf"));
    EXPECT_EQ(-1, b.OpenTest("E1"));
    EXPECT_FALSE(b.IsOpen());
    fs::remove(path("e1/E1.dbf"));
    EXPECT_EQ(-1, b.OpenTest("E1"));
    EXPECT_FALSE(b.IsOpen());
}

TEST_F(ExamAccess, AQuestionTagThatCannotBeUsedRefusesTheExamAndNamesTheTag) {
    // The cursor and the identifiers handed out follow the NUM and ID tags:
    // walking the table in another order would open an exam whose every
    // move then fails.
    for (const char* tag : {"NUM", "ID"}) {
        SCOPED_TRACE(tag);
        addExam("C1", std::string("E") + tag, numberedQuestions(2), "e/", std::string("T") + tag);
        closeBank();
        // The tag's key expression starts its header's expression pool, 512
        // bytes into the header; a field that does not exist makes the tag
        // unusable while the table still has every field.
        const std::string cdx = path(std::string("e/T") + tag + ".cdx");
        std::string bytes = readBytes(cdx);
        const std::string key = std::string(tag) + '\0';
        bool patched = false;
        for (size_t at = 512; at + key.size() <= bytes.size(); at += 512) {
            if (bytes.compare(at, key.size(), key) != 0) continue;
            bytes.replace(at, 1, "Q");
            patched = true;
        }
        ASSERT_TRUE(patched);
        writeBytes(cdx, bytes);
        EXPECT_EQ(-1, bank().OpenTest(std::string("E") + tag));
        EXPECT_FALSE(bank().IsOpen());
        EXPECT_NE(bank().LastError().find(std::string("tag ") + tag), std::string::npos)
            << bank().LastError();
    }
}

TEST_F(ExamAccess, MixedCaseNamesOnDiskAreFound) {
    addExam("C1", "E1", numberedQuestions(2), "Net101\\", "Exam1");
    closeBank();
    fs::rename(path("Net101"), path("NET101"));
    for (const char* ext : {"dbf", "fpt", "cdx"}) {
        fs::rename(path(std::string("NET101/Exam1.") + ext),
                   path(std::string("NET101/EXAM1.") + ext));
    }
    ASSERT_EQ(0, bank().OpenTest("E1")) << bank().LastError();
    EXPECT_EQ(2, bank().QuestionCount());
    EXPECT_EQ("Net101\\", bank().ExamFolder());
}

TEST_F(ExamAccess, AlternativeTablesAreUsedOnlyWhenPreferredAndPresent) {
    addExam("C1", "E1", numberedQuestions(2), "e1/", "E1");
    addExam("C1", "E1Q", numberedQuestions(5), "e1/", "E1Q");  // lays the "Q" tables beside E1's
    TTesting& b = bank();
    int usedRegular = -1;
    ASSERT_EQ(0, b.OpenPrePostTest("E1", true, usedRegular));
    EXPECT_EQ(0, usedRegular);
    EXPECT_EQ(5, b.QuestionCount());
    ASSERT_EQ(0, b.OpenPrePostTest("E1", false, usedRegular));
    EXPECT_EQ(1, usedRegular);
    EXPECT_EQ(2, b.QuestionCount());

    addExam("C1", "E2", numberedQuestions(3), "e2/");
    ASSERT_EQ(0, b.OpenPrePostTest("E2", true, usedRegular));
    EXPECT_EQ(1, usedRegular);
    EXPECT_EQ(3, b.QuestionCount());
}

TEST_F(ExamAccess, ElevenFieldExamOpensWithoutCaseStudies) {
    addExam("C1", "E1", {}, "e1/");
    closeBank();
    std::vector<xbase::FieldSpec> fields = layout::questionFields();
    fields.pop_back();
    {
        auto table = engine_.create(path("e1/E1"), fields, layout::questionTags());
        ASSERT_TRUE(table.isOk()) << table.message();
        xbase::Table& t = *table.value();
        ASSERT_TRUE(t.appendBlank().isOk());
        ASSERT_TRUE(t.assignLong(t.field("NUM"), 1).isOk());
        ASSERT_TRUE(t.assignLong(t.field("ID"), 1).isOk());
        ASSERT_TRUE(t.assignMemo(t.field("TITLE"), "old style").isOk());
        ASSERT_TRUE(t.commit().isOk());
    }
    writeBytes(path("e1/E1c.DBF"), "a case table that is never opened");
    TTesting& b = bank();
    SeenQuestion seen;
    b.OnQuestion = {&recordQuestion, &seen};
    ASSERT_EQ(0, b.OpenTest("E1")) << b.LastError();
    EXPECT_FALSE(b.HasCaseStudies());
    EXPECT_FALSE(b.CaseTableOpen());
    ASSERT_EQ(0, b.GoToTestQuestion(1));
    EXPECT_EQ(0, seen.info.CaseID);
    EXPECT_EQ("old style", seen.info.TITLE);
    // Writers leave the absent field alone.
    EXPECT_GT(b.AddTestQuestion(2, kTrueFalse, "t", "q", 0, "TRUE", "", "", "", 9), 0);
}

TEST_F(ExamAccess, QuestionsWithoutTitleAndTextAreNotCounted) {
    addExam("C1", "E1", {{kSingleChoice, "", "", {}, "1"}, {kSingleChoice, " ", "", {}, "1"}});
    ASSERT_EQ(0, bank().OpenTest("E1"));
    EXPECT_EQ(0, bank().QuestionCount());
    EXPECT_EQ(-1, bank().GoToTestQuestion(1));
    std::vector<int> drawn{42};
    bank().RandomizeTestQuestions(drawn, 1);
    EXPECT_TRUE(drawn.empty());
}

TEST_F(ExamAccess, RandomDrawStaysWithinTheQuestions) {
    addExam("C1", "E1", numberedQuestions(20));
    TTesting& b = bank();
    std::vector<int> drawn;
    b.RandomizeTestQuestions(drawn, 5);
    EXPECT_TRUE(drawn.empty()) << "no exam open";
    ASSERT_EQ(0, b.OpenTest("E1"));
    struct DrawCase {
        int asked;
        size_t expected;
    };
    for (DrawCase c : {DrawCase{20, 20}, DrawCase{7, 7}, DrawCase{1, 1}, DrawCase{0, 0},
                       DrawCase{-3, 0}, DrawCase{500, 20}}) {
        b.RandomizeTestQuestions(drawn, c.asked);
        ASSERT_EQ(c.expected, drawn.size()) << c.asked;
        std::vector<int> sorted = drawn;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted.end(), std::adjacent_find(sorted.begin(), sorted.end())) << "distinct";
        for (int n : drawn) {
            EXPECT_GE(n, 1);
            EXPECT_LE(n, 20);
        }
        if (c.expected == 20) {
            EXPECT_EQ(20, sorted.back());
        }
    }
}

TEST_F(ExamAccess, StoredFilesComeBackAndAreWrittenOnlyWhenMissing) {
    addExam("C1", "E1", {{kSingleChoice, "Q", "t", {"a"}, "1", 0, "pics/ex1.gif"}}, "e1/");
    TTesting& b = bank();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.GoToTestQuestion(1));
    EXPECT_EQ("", b.GetGraphicData().value());
    EXPECT_FALSE(b.ExtractQuestionGraphic().isOk()) << "no stored copy and no file";

    const std::string bytes("GIF89a\0\1\2", 9);
    ASSERT_EQ(0, b.SetGraphicData(bytes));
    ASSERT_EQ(0, b.SetDefaultGraphic("cover.gif"));
    ASSERT_EQ(0, b.SetDefaultGraphicDT("cover bytes"));
    b.CloseTest();
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_EQ(0, b.GoToTestQuestion(1));
    EXPECT_EQ(bytes, b.GetGraphicData().value());
    EXPECT_EQ("cover.gif", b.GetDefaultGraphic());
    EXPECT_EQ("cover bytes", b.GetDefaultGraphicDT().value());
    ASSERT_TRUE(b.ExtractDefaultGraphic().isOk());
    EXPECT_EQ("cover bytes", readBytes(path("e1/cover.gif")));

    xbase::Result<std::string> written = b.ExtractQuestionGraphic();
    ASSERT_TRUE(written.isOk()) << written.message();
    EXPECT_EQ(bytes, readBytes(path("e1/pics/ex1.gif")));
    writeBytes(path("e1/pics/ex1.gif"), "edited on disk");
    ASSERT_TRUE(b.ExtractQuestionGraphic().isOk());
    EXPECT_EQ("edited on disk", readBytes(path("e1/pics/ex1.gif")));
}

TEST_F(ExamAccess, UnsafeQuestionFileNamesAreRefusedAndNothingIsWritten) {
    for (const char* name : {"../outside.gif", "/tmp/zentrix-outside.gif", "C:\\outside.gif"}) {
        closeBank();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        addExam("C1", "E1", {{kSingleChoice, "Q", "t", {"a"}, "1", 0, name}}, "e1/");
        TTesting& b = bank();
        ASSERT_EQ(0, b.OpenTest("E1"));
        ASSERT_EQ(0, b.GoToTestQuestion(1));
        ASSERT_EQ(0, b.SetGraphicData("bytes"));
        xbase::Result<std::string> written = b.ExtractQuestionGraphic();
        EXPECT_FALSE(written.isOk()) << name;
        EXPECT_NE(std::string::npos, written.message().find("file name")) << written.message();
        EXPECT_FALSE(fs::exists(path("outside.gif")));
        EXPECT_FALSE(fs::exists("/tmp/zentrix-outside.gif"));
    }
}

TEST_F(ExamAccess, DamagedStoredFileIsAnErrorNotACrash) {
    addExam("C1", "E1", {{kSingleChoice, "Q", "t", {"a"}, "1", 0, "ex.gif"}}, "e1/");
    closeBank();
    {
        auto table = engine_.open(path("e1/E1"));
        ASSERT_TRUE(table.isOk());
        xbase::Table& t = *table.value();
        ASSERT_TRUE(t.top());
        const std::string memo("\xff\xff\0\0short", 9);
        ASSERT_TRUE(t.assignMemoBytes(t.field("GRAPHICDT"), memo.data(), memo.size()).isOk());
        ASSERT_TRUE(t.commit().isOk());
    }
    ASSERT_EQ(0, bank().OpenTest("E1"));
    ASSERT_EQ(0, bank().GoToTestQuestion(1));
    EXPECT_FALSE(bank().GetGraphicData().isOk());
    EXPECT_FALSE(bank().ExtractQuestionGraphic().isOk());
    EXPECT_FALSE(fs::exists(path("e1/ex.gif")));
}

TEST_F(ExamAccess, CaseStudyTableIsOpenedAndSoughtByNumber) {
    addExam("C1", "E1", {{kSingleChoice, "Q", "t", {"a"}, "1", 12}}, "e1/");
    {
        std::vector<xbase::FieldSpec> fields = {{"RECID", 'N', 6, 0},
                                                {"COURSEID", 'C', 15, 0},
                                                {"TITLE", 'C', 30, 0},
                                                {"NOTABS", 'N', 3, 0}};
        for (int i = 1; i <= 10; ++i) fields.push_back({"TAB" + std::to_string(i), 'C', 15, 0});
        for (int i = 1; i <= 10; ++i)
            fields.push_back({"TAB" + std::to_string(i) + "MEMO", 'M', 10, 0});
        auto table = engine_.create(path("e1/E1c.DBF"), fields,
                                    {{"ID", "ALLTRIM(STR(RECID))", layout::kLiveRecords}});
        ASSERT_TRUE(table.isOk()) << table.message();
        xbase::Table& t = *table.value();
        for (int recid : {3, 12}) {
            ASSERT_TRUE(t.appendBlank().isOk());
            ASSERT_TRUE(t.assignLong(t.field("RECID"), recid).isOk());
            ASSERT_TRUE(t.assign(t.field("TITLE"), "Case " + std::to_string(recid)).isOk());
            ASSERT_TRUE(t.assignLong(t.field("NOTABS"), recid == 12 ? 2 : 99).isOk());
            ASSERT_TRUE(t.assign(t.field("TAB2"), "Network").isOk());
            ASSERT_TRUE(t.assignMemo(t.field("TAB2MEMO"), "{\\rtf1 text}").isOk());
            ASSERT_TRUE(t.commit().isOk());
        }
    }
    TTesting& b = bank();
    int closed = 0;
    b.OnCaseStudyClosed = {[](void* c) { ++*static_cast<int*>(c); }, &closed};
    ASSERT_EQ(0, b.OpenTest("E1"));
    ASSERT_TRUE(b.CaseTableOpen()) << b.LastError();
    xbase::Result<CaseStudy> study = b.CaseStudies().find(12);
    ASSERT_TRUE(study.isOk()) << study.message();
    EXPECT_EQ("Case 12", study.value().title);
    EXPECT_EQ(2, study.value().tabCount);
    EXPECT_EQ("Network", study.value().tabNames[1]);
    EXPECT_EQ("{\\rtf1 text}", study.value().tabTexts[1]);
    EXPECT_EQ(10, b.CaseStudies().find(3).value().tabCount) << "NOTABS is kept within 0..10";
    EXPECT_FALSE(b.CaseStudies().find(4).isOk());
    b.CloseTest();
    EXPECT_EQ(1, closed);
    EXPECT_FALSE(b.CaseTableOpen());
    EXPECT_FALSE(b.CaseStudies().isOpen());
}

}  // namespace
}  // namespace zentrix::questionbank::testing

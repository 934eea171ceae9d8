// The reports over a real question bank: the screen's OnQuestion handler
// never fires while a report reads questions, and the exam and question the
// attempt had open are current again afterwards.

#include "engine/reports/ttesting_report_bank.h"

#include <gtest/gtest.h>

#include "bank_fixture.h"
#include "engine/reports/certificate.h"
#include "engine/reports/study_material.h"

namespace zentrix::engine::reports {
namespace {

using namespace questionbank;

class TTestingReportBankTest : public questionbank::testing::BankTest {
protected:
    void SetUp() override {
        BankTest::SetUp();
        addExam(
            "NET", "NET1",
            {{kTrueFalse, "Hubs", "A hub repeats.", {"TRUE", "FALSE"}, "TRUE"},
             {kSingleChoice, "Layer 3", "Which device routes?", {"Hub", "Switch", "Router"}, "3"}});
        addExam("NET", "NET2",
                {{kMultipleChoice, "Ranges", "Private?", {"10/8", "11/8", "192.168/16"}, "5"}});
    }

    static void Count(void* context, int, int, int, const std::string&, const std::string&, int,
                      const std::string&, const std::string&, const std::string&,
                      const std::string&, int) {
        ++*static_cast<int*>(context);
    }

    QuestionAnswer item(const std::string& exam, int number, bool correct) {
        QuestionAnswer q;
        q.TestId = exam;
        q.QuestionNo = number;
        q.Answered = true;
        q.Correct = correct;
        return q;
    }
};

TEST_F(TTestingReportBankTest, MixedStudyGuideLeavesTheAttemptsExamAndQuestionCurrent) {
    TTesting& t = bank();
    ASSERT_EQ(t.OpenTest("NET1"), 0);
    ASSERT_EQ(t.GoToTestQuestion(2), 0);
    int fired = 0;
    t.OnQuestion = {&Count, &fired};

    const ExamItems items = {item("NET2", 1, false), item("NET1", 1, false),
                             item("NET2", 1, false)};
    QString text;
    {
        TTestingReportBank source(t);
        StudyGuideInput input;
        input.title = QStringLiteral("NET title");
        input.mode = ExamMode::Mixed;
        input.items = &items;
        TStudyMaterial guide(input, source);
        text = guide.Render().pageText(0);
        EXPECT_FALSE(t.OnQuestion)
            << "OnQuestion stays registered while the report moves the cursor";
    }
    EXPECT_EQ(fired, 0);
    EXPECT_TRUE(text.contains(QStringLiteral("Question 1: Ranges")));
    EXPECT_TRUE(text.contains(QStringLiteral("192.168/16")));
    EXPECT_TRUE(text.contains(QStringLiteral("Question 2: Hubs")));
    ASSERT_TRUE(t.IsOpen());
    EXPECT_EQ(t.GetOpenTitle(), "NET1 title");
    EXPECT_EQ(t.QuestionInfo().NUM, 2);
    EXPECT_TRUE(t.OnQuestion) << "the handler is registered back";
}

TEST_F(TTestingReportBankTest, CertificateTakesSectionTitlesFromTheCatalogue) {
    TTesting& t = bank();
    ASSERT_EQ(t.OpenTest("NET2"), 0);
    const ExamItems items = {item("NET1", 1, true), item("NET2", 1, true), item("GONE", 1, false)};
    TTestingReportBank source(t);
    CertificateInput input;
    input.mode = ExamMode::Mixed;
    input.items = &items;
    TCertificate certificate(input, source);
    certificate.Render();
    ASSERT_EQ(certificate.Lines().size(), 3u);
    EXPECT_EQ(certificate.Lines()[0].Name, QStringLiteral("NET1 title"));
    EXPECT_EQ(certificate.Lines()[1].Name, QStringLiteral("NET2 title"));
    EXPECT_EQ(certificate.Lines()[2].Name, QStringLiteral("GONE"))
        << "an exam gone from the catalogue shows its identifier";
    EXPECT_EQ(t.GetOpenTitle(), "NET2 title");
}

}  // namespace
}  // namespace zentrix::engine::reports

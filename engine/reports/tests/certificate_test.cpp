// The certificate: scores, grade and both forms of the section analysis.

#include "engine/reports/certificate.h"

#include <gtest/gtest.h>

#include "fake_question_source.h"

namespace zentrix::engine::reports::testing {
namespace {

using questionbank::QVSimListInfo;

ExamItems Attempt(int n, int right) {
    ExamItems items;
    for (int i = 0; i < n; ++i) items.push_back(Item("EX1", i + 1, i < right));
    return items;
}

std::vector<QVSimListInfo> Rows() {
    return {{"NET", "", "Networking", 0, 0, 0, 0, 0, 0},
            {"NET", "NET1", "Cables", 1, 0, 0, 0, 0, 1},
            {"NET", "NET2", "Switches", 1, 0, 0, 0, 0, 2},
            {"NET", "NET3", "Routers", 1, 0, 0, 0, 0, 3},
            {"NET", "NET4", "Wireless", 1, 0, 0, 0, 0, 4},
            {"NET", "", "Zentrix", 3, 0, 0, 0, 0, 5},
            {"", "", "", 0, 0, 0, 0, 0, 6},
            {"LNX", "", "Linux", 0, 0, 0, 0, 0, 7},
            {"LNX", "LNX1", "Shell", 1, 0, 0, 0, 0, 8}};
}

CertificateInput Input(const ExamItems& items, ExamMode mode) {
    CertificateInput input;
    input.candidate = QStringLiteral("Ada Lovelace");
    input.date = QDate(2026, 12, 10);
    input.mode = mode;
    input.items = &items;
    input.rows = Rows();
    input.courseRow = input.rows[0];
    input.examTitle = QStringLiteral("Switches");
    input.fieldColor = QColor(148, 140, 181);
    input.topBarColor = QColor(123, 198, 206);
    return input;
}

TEST(CertificateTest, ScoresRoundHalvesToEvenAndGradeAgainstThePassMark) {
    const struct {
        int n, right, passing, yours;
        const char* grade;
    } cases[] = {
        {10, 8, 800, 800, "GRADE: PASS"}, {10, 7, 800, 700, "GRADE: FAIL"},
        {3, 2, 667, 667, "GRADE: PASS"},  {7, 6, 857, 857, "GRADE: PASS"},
        {5, 4, 800, 800, "GRADE: PASS"},  {5, 3, 800, 600, "GRADE: FAIL"},
        {16, 1, 812, 62, "GRADE: FAIL"},  {16, 3, 812, 188, "GRADE: FAIL"},
        {0, 0, 0, 0, "GRADE: FAIL"},
    };
    FakeQuestionSource titles;
    for (const auto& c : cases) {
        const ExamItems items = Attempt(c.n, c.right);
        TCertificate certificate(Input(items, ExamMode::ClosedBook), titles);
        const report::RenderedReport pages = certificate.Render();
        SCOPED_TRACE(::testing::Message() << c.n << " questions, " << c.right << " right");
        EXPECT_EQ(certificate.PassingScore, QStringLiteral("PASSING SCORE: %1").arg(c.passing));
        EXPECT_EQ(certificate.YourScore, QStringLiteral("YOUR SCORE: %1").arg(c.yours));
        EXPECT_EQ(certificate.Grade, QString::fromLatin1(c.grade));
        const QString text = pages.pageText(0);
        EXPECT_TRUE(text.contains(certificate.PassingScore) && text.contains(certificate.Grade));
    }
}

TEST(CertificateTest, SingleExamListsEveryExamOfItsCourseNumberedWithNA) {
    const ExamItems items = Attempt(10, 9);
    FakeQuestionSource titles;
    TCertificate certificate(Input(items, ExamMode::OpenBook), titles);
    const QString text = certificate.Render().pageText(0);
    EXPECT_EQ(certificate.ParentTitle, QStringLiteral("Networking"));
    EXPECT_EQ(certificate.Exam, QStringLiteral("Switches"));
    ASSERT_EQ(certificate.Lines().size(), 4u)
        << "the mixed row, the blank row and the next course end the list";
    const char* names[] = {"1: Cables", "2: Switches", "3: Routers", "4: Wireless"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(certificate.Lines()[i].Name, QString::fromLatin1(names[i]));
        EXPECT_EQ(certificate.Lines()[i].Percent, QStringLiteral("N/A"));
    }
    for (const char* expected : {"Brenlo", "Examination Score Report", "Candidate:", "Ada Lovelace",
                                 "Date:", "10 December 2026",
                                 "Exam:", "Your Score:", "Required Score:", "Section Analysis",
                                 "Percent Correct", "4: Wireless"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected;
}

TEST(CertificateTest, MixedExamSectionsFollowFirstOccurrenceWithPercentPerExam) {
    ExamItems items = {Item("NET3", 1, true),  Item("NET1", 4, false), Item("NET3", 2, true),
                       Item("NET2", 1, false), Item("NET1", 2, true),  Item("NET3", 5, false),
                       Item("NET1", 1, false)};
    FakeQuestionSource titles;
    titles.titles = {{"NET1", "Cables"}, {"NET3", "Routers"}};  // NET2 has left the catalogue
    CertificateInput input = Input(items, ExamMode::Mixed);
    TCertificate certificate(input, titles);
    const QString text = certificate.Render().pageText(0);
    EXPECT_EQ(certificate.ParentTitle, QStringLiteral("Zentrix Certificate"));
    EXPECT_EQ(certificate.Exam, QStringLiteral("Networking"));
    ASSERT_EQ(certificate.Sections.size(), 3u);
    const struct {
        const char* id;
        int questions, right, percent;
        const char* name;
    } expected[] = {
        {"NET3", 3, 2, 67, "Routers"}, {"NET1", 3, 1, 33, "Cables"}, {"NET2", 1, 0, 0, "NET2"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(certificate.Sections[i].TestId, expected[i].id);
        EXPECT_EQ(certificate.Sections[i].Questions, expected[i].questions);
        EXPECT_EQ(certificate.Sections[i].Right, expected[i].right);
        EXPECT_EQ(certificate.Sections[i].Percent, expected[i].percent);
        EXPECT_EQ(certificate.Lines()[i].Name, QString::fromLatin1(expected[i].name));
        EXPECT_EQ(certificate.Lines()[i].Percent, QString::number(expected[i].percent));
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Routers 67")));
}

}  // namespace
}  // namespace zentrix::engine::reports::testing

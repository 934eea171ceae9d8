// What the reports are given from the screens: titles decoded from the
// bank's Windows-1252, the mixed exam's title from its course row, the
// certificate's rows and colours, the history's key in the code page the
// history stores, and where save choosers open. Also the bank texts of the
// main window itself: its caption, the tree and the jump list.

#include "engine/screens/report_inputs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include "attempt_screen_fixture.h"
#include "engine/screens/tfrm_jump_to.h"
#include "ui/course_tree_view.h"

namespace zentrix::engine::testing {
namespace {

// "Café “Basics”" and "Réseaux – Kurs" in Windows-1252 bytes (split where a
// hex escape would run on into the next letter).
const std::string kExamRowTitle =
    "Caf\xe9 \x93"
    "Basics\x94";
const std::string kCourseTitle = "R\xe9seaux \x96 Kurs";

AttemptReportData SampleData(ExamMode mode) {
    AttemptReportData data;
    data.mode = mode;
    data.candidateName = QStringLiteral("Zoë");
    data.openExamTitle = "Network \x80 Basics  ";
    questionbank::QVSimListInfo course;
    course.CourseId = "NET";
    course.Title = kCourseTitle;
    questionbank::QVSimListInfo exam;
    exam.CourseId = "NET";
    exam.TestId = "NET1";
    exam.Title = kExamRowTitle;
    exam.NodeKind = questionbank::kExamRow;
    data.courseRow = course;
    data.examRow = exam;
    data.rows = {course, exam};
    data.studyGuide.ListStudyGuide = 1;
    data.colors.field = 0x00FF0000;   // blue in the Windows colour order
    data.colors.topBar = 0x000000FF;  // red
    return data;
}

TEST(ReportInputs, TitlesAreDecodedFromTheBanksCodePage) {
    const struct {
        ExamMode mode;
        QString guideTitle;
    } cases[] = {
        {ExamMode::OpenBook, QStringLiteral("Network € Basics")},
        {ExamMode::ClosedBook, QStringLiteral("Network € Basics")},
        {ExamMode::Mixed, QStringLiteral("Réseaux – Kurs")},  // the course row's title
    };
    for (const auto& c : cases) {
        const AttemptReportData data = SampleData(c.mode);
        const reports::StudyGuideInput guide = StudyGuideInputFor(data);
        EXPECT_EQ(guide.title, c.guideTitle);
        EXPECT_EQ(guide.candidate, QStringLiteral("Zoë"));
        EXPECT_EQ(guide.listStudyGuide, 1);
        EXPECT_EQ(guide.mode, c.mode);

        const reports::CertificateInput certificate = CertificateInputFor(data, QDate(2026, 3, 2));
        EXPECT_EQ(certificate.examTitle, QStringLiteral("Café “Basics”"));
        EXPECT_EQ(certificate.courseRow.Title, kCourseTitle);
        EXPECT_EQ(certificate.rows.size(), 2u);
        EXPECT_EQ(certificate.date, QDate(2026, 3, 2));
        EXPECT_EQ(certificate.fieldColor, QColor(0, 0, 255));
        EXPECT_EQ(certificate.topBarColor, QColor(255, 0, 0));
    }
}

TEST(ReportInputs, TheHistoryIsLookedUpByTheNameInTheCodePageItWasStoredIn) {
    HistorySelectionData data;
    data.learnerName = QStringLiteral("Zoë Çelik €");
    data.rows = SampleData(ExamMode::OpenBook).rows;
    data.selectedRow = 1;
    const history::views::HistoryWindowInput input = HistoryWindowInputFor(data);
    EXPECT_EQ(input.studentName, data.learnerName);
    EXPECT_EQ(input.studentKey,
              "Zo\xeb \xc7"
              "elik \x80");
    EXPECT_EQ(input.selectedRow, 1);
    EXPECT_EQ(input.rows.size(), 2u);
}

TEST(ReportInputs, SuggestedNamesHoldNoCharacterAFileNameCannot) {
    const struct {
        QString candidate;
        QString expected;
    } cases[] = {
        {QStringLiteral("Ada Lovelace"), QStringLiteral("Ada Lovelace - Study Guide.qrp")},
        {QStringLiteral("  Zoë Çelik "), QStringLiteral("Zoë Çelik - Study Guide.qrp")},
        {QStringLiteral("../etc/passwd"), QStringLiteral("_etc_passwd - Study Guide.qrp")},
        {QStringLiteral("a:b*c?\"<>|"), QStringLiteral("a_b_c_____ - Study Guide.qrp")},
        {QStringLiteral(""), QStringLiteral("Study Guide.qrp")},
        {QStringLiteral("..."), QStringLiteral("Study Guide.qrp")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SuggestedReportName(c.candidate, QStringLiteral("Study Guide")), c.expected)
            << c.candidate.toStdString();
}

TEST(ReportInputs, SaveChoosersOpenInTheProgramsFolderWhenItCanBeWritten) {
    QTemporaryDir scratch;
    const QString writable = scratch.path() + QStringLiteral("/program");
    const QString locked = scratch.path() + QStringLiteral("/locked");
    QDir().mkpath(writable);
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool lockHolds = !QFileInfo(locked).isWritable();  // root writes anyway

    EXPECT_EQ(SaveChooserStart(writable.toStdString() + "/", QStringLiteral("a.qrp")),
              writable + QStringLiteral("/a.qrp"));
    for (const std::string& unusable :
         {std::string(), (scratch.path() + "/missing/").toStdString()}) {
        const QString start = SaveChooserStart(unusable, QStringLiteral("a.qrp"));
        EXPECT_TRUE(start.endsWith(QStringLiteral("/a.qrp")));
        EXPECT_FALSE(start.startsWith(scratch.path())) << start.toStdString();
    }
    if (lockHolds) {
        EXPECT_FALSE(SaveChooserStart(locked.toStdString() + "/", QStringLiteral("a.qrp"))
                         .startsWith(locked));
    }
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

class BankTextOnScreenTest : public AttemptScreenTest {
protected:
    void SetUp() override {
        writeRegistryKey();
        MainWindowContext made = context({"zentrix", "NotRandomQuestions"});
        EngineDataFactory plain = made.openData;
        made.openData = [this, plain](const EngineFolders& folders, DialogService& d) {
            EngineData data = plain(folders, d);
            bank->rows[kNet1Row].Title = kExamRowTitle;
            bank->exams["NET1"].title = "Network \x80 Basics";
            bank->exams["NET1"].questions[0].title =
                "Stra\xdf"
                "e";
            return data;
        };
        main = std::make_unique<TfrmMain>(made);
        ASSERT_TRUE(main->StartupSucceeded());
        main->show();
    }
};

TEST_F(BankTextOnScreenTest, CaptionTreeAndJumpListShowTheBanksCodePage) {
    EXPECT_EQ(main->vsiTestSelectBox()->itemTitle(kNet1Row).trimmed(),
              QStringLiteral("Café “Basics”"));
    startSingle(ExamMode::OpenBook, 2);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Network € Basics"));
    EXPECT_EQ(controller().JumpTo().lstboxQuestions()->item(0)->text(),
              QStringLiteral("   1 - Straße"));
}

}  // namespace
}  // namespace zentrix::engine::testing

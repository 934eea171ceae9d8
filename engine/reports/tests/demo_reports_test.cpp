// The three reports of an attempt at the bundled demo: built over the demo's
// own bank, saved, reopened page for page and exported, and their first
// pages written under report-renders/ (demo-*.png) for a person to look at.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "base/message_sink.h"
#include "engine/reports/certificate.h"
#include "engine/reports/study_material.h"
#include "engine/reports/ttesting_report_bank.h"
#include "questionbank/ttesting.h"
#include "ui/report/page_painter.h"
#include "ui/report/pdf_export.h"
#include "ui/report/qrp_file.h"
#include "xbase/engine.h"

namespace zentrix::engine::reports {
namespace {

using questionbank::QVSimListInfo;

void AddRow(void* context, const std::string& course, const std::string& test,
            const std::string& title, unsigned char kind, unsigned char, unsigned char,
            unsigned char, int question, int index) {
    static_cast<std::vector<QVSimListInfo>*>(context)->push_back(
        {course, test, title, kind, 0, 0, 0, question, index});
}

class DemoReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The bank is opened for writing: work on a copy of the demo's.
        const QString from = QStringLiteral(ZENTRIX_DEMO_DATABASE);
        ASSERT_TRUE(QDir(from).exists())
            << "the demo is built with the project: " << from.toStdString();
        QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString target =
                scratch.path() + QStringLiteral("/db/") + QDir(from).relativeFilePath(path);
            QDir().mkpath(QFileInfo(target).absolutePath());
            ASSERT_TRUE(QFile::copy(path, target));
        }
        bank = std::make_unique<questionbank::TTesting>(
            engine, scratch.path().toStdString() + "/db/", sink);
        ASSERT_TRUE(bank->IsValid());
        bank->OnSelectItem = {&AddRow, &rows};
        bank->ListQVSelectTitles(true, false);
        bank->OnSelectItem.reset();
        for (const QVSimListInfo& row : rows) {
            if (row.NodeKind == questionbank::kCourseRow && !row.CourseId.empty()) {
                course = row;
                break;
            }
        }
        ASSERT_FALSE(course.CourseId.empty());
        for (const QVSimListInfo& row : rows) {
            if (row.NodeKind == questionbank::kExamRow && row.CourseId == course.CourseId)
                exams.push_back(row);
        }
        ASSERT_GE(exams.size(), 2u);
    }

    // Saves and reopens `report`, compares every page, exports it and keeps
    // the first page's picture.
    void CheckAndKeep(const report::RenderedReport& report, const QString& name) {
        ASSERT_FALSE(report.pages.empty());
        const QString saved = scratch.path() + QLatin1Char('/') + name + QStringLiteral(".qrp");
        ASSERT_TRUE(report::SaveReport(report, saved).isOk());
        auto reopened = report::LoadReport(saved);
        ASSERT_TRUE(reopened.isOk()) << reopened.message();
        ASSERT_EQ(reopened->pages.size(), report.pages.size());
        for (int p = 0; p < static_cast<int>(report.pages.size()); ++p)
            ASSERT_EQ(report::RenderPageImage(*reopened, p, 72),
                      report::RenderPageImage(report, p, 72))
                << name.toStdString() << " page " << p + 1;
        const QString folder = QStringLiteral(ZENTRIX_BINARY_DIR "/report-renders");
        QDir().mkpath(folder);
        EXPECT_TRUE(report::RenderPageImage(report, 0, 110)
                        .save(folder + QStringLiteral("/demo-") + name + QStringLiteral(".png")));
        EXPECT_TRUE(report::WritePdf(*reopened, folder + QStringLiteral("/demo-") + name +
                                                    QStringLiteral(".pdf"))
                        .isOk());
    }

    QTemporaryDir scratch;
    xbase::Engine engine;
    base::RecordingMessageSink sink;
    std::unique_ptr<questionbank::TTesting> bank;
    std::vector<QVSimListInfo> rows;
    QVSimListInfo course;
    std::vector<QVSimListInfo> exams;
};

TEST_F(DemoReportsTest, SingleExamStudyGuideAndCertificate) {
    int regular = 1;
    ASSERT_EQ(bank->OpenPrePostTest(exams[0].TestId, true, regular), 0) << bank->LastError();
    ExamItems items;
    for (int n = 1; n <= bank->QuestionCount(); ++n) {
        QuestionAnswer item;
        item.QuestionNo = n;
        item.TestId = exams[0].TestId;
        item.Seen = item.Answered = true;
        item.Correct = n % 3 != 0;
        items.push_back(item);
    }
    ASSERT_FALSE(items.empty());
    TTestingReportBank source(*bank);

    StudyGuideInput guideInput;
    guideInput.candidate = QStringLiteral("Ada Lovelace");
    guideInput.title = QString::fromStdString(bank->GetOpenTitle());
    guideInput.items = &items;
    guideInput.listStudyGuide = TStudyMaterial::kListAll;
    TStudyMaterial guide(guideInput, source);
    const report::RenderedReport guidePages = guide.Render();
    QString all;
    for (int p = 0; p < static_cast<int>(guidePages.pages.size()); ++p)
        all += guidePages.pageText(p);
    for (int n = 1; n <= static_cast<int>(items.size()); ++n)
        EXPECT_TRUE(all.contains(QStringLiteral("Question %1:").arg(n))) << n;
    EXPECT_FALSE(all.contains(QStringLiteral("could not be read"))) << all.toStdString();
    EXPECT_FALSE(all.contains(QStringLiteral("\\rtf"))) << "rich references shown as code";
    CheckAndKeep(guidePages, QStringLiteral("study-guide"));

    CertificateInput input;
    input.candidate = QStringLiteral("Ada Lovelace");
    input.date = QDate(2026, 12, 10);
    input.mode = ExamMode::ClosedBook;
    input.items = &items;
    input.rows = rows;
    input.courseRow = course;
    input.examTitle = QString::fromStdString(exams[0].Title);
    input.fieldColor = QColor(148, 140, 181);
    input.topBarColor = QColor(123, 198, 206);
    TCertificate certificate(input, source);
    const report::RenderedReport certificatePages = certificate.Render();
    EXPECT_EQ(certificate.Lines().size(), exams.size());
    CheckAndKeep(certificatePages, QStringLiteral("certificate-single"));
}

TEST_F(DemoReportsTest, MixedExamCertificateAndStudyGuide) {
    ExamItems items;
    for (int n = 1; n <= 3; ++n) {
        for (const QVSimListInfo& exam : exams) {
            QuestionAnswer item;
            item.QuestionNo = n;
            item.TestId = exam.TestId;
            item.Answered = true;
            item.Correct = (n + static_cast<int>(items.size())) % 2 == 0;
            items.push_back(item);
        }
    }
    ASSERT_EQ(bank->OpenTest(items[0].TestId), 0);
    TTestingReportBank source(*bank);
    CertificateInput input;
    input.candidate = QStringLiteral("Grace Hopper");
    input.date = QDate(2026, 12, 10);
    input.mode = ExamMode::Mixed;
    input.items = &items;
    input.rows = rows;
    input.courseRow = course;
    input.fieldColor = QColor(148, 140, 181);
    input.topBarColor = QColor(123, 198, 206);
    TCertificate certificate(input, source);
    const report::RenderedReport pages = certificate.Render();
    ASSERT_EQ(certificate.Sections.size(), exams.size());
    for (size_t i = 0; i < exams.size(); ++i)
        EXPECT_EQ(certificate.Lines()[i].Name.toStdString(), exams[i].Title);
    CheckAndKeep(pages, QStringLiteral("certificate-mixed"));

    StudyGuideInput guideInput;
    guideInput.candidate = QStringLiteral("Grace Hopper");
    guideInput.title = QString::fromStdString(course.Title);
    guideInput.mode = ExamMode::Mixed;
    guideInput.items = &items;
    TStudyMaterial guide(guideInput, source);
    const report::RenderedReport guidePages = guide.Render();
    EXPECT_FALSE(guidePages.pageText(0).contains(QStringLiteral("could not be read")));
    CheckAndKeep(guidePages, QStringLiteral("study-guide-mixed"));
}

}  // namespace
}  // namespace zentrix::engine::reports

// Writes the first page of the study guide and of the certificate of a
// single and of a mixed exam as PNG and PDF under the build folder
// (report-renders/), so that a person can look at them.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>

#include "engine/reports/certificate.h"
#include "engine/reports/study_material.h"
#include "fake_question_source.h"
#include "ui/report/page_painter.h"
#include "ui/report/pdf_export.h"

namespace zentrix::engine::reports::testing {
namespace {

using namespace questionbank;

QString RenderFolder() {
    const QString folder = QStringLiteral(ZENTRIX_BINARY_DIR "/report-renders");
    QDir().mkpath(folder);
    return folder;
}

void Write(const report::RenderedReport& report, const QString& name) {
    ASSERT_FALSE(report.pages.empty());
    const QImage page = report::RenderPageImage(report, 0, 110);
    EXPECT_TRUE(page.save(RenderFolder() + QLatin1Char('/') + name + QStringLiteral(".png")));
    EXPECT_TRUE(
        report::WritePdf(report, RenderFolder() + QLatin1Char('/') + name + QStringLiteral(".pdf"))
            .isOk());
}

std::vector<QVSimListInfo> Rows() {
    return {{"NET", "", "Networking Essentials", 0, 0, 0, 0, 0, 0},
            {"NET", "NET101A", "Networking Basics, part A", 1, 0, 0, 0, 0, 1},
            {"NET", "NET101B", "Networking Basics, part B", 1, 0, 0, 0, 0, 2},
            {"NET", "NET201", "Routing and Switching", 1, 0, 0, 0, 0, 3},
            {"NET", "NET301", "Wireless Networks", 1, 0, 0, 0, 0, 4},
            {"NET", "", "Zentrix", 3, 0, 0, 0, 0, 5}};
}

// A rich reference with a heading, an emphasis and a figure.
std::string RoutingReference() {
    QImage figure(240, 90, QImage::Format_RGB32);
    figure.fill(QColor(232, 238, 246));
    QPainter painter(&figure);
    painter.setPen(QPen(QColor(31, 73, 109), 3));
    painter.drawRect(10, 30, 60, 30);
    painter.drawRect(170, 30, 60, 30);
    painter.drawLine(70, 45, 170, 45);
    painter.end();
    return "{\\rtf1\\ansi{\\colortbl;\\red31\\green73\\blue109;}\\cf1\\b Chapter 5, "
           "Routing\\b0\\cf0\\par "
           "A router joins \\i separate\\i0  networks and forwards packets between them.\\par " +
           RtfPicture(figure) + "\\par See also the OSI model poster.}";
}

TEST(ReportRenderTest, StudyGuideFirstPage) {
    FakeQuestionSource source;
    source.add("NET101A", kTrueFalse, "Hubs", {"TRUE", "FALSE"}, "TRUE",
               "Chapter 2, Hubs and repeaters");
    source.add("NET101A", kSingleChoice, "Layer 3", {"Hub", "Switch", "Router"}, "3",
               RoutingReference());
    source.add("NET101A", kMultipleChoice, "Private ranges",
               {"10.0.0.0/8", "11.0.0.0/8", "192.168.0.0/16", "172.16.0.0/12"}, "13",
               "RFC 1918, section 3");
    source.add("NET101A", kSimulation, "Configure a port",
               {"Open the port settings", "Type the address 10.0.0.1 and the mask 255.255.255.0",
                "Click OK"},
               "");
    ExamItems items;
    for (int i = 1; i <= 4; ++i) items.push_back(Item("NET101A", i, false));
    StudyGuideInput input;
    input.candidate = QStringLiteral("Ada Lovelace");
    input.title = QStringLiteral("Networking Basics, part A");
    input.items = &items;
    input.listStudyGuide = 2;
    TStudyMaterial guide(input, source);
    Write(guide.Render(), QStringLiteral("study-guide"));
}

TEST(ReportRenderTest, CertificateOfASingleExamFirstPage) {
    ExamItems items;
    for (int i = 0; i < 20; ++i) items.push_back(Item("NET101B", i + 1, i < 17));
    FakeQuestionSource titles;
    CertificateInput input;
    input.candidate = QStringLiteral("Ada Lovelace");
    input.date = QDate(2026, 12, 10);
    input.items = &items;
    input.mode = ExamMode::ClosedBook;
    input.rows = Rows();
    input.courseRow = input.rows[0];
    input.examTitle = QStringLiteral("Networking Basics, part B");
    input.fieldColor = QColor(148, 140, 181);
    input.topBarColor = QColor(123, 198, 206);
    TCertificate certificate(input, titles);
    Write(certificate.Render(), QStringLiteral("certificate-single"));
}

TEST(ReportRenderTest, CertificateOfAMixedExamFirstPage) {
    ExamItems items;
    const char* exams[] = {"NET201", "NET101A", "NET301", "NET101B"};
    for (int i = 0; i < 40; ++i) items.push_back(Item(exams[i % 4], i / 4 + 1, i % 3 != 0));
    FakeQuestionSource titles;
    titles.titles = {{"NET101A", "Networking Basics, part A"},
                     {"NET101B", "Networking Basics, part B"},
                     {"NET201", "Routing and Switching"},
                     {"NET301", "Wireless Networks"}};
    CertificateInput input;
    input.candidate = QStringLiteral("Grace Hopper");
    input.date = QDate(2026, 12, 10);
    input.items = &items;
    input.mode = ExamMode::Mixed;
    input.rows = Rows();
    input.courseRow = input.rows[0];
    input.fieldColor = QColor(148, 140, 181);
    input.topBarColor = QColor(123, 198, 206);
    TCertificate certificate(input, titles);
    Write(certificate.Render(), QStringLiteral("certificate-mixed"));
}

}  // namespace
}  // namespace zentrix::engine::reports::testing

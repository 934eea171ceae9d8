// What leaves the report engine: PDF with real text, printing to a PDF
// printer, pictures of pages.

#include <gtest/gtest.h>

#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>

#include "report_test_support.h"
#include "ui/report/page_painter.h"
#include "ui/report/pdf_export.h"
#include "ui/report/print_service.h"
#include "ui/report/report_paginator.h"

namespace zentrix::report::testing {
namespace {

// The text a PDF reader extracts (poppler's pdftotext, installed with the
// build dependencies).
QString PdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(30000)) << "pdftotext did not run: install poppler-utils";
    EXPECT_EQ(process.exitCode(), 0);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(process.waitForFinished(30000)) << "pdfinfo did not run: install poppler-utils";
    for (const QString& line :
         QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
    }
    return -1;
}

RenderedReport ThreePageReport() {
    std::vector<Band> bands;
    for (int i = 1; i <= 18; ++i)
        bands.push_back(LinesBand(QStringLiteral("Question %1 caf\u00e9 certificate").arg(i), 4));
    RenderedReport report = Paginate(WithDetails(bands));
    EXPECT_GE(report.pages.size(), 3u);
    return report;
}

TEST(ReportOutputTest, PdfCarriesSearchableTextOnEveryPage) {
    const RenderedReport report = ThreePageReport();
    const QString path = ScratchPath(QStringLiteral("searchable.pdf"));
    ASSERT_TRUE(WritePdf(report, path).isOk());
    EXPECT_EQ(PdfPages(path), static_cast<int>(report.pages.size()));
    const QString text = PdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Question 1 caf\u00e9 certificate line 1")))
        << text.left(400).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Question 18 caf\u00e9 certificate line 4")));
    EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %1").arg(report.pages.size())));
}

TEST(ReportOutputTest, PrintingToAPdfPrinterPrintsEveryPage) {
    const RenderedReport report = ThreePageReport();
    PdfFilePrintService printer(ScratchPath(QStringLiteral("printed.pdf")));
    auto printed = printer.print(report, nullptr);
    ASSERT_TRUE(printed.isOk()) << printed.message();
    EXPECT_TRUE(*printed);
    EXPECT_EQ(PdfPages(printer.path()), static_cast<int>(report.pages.size()));
    EXPECT_TRUE(PdfText(printer.path())
                    .contains(QStringLiteral("Question 7 caf\u00e9 certificate line 2")));
}

TEST(ReportOutputTest, PrintDialogsPageRangeIsWhatIsPrinted) {
    const RenderedReport report = ThreePageReport();
    const QString path = ScratchPath(QStringLiteral("dialog-range.pdf"));
    QFile::remove(path);
    QString caption;
    DialogPrintService printer([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        EXPECT_NE(print, nullptr);
        if (!print) return int(QDialog::Rejected);
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(path);
        print->printer()->setPrintRange(QPrinter::PageRange);
        print->printer()->setFromTo(2, 3);
        return int(QDialog::Accepted);
    });
    auto printed = printer.print(report, nullptr);
    ASSERT_TRUE(printed.isOk()) << printed.message();
    EXPECT_TRUE(*printed);
    EXPECT_EQ(caption, QStringLiteral("Print"));
    EXPECT_EQ(PdfPages(path), 2);
    const QString text = PdfText(path);
    EXPECT_FALSE(text.contains(QStringLiteral("Page 1 of"))) << "page 1 was printed";
    EXPECT_TRUE(text.contains(QStringLiteral("Page 2 of")) &&
                text.contains(QStringLiteral("Page 3 of")));

    DialogPrintService cancelled([](QDialog&) { return int(QDialog::Rejected); });
    auto none = cancelled.print(report, nullptr);
    ASSERT_TRUE(none.isOk());
    EXPECT_FALSE(*none);
}

TEST(ReportOutputTest, PagePictureHasThePageSizeAtTheResolutionAsked) {
    const RenderedReport report = EveryCommandReport();
    const QImage at96 = RenderPageImage(report, 0, 96);
    EXPECT_EQ(at96.size(), QSize(400, 533));
    const QImage second = RenderPageImage(report, 1, 144);
    EXPECT_EQ(second.size(), QSize(800, 600));
    EXPECT_NE(at96.pixel(40, 140), QColor(Qt::white).rgb()) << "the filled rectangle is missing";
    EXPECT_TRUE(RenderPageImage(report, 2, 96).isNull());
}

TEST(ReportOutputTest, ClipKeepsTextInsideItsArea) {
    const RenderedReport report = EveryCommandReport();
    const QImage page = RenderPageImage(report, 0, 144);
    // The clipped text starts at x 20 pt and may show up to x 70 pt only.
    bool inked = false;
    for (int y = static_cast<int>(130 * 2); y < static_cast<int>(142 * 2); ++y) {
        for (int x = static_cast<int>(20 * 2); x < static_cast<int>(70 * 2); ++x)
            inked |= page.pixel(x, y) != QColor(Qt::white).rgb();
        for (int x = static_cast<int>(72 * 2); x < static_cast<int>(140 * 2); ++x)
            ASSERT_EQ(page.pixel(x, y), QColor(Qt::white).rgb())
                << "ink outside the clip at " << x << "," << y;
    }
    EXPECT_TRUE(inked);
}

}  // namespace
}  // namespace zentrix::report::testing

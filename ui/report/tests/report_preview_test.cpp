// The preview window: keyboard paging, zoom, and its Print, Save and Export
// buttons through the program's dialogs.

#include "ui/report/report_preview.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "report_test_support.h"
#include "ui/report/page_painter.h"
#include "ui/report/page_view.h"
#include "ui/report/print_service.h"
#include "ui/report/qrp_file.h"
#include "ui/report/report_files.h"
#include "ui/report/report_paginator.h"

namespace zentrix::report::testing {
namespace {

RenderedReport Pages(int bands) {
    return Paginate(WithDetails(std::vector<Band>(bands, LinesBand(QStringLiteral("item"), 5))));
}

TEST(ReportPreviewTest, KeyboardMovesBetweenPagesAndEscapeCloses) {
    ScriptedDialogs dialogs;
    ReportPreview preview(Pages(20), dialogs.services());
    const int count = static_cast<int>(preview.report().pages.size());
    ASSERT_GE(count, 3);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));

    EXPECT_EQ(preview.pageLabel()->text(), QStringLiteral("Page 1 of %1").arg(count));
    EXPECT_FALSE(preview.previousButton()->isEnabled());
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(preview.currentPage(), 1);
    EXPECT_EQ(preview.thumbnails()->currentRow(), 1);
    QTest::keyClick(&preview, Qt::Key_End);
    EXPECT_EQ(preview.currentPage(), count - 1);
    EXPECT_FALSE(preview.nextButton()->isEnabled());
    QTest::keyClick(&preview, Qt::Key_PageUp);
    EXPECT_EQ(preview.pageLabel()->text(),
              QStringLiteral("Page %1 of %2").arg(count - 1).arg(count));
    QTest::keyClick(&preview, Qt::Key_Home);
    EXPECT_EQ(preview.currentPage(), 0);

    QSignalSpy rejected(&preview, &QDialog::rejected);
    QTest::keyClick(&preview, Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_FALSE(preview.isVisible());
}

TEST(ReportPreviewTest, ClickingAThumbnailShowsThatPage) {
    ScriptedDialogs dialogs;
    ReportPreview preview(Pages(20), dialogs.services());
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    QListWidget* list = preview.thumbnails();
    const QRect third = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(preview.currentPage(), 2);
}

TEST(ReportPreviewTest, FitAndActualSizeZoomThePage) {
    ScriptedDialogs dialogs;
    ReportPreview preview(Pages(3), dialogs.services());
    preview.resize(700, 500);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    const double fitted = preview.pageView()->zoom();
    EXPECT_LT(fitted, 1.0);
    QTest::mouseClick(preview.actualSizeButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(preview.pageView()->zoom(), 1.0);
    QTest::mouseClick(preview.fitButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(preview.pageView()->zoom(), fitted);
}

TEST(ReportPreviewTest, SaveExportAndPrintWriteTheShownPages) {
    PdfFilePrintService printer(ScratchPath(QStringLiteral("preview-printed.pdf")));
    ScriptedDialogs dialogs;
    const RenderedReport report = Pages(8);
    ReportPreview preview(report, dialogs.services(&printer));
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));

    const QString saved = ScratchPath(QStringLiteral("preview-saved"));  // the suffix is added
    QFile::remove(saved + QStringLiteral(".qrp"));
    dialogs.chooseFile(saved);
    QTest::keyClick(&preview, Qt::Key_S, Qt::ControlModifier);
    auto loaded = LoadReport(saved + QStringLiteral(".qrp"));
    ASSERT_TRUE(loaded.isOk()) << loaded.message();
    EXPECT_EQ(RenderPageImage(*loaded, 0, 72), RenderPageImage(report, 0, 72));

    const QString pdf = ScratchPath(QStringLiteral("preview-export.pdf"));
    QFile::remove(pdf);
    dialogs.chooseFile(pdf);
    QTest::mouseClick(preview.exportButton(), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(pdf));

    QTest::mouseClick(preview.printButton(), Qt::LeftButton);
    EXPECT_EQ(printer.printed(), 1);
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(dialogs.titles,
              (std::vector<QString>{QStringLiteral("Save Report"), QStringLiteral("Export PDF")}));
}

TEST(ReportPreviewTest, CancelledSaveWritesNothingAndFailedSaveIsShown) {
    ScriptedDialogs dialogs;
    ReportPreview preview(Pages(2), dialogs.services());
    QTest::mouseClick(preview.saveButton(), Qt::LeftButton);  // unscripted: cancelled
    EXPECT_TRUE(dialogs.errors.empty());
    dialogs.chooseFile(ScratchPath(QStringLiteral("missing-folder/report.qrp")));
    preview.saveReport();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("\"report.qrp\" could not be written")));
}

TEST(ReportPreviewTest, OpeningASavedReportShowsItAndADamagedOneIsRefused) {
    const QString good = ScratchPath(QStringLiteral("open-good.qrp"));
    ASSERT_TRUE(SaveReport(Pages(4), good).isOk());
    const QString bad = ScratchPath(QStringLiteral("open-bad.qrp"));
    {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a report at all");
    }
    ScriptedDialogs dialogs;
    int previewPages = 0;
    dialogs.chooseFile(good);
    dialogs.answerNext([&](QDialog& dialog) {
        auto* preview = qobject_cast<ReportPreview*>(&dialog);
        EXPECT_NE(preview, nullptr);
        if (preview) previewPages = static_cast<int>(preview->report().pages.size());
        return int(QDialog::Rejected);
    });
    OpenSavedReport(dialogs.services(), nullptr, ScratchPath(QString()));
    EXPECT_EQ(previewPages, static_cast<int>(Pages(4).pages.size()));

    dialogs.chooseFile(bad);
    OpenSavedReport(dialogs.services(), nullptr, ScratchPath(QString()));
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], QStringLiteral("\"open-bad.qrp\" is not a Zentrix report."));
    EXPECT_EQ(dialogs.titles.size(), 3u) << "a refused file opens no preview";
}

TEST(ReportPreviewTest, PreviewWindowIsWrittenForLooking) {
    ScriptedDialogs dialogs;
    PdfFilePrintService printer(ScratchPath(QStringLiteral("unused.pdf")));
    ReportPreview preview(Pages(12), dialogs.services(&printer));
    preview.resize(900, 700);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    QTest::qWait(50);  // the thumbnails are drawn a few at a time
    const QString folder = QStringLiteral(ZENTRIX_BINARY_DIR "/report-renders");
    QDir().mkpath(folder);
    EXPECT_TRUE(preview.grab().save(folder + QStringLiteral("/preview.png")));
}

TEST(ReportPreviewTest, HugeAndOddlyShapedPagesStayWithinAPictureOfSensibleSize) {
    RenderedReport odd;
    odd.pages.push_back(RenderedPage{QSizeF(14400, 14400), {}});
    odd.pages.push_back(RenderedPage{QSizeF(1, 14400), {}});
    ScriptedDialogs dialogs;
    ReportPreview preview(odd, dialogs.services());
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    QTest::mouseClick(preview.actualSizeButton(), Qt::LeftButton);
    for (int page : {0, 1}) {
        preview.showPage(page);
        const QImage shown = preview.pageView()->shownPage();
        EXPECT_LE(std::max(shown.width(), shown.height()), PageView::kMaxSide + 1) << page;
    }
    QTest::qWait(20);
    for (int i = 0; i < preview.thumbnails()->count(); ++i) {
        const QSize icon = preview.thumbnails()->item(i)->icon().availableSizes().value(0);
        EXPECT_LE(icon.height(), 221) << i;
    }
}

TEST(ReportPreviewTest, EveryControlHasAnAccessibleName) {
    ScriptedDialogs dialogs;
    ReportPreview preview(Pages(2), dialogs.services());
    for (QWidget* w : preview.findChildren<QWidget*>()) {
        if (qobject_cast<QPushButton*>(w) || qobject_cast<QListWidget*>(w) ||
            qobject_cast<PageView*>(w)) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
        }
    }
}

}  // namespace
}  // namespace zentrix::report::testing

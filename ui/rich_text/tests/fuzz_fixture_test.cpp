// Inputs the fuzzer found troublesome, replayed: each reads without a crash
// and its document lays out.

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QTextDocument>

#include "ui/rich_text/rich_text_document.h"

namespace zentrix::ui {
namespace {

TEST(RtfFuzzFixtureTest, EveryFixtureReadsAndLaysOut) {
    const QDir folder(QStringLiteral(ZENTRIX_RICH_TEXT_FIXTURES "/fuzz"));
    const QFileInfoList files = folder.entryInfoList(QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << folder.path().toStdString();
    for (const QFileInfo& info : files) {
        QFile file(info.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << info.fileName().toStdString();
        QTextDocument document;
        const RtfReadSummary summary = setStudyText(document, file.readAll());
        EXPECT_LE(summary.picturesNotDecoded, summary.pictures) << info.fileName().toStdString();
        document.setTextWidth(400);
        EXPECT_GT(document.documentLayout()->documentSize().height(), 0)
            << info.fileName().toStdString();
    }
}

}  // namespace
}  // namespace zentrix::ui

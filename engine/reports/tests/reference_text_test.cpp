#include "engine/reports/reference_text.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTextDocument>
#include <QUrl>

#include "fake_question_source.h"

namespace zentrix::engine::reports {
namespace {

QString TextOf(const report::CellContent& cell) {
    const auto* field = std::get_if<report::TextField>(&cell);
    return field ? field->text() : QStringLiteral("(not text)");
}

TEST(ReferenceTextTest, PlainReferencesAreDecodedAndTrimmed) {
    const auto cells = PlainReferenceText("  Chapter 2 \x96 Hubs\r\n");
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(TextOf(cells[0]), QString::fromUtf8("Chapter 2 \u2013 Hubs"));
    EXPECT_TRUE(PlainReferenceText("   ").empty());
    EXPECT_EQ(TextOf(PlainReferenceText("{\\rtf1 One\\par\\par {\\pict 89}\\par\\par Two}")[0]),
              QStringLiteral("One\n\nTwo"));
    EXPECT_EQ(TextOf(PlainReferenceText("{\\rtf1 \\'93x\\'94}")[0]),
              QString::fromUtf8("\u201cx\u201d"));
}

TEST(ReferenceTextTest, FormattedDocumentKeepsItsRunsAndPicturesInOrder) {
    QTextDocument document;
    QImage figure(40, 20, QImage::Format_RGB32);
    figure.fill(Qt::blue);
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("figure.png")), figure);
    document.setHtml(
        QStringLiteral("<p><b>Default gateway</b> for <i>another</i> network</p>"
                       "<p><img src=\"figure.png\" width=\"80\" height=\"40\"></p>"
                       "<p><span style=\"color:#1f496d\">Each router</span> builds a frame.</p>"));
    const auto cells = CellsOfDocument(document);
    ASSERT_EQ(cells.size(), 3u);
    const auto& first = std::get<report::TextField>(cells[0]);
    EXPECT_EQ(first.text(), QStringLiteral("Default gateway for another network"));
    EXPECT_EQ(first.runs[0].bold, true);
    EXPECT_EQ(first.runs[2].italic, true);
    const auto& picture = std::get<report::Picture>(cells[1]);
    EXPECT_EQ(picture.image.size(), QSize(40, 20));
    EXPECT_EQ(picture.size, QSizeF(60, 30)) << "the shown size, 80 by 40 pixels, in points";
    const auto& last = std::get<report::TextField>(cells[2]);
    EXPECT_EQ(last.text(), QStringLiteral("Each router builds a frame."));
    EXPECT_EQ(last.runs[0].color, QColor(0x1f, 0x49, 0x6d));
}

// A rich text holding a picture, as an author's word processor writes it.
std::string RichTextWithPicture(const QImage& picture) {
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red31\\green73\\blue109;}"
           "\\cf1\\b Default gateway\\b0\\cf0\\par A host sends traffic for \\i another\\i0  "
           "network.\\par " +
           testing::RtfPicture(picture) + "\\par Each router builds a new frame.}";
}

TEST(ReferenceTextTest, RichReferencesKeepTheirFormattingAndPictures) {
    QImage figure(30, 12, QImage::Format_RGB32);
    figure.fill(Qt::darkCyan);
    const auto cells = FormattedReferenceText(RichTextWithPicture(figure));
    ASSERT_EQ(cells.size(), 3u);
    const auto& heading = std::get<report::TextField>(cells[0]);
    EXPECT_EQ(heading.text(),
              QStringLiteral("Default gateway\nA host sends traffic for another network."));
    EXPECT_EQ(heading.runs[0].bold, true);
    EXPECT_EQ(heading.runs[0].color, QColor(31, 73, 109));
    const auto italic =
        std::find_if(heading.runs.begin(), heading.runs.end(),
                     [](const report::TextRun& r) { return r.text == QStringLiteral("another"); });
    ASSERT_NE(italic, heading.runs.end());
    EXPECT_EQ(italic->italic, true);
    EXPECT_EQ(std::get<report::Picture>(cells[1]).image.size(), figure.size());
    EXPECT_EQ(TextOf(cells[2]), QStringLiteral("Each router builds a new frame."));

    EXPECT_EQ(TextOf(FormattedReferenceText("Chapter 2, Hubs")[0]),
              QStringLiteral("Chapter 2, Hubs"));
    EXPECT_TRUE(FormattedReferenceText("").empty());
    EXPECT_TRUE(FormattedReferenceText("{\\rtf1 }").empty());
}

}  // namespace
}  // namespace zentrix::engine::reports

#include "engine/reports/reference_text.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTextDocument>
#include <QUrl>

namespace zentrix::engine::reports {
namespace {

TEST(ReferenceTextTest, RichTextKeepsItsWordsAndParagraphsOnly) {
    const struct {
        const char* rtf;
        const char* words;
    } cases[] = {
        {"{\\rtf1\\ansi RFC 1918}", "RFC 1918"},
        {"{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0\\green0\\blue0;}\\f0 One\\par "
         "Two}",
         "One\nTwo"},
        {"{\\rtf1 caf\\'e9 \\{braces\\} back\\\\slash}", "caf\xe9 {braces} back\\slash"},
        {"{\\rtf1 {\\*\\generator Writer;}Kept{\\pict\\pngblip 89504e47}}", "Kept"},
        {"{\\rtf1 \\u8212? dash\\tab x}", "? dash x"},
        {"{\\rtf1 \\ldblquote q\\rdblquote  \\b bold\\b0}", "\x93q\x94 bold"},
        {"{\\rtf1 cut \\'", "cut "},
        {"{\\rtf1 unclosed {\\b group", "unclosed group"},
    };
    for (const auto& c : cases) EXPECT_EQ(RichTextWords(c.rtf), c.words) << c.rtf;
}

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

TEST(ReferenceTextTest, RichFormatterReadsOnlyRichReferences) {
    int reads = 0;
    const ReferenceFormatter formatter =
        RichReferenceFormatter([&](QTextDocument& document, const std::string&) {
            ++reads;
            document.setHtml(QStringLiteral("<b>read</b>"));
        });
    EXPECT_EQ(TextOf(formatter(" {\\rtf1 x}")[0]), QStringLiteral("read"));
    EXPECT_EQ(TextOf(formatter("plain words")[0]), QStringLiteral("plain words"));
    EXPECT_EQ(reads, 1);
    const ReferenceFormatter empty =
        RichReferenceFormatter([](QTextDocument&, const std::string&) {});
    EXPECT_EQ(TextOf(empty("{\\rtf1 kept}")[0]), QStringLiteral("kept"))
        << "an unreadable rich text still shows its words";
}

}  // namespace
}  // namespace zentrix::engine::reports

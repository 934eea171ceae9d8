// The RTF reader against small hand-written documents (one fault or feature
// each) and Word-style documents in fixtures/word.

#include <gtest/gtest.h>

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextTable>
#include <functional>

#include "ui/rich_text/rich_text_document.h"

namespace zentrix::ui {
namespace {

QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(ZENTRIX_RICH_TEXT_FIXTURES "/word/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QByteArray rtf(const QByteArray& body) {
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}" +
           body + "}";
}

// The character format of the first character of `needle` in the document.
QTextCharFormat formatOf(QTextDocument& document, const QString& needle) {
    const QTextCursor found = document.find(needle);
    EXPECT_FALSE(found.isNull()) << needle.toStdString();
    QTextCursor at(&document);
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

// The document's characters as read (no-break spaces and line separators
// kept), paragraphs separated by "\n".
QString plainOf(const QByteArray& text) {
    QTextDocument document;
    setStudyText(document, text);
    return document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

TEST(RtfReaderTest, TextWithoutTheRtfHeaderIsShownAsPlainWindows1252Text) {
    QTextDocument document;
    setStudyText(document, "{\\b not rich} 5 \x80 caf\xe9");
    EXPECT_EQ(document.toPlainText(), QString::fromUtf8("{\\b not rich} 5 € café"));
    EXPECT_FALSE(isRichText("{\\b x}"));
    EXPECT_TRUE(isRichText("  {\\rtf1 x}"));
}

TEST(RtfReaderTest, CharacterFormattingReachesTheText) {
    QTextDocument document;
    setStudyText(
        document,
        rtf("plain \\b bold\\b0  \\i italic\\i0  \\ul under\\ulnone  \\strike gone\\strike0  "
            "\\fs40 big\\fs24  \\cf1 red\\cf0  \\cb2 blue\\cb0  \\highlight1 marked\\highlight0  "
            "\\f1 serif\\f0  x\\super sup\\nosupersub  x\\sub sub\\nosupersub  "
            "{\\b\\i inner}after \\b on\\plain  reset\\par"));
    const struct {
        const char* text;
        std::function<bool(const QTextCharFormat&)> holds;
    } cases[] = {
        {"plain",
         [](const QTextCharFormat& f) {
             return f.fontWeight() == QFont::Normal && !f.fontItalic();
         }},
        {"bold", [](const QTextCharFormat& f) { return f.fontWeight() == QFont::Bold; }},
        {"italic",
         [](const QTextCharFormat& f) { return f.fontItalic() && f.fontWeight() != QFont::Bold; }},
        {"under", [](const QTextCharFormat& f) { return f.fontUnderline(); }},
        {"gone", [](const QTextCharFormat& f) { return f.fontStrikeOut(); }},
        {"big", [](const QTextCharFormat& f) { return f.fontPointSize() == 20.0; }},
        {"red",
         [](const QTextCharFormat& f) { return f.foreground().color() == QColor(255, 0, 0); }},
        {"blue",
         [](const QTextCharFormat& f) { return f.background().color() == QColor(0, 0, 255); }},
        {"marked",
         [](const QTextCharFormat& f) { return f.background().color() == QColor(255, 0, 0); }},
        {"serif",
         [](const QTextCharFormat& f) {
             return f.fontFamilies().toStringList() == QStringList{"Times New Roman"};
         }},
        {"plain",
         [](const QTextCharFormat& f) {
             return f.fontFamilies().toStringList() == QStringList{"Arial"};
         }},
        {"sup",
         [](const QTextCharFormat& f) {
             return f.verticalAlignment() == QTextCharFormat::AlignSuperScript;
         }},
        {"sub",
         [](const QTextCharFormat& f) {
             return f.verticalAlignment() == QTextCharFormat::AlignSubScript;
         }},
        {"inner",
         [](const QTextCharFormat& f) { return f.fontItalic() && f.fontWeight() == QFont::Bold; }},
        {"after",
         [](const QTextCharFormat& f) { return !f.fontItalic() && f.fontWeight() != QFont::Bold; }},
        {"reset", [](const QTextCharFormat& f) { return f.fontWeight() != QFont::Bold; }},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.holds(formatOf(document, c.text))) << c.text;
}

TEST(RtfReaderTest, ParagraphFormattingReachesTheBlocks) {
    QTextDocument document;
    setStudyText(document, rtf("\\pard\\qc centre\\par\\pard\\qr right\\par\\pard\\qj just\\par"
                               "\\pard\\li1440\\ri720\\fi-360\\sb300\\sa150 indented\\par"
                               "\\pard left\\par"));
    const auto block = [&](const char* text) { return document.find(text).block().blockFormat(); };
    EXPECT_EQ(block("centre").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(block("right").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(block("just").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    const QTextBlockFormat indented = block("indented");
    EXPECT_DOUBLE_EQ(indented.leftMargin(), 96.0);
    EXPECT_DOUBLE_EQ(indented.rightMargin(), 48.0);
    EXPECT_DOUBLE_EQ(indented.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(indented.topMargin(), 20.0);
    EXPECT_DOUBLE_EQ(indented.bottomMargin(), 10.0);
    EXPECT_DOUBLE_EQ(block("left").leftMargin(), 0.0);
    EXPECT_EQ(document.blockCount(), 5) << "the empty paragraph after the last \\par is dropped";
}

TEST(RtfReaderTest, CharactersDecodeInTheDocumentsAndTheFontsCodePage) {
    const struct {
        QByteArray text;
        const char* expected;
    } cases[] = {
        {rtf("caf\\'e9 \\'80 \\'93q\\'94"), "café € “q”"},
        {"{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", "При"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial;}}\\f1\\'cf\\f0\\'e9}",
         "Пé"},
        {"{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82\\'a2}", "あい"},
        {"{\\rtf1\\ansi\\ansicpg1250 \\'9a}", "š"},
        {"{\\rtf1\\ansi\\ansicpg99999 \\'e9}", "é"},  // unknown code page: Windows-1252
        {"{\\rtf1\\ansi\\uc1\\u8364?\\u-10179?\\u-8704?!}", "€😀!"},
        {"{\\rtf1\\ansi\\uc2\\u8364\\'80\\'80x\\uc0\\u8364 y}", "€x€y"},
        {"{\\rtf1\\ansi{\\u8364\\'80}\\'e9}", "€é"},    // a group ends the skipping
        {"{\\rtf1\\ansi\\u-10179 x}", "\xEF\xBF\xBD"},  // a lone surrogate
        {"{\\rtf1\\ansi a\\~b\\_c\\-d\\{\\}\\\\}", "a\u00a0b\u2011c\u00add{}\\"},
        {"{\\rtf1\\ansi\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}", "—–‘’“”•"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f2\\fcharset2 Symbol;}{\\f3 "
         "Wingdings;}}{\\f2\\'b7}{\\f3\\'a7}{\\f2\\u-3913 ?}}",
         "•▪•"},
        {"{\\rtf1\\ansi a\\tab b\\line c}", "a\tb\u2028c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plainOf(c.text), QString::fromUtf8(c.expected)) << c.text.toStdString();
}

TEST(RtfReaderTest, DestinationsThatAreNotTextAreSkipped) {
    const struct {
        QByteArray text;
        const char* expected;
    } cases[] = {
        {rtf("{\\stylesheet{\\s1 Heading;}}{\\info{\\title T}{\\author A}}shown"), "shown"},
        {rtf("{\\*\\unknowndestination hidden {\\b deeper}}shown"), "shown"},
        {rtf("{\\*\\generator Word;}{\\header head}{\\footer foot}shown"), "shown"},
        {rtf("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} text"), "link text"},
        {rtf("{\\v hidden}shown"), "shown"},
        {rtf("{\\*\\bkmkstart b}shown{\\*\\bkmkend b}"), "shown"},
        {rtf("\\unknownword42 shown"), "shown"},
        {"{\\rtf1 inside} after the document", "inside"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plainOf(c.text), QString::fromUtf8(c.expected)) << c.text.toStdString();
}

TEST(RtfReaderTest, WordDocumentsReadAsTheirAuthorWroteThem) {
    const struct {
        const char* file;
        std::vector<const char*> lines;
    } cases[] = {
        {"word-lists.rtf",
         {"Before you start", "•\tCheck the cable.", "•\tRenew the lease with ipconfig /renew.",
          "Numbered:", "1.\tFirst step", "2.\tSecond step"}},
        {"wordpad-code-page.rtf",
         {"Grüße aus Köln € 5 – café", "Привет", "•\tPunkt eins", "•\tPunkt zwei", "€😀 ende"}},
        {"word-formatting.rtf",
         {"\xEF\xBF\xBCTitle", "Justified, italic, underlined, struck, red, marked, H2O, x2.",
          "mono\ttab\u2028next line visible\u00a0nbsp soft\u00adhyphen non\u2011breaking",
          "link text"}},
    };
    for (const auto& c : cases) {
        QStringList expected;
        for (const char* line : c.lines) expected << QString::fromUtf8(line);
        EXPECT_EQ(plainOf(fixture(c.file)).split(QLatin1Char('\n')), expected) << c.file;
    }
    QTextDocument document;
    setStudyText(document, fixture("word-lists.rtf"));
    const QTextBlockFormat item =
        document.find(QStringLiteral("Check the cable")).block().blockFormat();
    EXPECT_DOUBLE_EQ(item.leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(item.textIndent(), -24.0);
    EXPECT_EQ(formatOf(document, QStringLiteral("Before")).fontWeight(), QFont::Bold);
}

QTextTable* firstTable(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (auto* table = QTextCursor(block).currentTable()) return table;
    }
    return nullptr;
}

TEST(RtfReaderTest, TablesBecomeRowsOfCellsWithTheirWidths) {
    const struct {
        QByteArray text;
        int rows;
        int columns;
        QStringList cells;
        QString after;
    } cases[] = {
        {fixture("word-table.rtf"),
         2,
         2,
         {"Host", "Address", "router", "10.0.0.1"},
         "After the table."},
        // Rows without \intbl, as hand-written documents have them.
        {rtf("\\trowd\\cellx1000\\cellx3000 a\\cell b\\cell\\row\\trowd\\cellx1000\\cellx3000 "
             "c\\cell d\\cell\\row"
             "\\pard\\par next"),
         2,
         2,
         {"a", "b", "c", "d"},
         "next"},
        // More cells than the row defines: the table grows.
        {rtf("\\trowd\\cellx1000 a\\cell b\\cell c\\cell\\row\\pard after"),
         1,
         3,
         {"a", "b", "c"},
         "after"},
        // A document that ends inside a table keeps what it had.
        {rtf("\\trowd\\cellx1000\\cellx2000 a\\cell b"), 1, 2, {"a", "b"}, ""},
    };
    for (const auto& c : cases) {
        QTextDocument document;
        setStudyText(document, c.text);
        QTextTable* table = firstTable(document);
        ASSERT_NE(table, nullptr) << c.text.toStdString();
        EXPECT_EQ(table->rows(), c.rows);
        EXPECT_EQ(table->columns(), c.columns);
        QStringList cells;
        for (int r = 0; r < table->rows(); ++r) {
            for (int col = 0; col < table->columns(); ++col) {
                QTextCursor cursor = table->cellAt(r, col).firstCursorPosition();
                cursor.setPosition(table->cellAt(r, col).lastCursorPosition().position(),
                                   QTextCursor::KeepAnchor);
                cells << cursor.selectedText();
            }
        }
        EXPECT_EQ(cells, c.cells) << c.text.toStdString();
        EXPECT_TRUE(document.toPlainText().endsWith(c.after))
            << document.toPlainText().toStdString();
    }
    QTextDocument document;
    setStudyText(document, fixture("word-table.rtf"));
    const auto widths = firstTable(document)->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 2);
    EXPECT_NEAR(widths[0].rawValue(), 40.0, 0.01) << "2000 of 5000 twips";
    EXPECT_NEAR(widths[1].rawValue(), 60.0, 0.01);
    EXPECT_NEAR(firstTable(document)->format().width().rawValue(), 5000 / 15.0, 0.01);
}

// Damaged input shows what could be read, in bounded time and memory.
TEST(RtfReaderTest, DamagedInputShowsWhatCouldBeRead) {
    QByteArray deep = "{\\rtf1 start";
    for (int i = 0; i < 10000; ++i) deep += "{\\b ";
    deep += "deep";
    for (int i = 0; i < 10000; ++i) deep += "}";
    deep += " end}";
    QByteArray manyUnclosed = "{\\rtf1 open";
    for (int i = 0; i < 10000; ++i) manyUnclosed += "{";

    const struct {
        QByteArray text;
        const char* expected;
        bool unbalanced;
        bool depthLimited;
    } cases[] = {
        {"{\\rtf1 {\\b unclosed", "unclosed", true, false},
        {"{\\rtf1 a}}}} b", "a", false, false},
        {"{\\rtf1 \\fs99999999999999999999 \\li-99999999999999 \\uc99999999 big\\u99999999 x}",
         "big", false, false},
        {"{\\rtf1 truncated \\'4", "truncated ", true, false},
        {"{\\rtf1 bad\\'zz hex}", "badzz hex", false, false},
        {"{\\rtf1 end\\", "end", true, false},
        {"{\\rtf1 a\\bin99999999 bcd}", "a", true, false},
        {"{\\rtf1 a\\bin2 xyb}", "ab", false, false},
        {"{\\rtf1 a{\\pict\\pngblip 89504e47ffff}b}",
         "a\xEF\xBF\xBC"
         "b",
         false, false},
        {"{\\rtf1 a{\\pict\\pngblip 89504e", "a\xEF\xBF\xBC", true, false},
        {"{\\rtf1 \\trowd\\cellx-5\\cellx99999999999 x\\cell\\row}", "\nx\n\n", false, false},
        {deep, "startdeep end", false, true},
        {manyUnclosed, "open", true, true},
        {"{\\rtf1 {\\fonttbl{\\f0 never closed font name", "", true, false},
        {"{\\rtf1 {\\colortbl;\\red999\\green-5\\blue;}\\cf1 c\\cf999999 d}", "cd", false, false},
    };
    for (const auto& c : cases) {
        QTextDocument document;
        const RtfReadSummary summary = setStudyText(document, c.text);
        EXPECT_EQ(document.toPlainText(), QString::fromUtf8(c.expected))
            << c.text.left(60).toStdString();
        EXPECT_EQ(summary.unbalanced, c.unbalanced) << c.text.left(60).toStdString();
        EXPECT_EQ(summary.depthLimited, c.depthLimited) << c.text.left(60).toStdString();
    }
}

TEST(RtfReaderTest, PlainTextOfAStudyTextLeavesFormattingAndPicturesOut) {
    EXPECT_EQ(studyTextToPlainText(rtf("\\b Bold\\b0 {\\pict\\pngblip 00} text\\par second")),
              QStringLiteral("Bold text\nsecond"));
    EXPECT_EQ(studyTextToPlainText("plain \xe9\r\nCR LF\rCR\nLF"),
              QString::fromUtf8("plain é\nCR LF\nCR\nLF"));
    const auto document = makeStudyTextDocument(rtf("\\i doc"));
    EXPECT_EQ(document->toPlainText(), QStringLiteral("doc"));
}

TEST(RtfReaderTest, ReplacingTheTextDropsTheOldPictures) {
    QTextDocument document;
    setStudyText(document, fixture("word-formatting.rtf"));
    EXPECT_FALSE(document.resource(QTextDocument::ImageResource, QUrl("rtf-picture:1")).isNull());
    setStudyText(document, "plain");
    EXPECT_TRUE(document.resource(QTextDocument::ImageResource, QUrl("rtf-picture:1")).isNull());
}

}  // namespace
}  // namespace zentrix::ui

#include "engine/reports/reference_text.h"

#include <gtest/gtest.h>

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

TEST(ReferenceTextTest, PlainReferencesAreDecodedAndTrimmed) {
    const auto runs = PlainReferenceText("  Chapter 2 \x96 Hubs\r\n");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, QString::fromUtf8("Chapter 2 \u2013 Hubs"));
    EXPECT_TRUE(PlainReferenceText("   ").empty());
    EXPECT_EQ(PlainReferenceText("{\\rtf1 \\'93x\\'94}")[0].text,
              QString::fromUtf8("\u201cx\u201d"));
}

}  // namespace
}  // namespace zentrix::engine::reports

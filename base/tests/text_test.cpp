#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <string_view>

#include "base/ascii_text.h"
#include "base/windows1252.h"

namespace zentrix::base {
namespace {

using namespace std::string_literals;

TEST(AsciiTrim, RemovesOnlyTheGivenCharactersAtTheChosenEnds) {
    struct Case {
        std::string_view text;
        std::string_view chars;
        std::string both, right, left;
    };
    const Case cases[] = {
        {"", ascii::kWhitespace, "", "", ""},
        {" \t\r\n\v\f", ascii::kWhitespace, "", "", ""},
        {" a b ", ascii::kWhitespace, "a b", " a b", "a b "},
        {"\tname\r\n", ascii::kWhitespace, "name", "\tname", "name\r\n"},
        // A fixed-width field: only blanks are padding, a tab is data.
        {" \tkey  ", ascii::kBlank, "\tkey", " \tkey", "\tkey  "},
        {"    ", ascii::kBlank, "", "", ""},
        // Padding of blanks and NUL bytes, as some writers leave it.
        {std::string_view("12 \0\0", 5), std::string_view(" \0", 2), "12", "12", "12 \0\0"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ascii::trimmed(c.text, c.chars), c.both) << c.text;
        EXPECT_EQ(ascii::trimmedRight(c.text, c.chars), c.right) << c.text;
        EXPECT_EQ(ascii::trimmedLeft(c.text, c.chars), c.left) << c.text;
    }
}

TEST(AsciiCase, FoldsAsciiLettersOnlyWhateverTheLocale) {
    // Under a Latin-1 locale (where one is installed) std::toupper folds
    // 0xE9 to 0xC9; names and keys must not change with the machine they are
    // read on.
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_CTYPE, "en_US.ISO-8859-1");
    EXPECT_EQ(ascii::upper("abc_xyz-09\xE9\xFF"), "ABC_XYZ-09\xE9\xFF");
    EXPECT_EQ(ascii::lower("ABC_XYZ-09\xC9\xDE"), "abc_xyz-09\xC9\xDE");
    EXPECT_TRUE(ascii::equalsIgnoringCase("Gtest.DBF", "gTEST.dbf"));
    EXPECT_FALSE(ascii::equalsIgnoringCase("caf\xE9", "CAF\xC9"));
    EXPECT_FALSE(ascii::equalsIgnoringCase("abc", "abcd"));
    EXPECT_FALSE(ascii::isAlpha('\xE9'));
    EXPECT_FALSE(ascii::isSpace('\xA0'));
    std::setlocale(LC_CTYPE, saved.c_str());
}

TEST(AsciiClasses, HexDigitsAndTheCharactersAroundThem) {
    const std::string_view digits = "0123456789abcdefABCDEF";
    const int values[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                          11, 12, 13, 14, 15, 10, 11, 12, 13, 14, 15};
    for (size_t i = 0; i < digits.size(); ++i)
        EXPECT_EQ(ascii::hexDigitValue(digits[i]), values[i]);
    for (char c : std::string_view("/:@G`g \xB0")) {
        EXPECT_EQ(ascii::hexDigitValue(c), -1) << int(c);
        EXPECT_FALSE(ascii::isHexDigit(c));
    }
}

TEST(AsciiEscapes, LineBreaksTabsQuotesAndControlBytes) {
    struct Case {
        std::string text, escaped, quoted;
    };
    const Case cases[] = {
        {"plain", "plain", "\"plain\""},
        {"C:\\dir\\", "C:\\\\dir\\\\", "\"C:\\\\dir\\\\\""},
        {"a\tb\r\nc", "a\\tb\\r\\nc", "\"a\\tb\\r\\nc\""},
        {"say \"hi\"", "say \"hi\"", "\"say \\\"hi\\\"\""},
        {"\x01\x1F\x7F\xE9"s, "\x01\x1F\x7F\xE9"s, "\"\\x01\\x1F\\x7F\xE9\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ascii::backslashEscaped(c.text), c.escaped) << c.text;
        EXPECT_EQ(ascii::quotedWithEscapes(c.text), c.quoted) << c.text;
    }
}

TEST(Windows1252Case, EveryLetterPairFoldsBothWays) {
    // The pairs outside ASCII: s, oe and z caron, y diaeresis, and the
    // Latin-1 letters; the multiplication and division signs and sharp s
    // stay as they are.
    const std::string lower = "abcz\x9A\x9C\x9E\xFF\xE0\xE9\xF6\xF8\xFE";
    const std::string upper = "ABCZ\x8A\x8C\x8E\x9F\xC0\xC9\xD6\xD8\xDE";
    EXPECT_EQ(windows1252Upper(lower), upper);
    EXPECT_EQ(windows1252Lower(upper), lower);
    for (const char* same : {"\xD7", "\xF7", "\xDF", "\x80", "1 _"}) {
        EXPECT_EQ(windows1252Upper(same), same);
        EXPECT_EQ(windows1252Lower(same), same);
    }
}

TEST(Windows1252Text, EveryByteComesBackFromItsCodePoint) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::u16string text = windows1252ToUtf16(all);
    ASSERT_EQ(text.size(), all.size());
    EXPECT_EQ(text[0x80], u'\u20AC');  // the euro sign
    EXPECT_EQ(text[0xE9], u'\u00E9');
    for (int b = 0; b < 256; ++b) EXPECT_EQ(windows1252Byte(text[size_t(b)]), b) << b;
    // Characters the code page lacks.
    for (char32_t missing : {U'\u0100', U'\u2603', U'\U0001F600'})
        EXPECT_EQ(windows1252Byte(missing), -1);
}

}  // namespace
}  // namespace zentrix::base

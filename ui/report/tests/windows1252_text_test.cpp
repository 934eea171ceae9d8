// Bank and history texts to Unicode and back: the typographic characters of
// 0x80..0x9F, Latin-1 above, and what the code page cannot hold.

#include "ui/report/windows1252_text.h"

#include <gtest/gtest.h>

namespace zentrix::report {
namespace {

TEST(Windows1252Text, DecodesAndEncodesEveryCharacterOfTheCodePage) {
    const struct {
        std::string bytes;
        QString text;
    } cases[] = {
        {"plain", QStringLiteral("plain")},
        {"\x80 \x93quoted\x94 \x96 \x85", QStringLiteral("€ “quoted” – …")},
        {"Stra\xdf"
         "e caf\xe9 \xff",
         QStringLiteral("Straße café ÿ")},
        {"\x8a\x9a\x8c\x9c\x9f", QStringLiteral("ŠšŒœŸ")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromWindows1252(c.bytes), c.text);
        EXPECT_EQ(ToWindows1252(c.text), c.bytes);
    }
    // Every byte survives the round trip, the five unassigned ones included.
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
}

TEST(Windows1252Text, CharactersTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(ToWindows1252(QStringLiteral("Ω ≠ 日本")), "? ? ??");
    EXPECT_EQ(ToWindows1252(QString::fromUtf8("\xF0\x9F\x98\x80")), "??");  // two code units
}

}  // namespace
}  // namespace zentrix::report

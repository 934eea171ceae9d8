#include "simulation/code_page.h"

#include <gtest/gtest.h>

namespace zentrix::simulation {
namespace {

TEST(CodePage, EveryByteComesBackAndForeignCharactersAreRefused) {
    QByteArray all;
    for (int b = 1; b < 256; ++b) all.append(static_cast<char>(b));
    const QString text = CodePage::decode(all);
    EXPECT_EQ(text[0x80 - 1], QChar(0x20AC));  // euro sign
    EXPECT_EQ(text[0xE9 - 1], QChar(0xE9));
    EXPECT_EQ(CodePage::encode(text), all);
    EXPECT_FALSE(CodePage::encode(QStringLiteral("\u4e2d")).has_value());
}

}  // namespace
}  // namespace zentrix::simulation

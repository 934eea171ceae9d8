#include "questionbank/answer_key.h"

#include <gtest/gtest.h>

#include "questionbank/bank_records.h"

namespace zentrix::questionbank {
namespace {

struct KeyCase {
    const char* name;
    int type;
    const char* key;
    int answerCount;
    std::vector<int> right;
};

class AnswerKeyDecodes : public ::testing::TestWithParam<KeyCase> {};

TEST_P(AnswerKeyDecodes, GivesTheRightChoices) {
    const KeyCase& c = GetParam();
    xbase::Result<AnswerKey> key = AnswerKey::decode(c.type, c.key, c.answerCount);
    ASSERT_TRUE(key.isOk()) << key.message();
    EXPECT_EQ(c.right, key.value().rightChoices());
    for (int choice : c.right) EXPECT_TRUE(key.value().isRight(choice));
    EXPECT_FALSE(key.value().isRight(0));
    EXPECT_FALSE(key.value().isRight(-1));
    EXPECT_FALSE(key.value().isRight(1000));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AnswerKeyDecodes,
    ::testing::Values(KeyCase{"TrueMeansChoiceOne", kTrueFalse, "TRUE", 0, {1}},
                      KeyCase{"TrueWithPaddingStillTrue", kTrueFalse, "TRUE ", 0, {1}},
                      KeyCase{"LowerCaseTrueMeansFalse", kTrueFalse, "true", 0, {2}},
                      KeyCase{"LeadingBlankIsNotTrue", kTrueFalse, " TRUE", 0, {2}},
                      KeyCase{"FalseMeansChoiceTwo", kTrueFalse, "FALSE", 0, {2}},
                      KeyCase{"AnyOtherTextMeansFalse", kTrueFalse, "xyz", 0, {2}},
                      KeyCase{"SingleChoiceByNumber", kSingleChoice, "3    ", 4, {3}},
                      KeyCase{"SingleChoiceAboveCountNoneRight", kSingleChoice, "5", 4, {}},
                      KeyCase{"SingleChoiceZeroNoneRight", kSingleChoice, "0", 4, {}},
                      KeyCase{"MaskFiveMarksOneAndThree", kMultipleChoice, "5", 4, {1, 3}},
                      KeyCase{"MaskBitsAboveCountIgnored", kMultipleChoice, "12", 3, {3}},
                      KeyCase{"AllSixteenChoices",
                              kMultipleChoice,
                              "65535",
                              16,
                              {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
                      KeyCase{"SimulationHasNoKey", kSimulation, "", 3, {}}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

struct BadKeyCase {
    const char* name;
    int type;
    const char* key;
};

class AnswerKeyRefuses : public ::testing::TestWithParam<BadKeyCase> {};

TEST_P(AnswerKeyRefuses, WithAMessageQuotingTheKey) {
    const BadKeyCase& c = GetParam();
    xbase::Result<AnswerKey> key = AnswerKey::decode(c.type, c.key, 4);
    ASSERT_FALSE(key.isOk());
    if (c.type == kSingleChoice || c.type == kMultipleChoice) {
        EXPECT_NE(std::string::npos, key.message().find("not a decimal number")) << key.message();
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, AnswerKeyRefuses,
                         ::testing::Values(BadKeyCase{"SingleLetters", kSingleChoice, "B"},
                                           BadKeyCase{"SingleEmpty", kSingleChoice, "     "},
                                           BadKeyCase{"SingleNegative", kSingleChoice, "-1"},
                                           BadKeyCase{"MultipleWithComma", kMultipleChoice, "1,3"},
                                           BadKeyCase{"MultipleHex", kMultipleChoice, "0x5"},
                                           BadKeyCase{"UnknownType", 2, "1"}),
                         [](const ::testing::TestParamInfo<BadKeyCase>& info) {
                             return info.param.name;
                         });

TEST(AnswerKeyEncodes, MultipleChoicesAsBitMask) {
    EXPECT_EQ("5", AnswerKey::encodeMultiple({1, 3}).value());
    EXPECT_EQ(
        "65535",
        AnswerKey::encodeMultiple({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}).value());
    EXPECT_FALSE(AnswerKey::encodeMultiple({17}).isOk());
    EXPECT_FALSE(AnswerKey::encodeMultiple({0}).isOk());
}

}  // namespace
}  // namespace zentrix::questionbank

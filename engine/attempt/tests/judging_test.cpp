#include <gtest/gtest.h>

#include "engine/attempt/answer_judge.h"

namespace zentrix::engine {
namespace {

using namespace questionbank;

TestQuestionInfo question(int type, std::string key, int choices) {
    TestQuestionInfo q;
    q.NUM = 1;
    q.ID = 7;
    q.TYPE = type;
    q.TITLE = "title";
    q.NUMANSWER = choices;
    q.ANSWER = key;
    return q;
}

TEST(Judging, EachTypeReadsItsWidgetsAndKey) {
    const struct {
        const char* name;
        int type;
        const char* key;
        int choices;
        std::vector<bool> selected;
        bool answered, correct;
        int given, right;
    } cases[] = {
        {"true chosen, key TRUE", kTrueFalse, "TRUE ", 0, {true, false}, true, true, 0, 0},
        {"false chosen, key TRUE", kTrueFalse, "TRUE", 0, {false, true}, true, false, 1, 0},
        {"lower-case true means false", kTrueFalse, "true", 0, {false, true}, true, true, 1, 1},
        {"nothing chosen", kTrueFalse, "FALSE", 0, {false, false}, false, false, 0, 1},
        {"single, right choice",
         kSingleChoice,
         "3",
         4,
         {false, false, true, false},
         true,
         true,
         3,
         3},
        {"single, wrong choice",
         kSingleChoice,
         "3",
         4,
         {true, false, false, false},
         true,
         false,
         1,
         3},
        {"single, key above the choices",
         kSingleChoice,
         "5",
         4,
         {false, false, false, true},
         true,
         false,
         4,
         5},
        {"single, nothing chosen", kSingleChoice, "1", 2, {false, false}, false, false, 0, 1},
        {"multiple, key 5 is choices 1 and 3",
         kMultipleChoice,
         "5",
         4,
         {true, false, true, false},
         true,
         true,
         5,
         5},
        {"multiple, one of two",
         kMultipleChoice,
         "5",
         4,
         {true, false, false, false},
         true,
         false,
         1,
         5},
        {"multiple, all sixteen", kMultipleChoice, "65535", 16, std::vector<bool>(16, true), true,
         true, 65535, 65535},
        {"single, key not a number", kSingleChoice, "x1", 2, {true, false}, true, false, 1, -1},
        {"multiple, key not a number", kMultipleChoice, "", 2, {true, true}, true, false, 3, -1},
        {"other types record nothing", 4, "1", 2, {true, false}, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        QuestionAnswer item;
        const JudgeOutcome outcome =
            RecordAnswer(item, question(c.type, c.key, c.choices), AnswerCapture{c.selected});
        EXPECT_EQ(item.Answered, c.answered) << c.name;
        EXPECT_EQ(item.Correct, c.correct) << c.name;
        EXPECT_EQ(item.GivenAnswer, c.given) << c.name;
        EXPECT_EQ(item.CorrectAnswer, c.right) << c.name;
        EXPECT_EQ(outcome.answered, c.answered) << c.name;
        EXPECT_EQ(outcome.correct, c.correct) << c.name;
        EXPECT_EQ(outcome.damagedKey, c.right == -1) << c.name;
        EXPECT_TRUE(item.Seen) << c.name;
        EXPECT_EQ(item.QuestionType, c.type) << c.name;
        EXPECT_EQ(item.AnswerCount, c.choices) << c.name;
        EXPECT_EQ(item.QuestionTitle, "title") << c.name;
    }
}

TEST(Judging, UntickingEveryChoiceKeepsTheEarlierAnswer) {
    QuestionAnswer item;
    const TestQuestionInfo q = question(kMultipleChoice, "6", 3);
    RecordAnswer(item, q, {{false, true, true}});
    ASSERT_TRUE(item.Correct);
    const JudgeOutcome outcome = RecordAnswer(item, q, {{false, false, false}});
    EXPECT_TRUE(item.Answered);
    EXPECT_EQ(item.GivenAnswer, 6);
    EXPECT_TRUE(item.Correct);
    EXPECT_TRUE(outcome.answered);
}

TEST(Judging, SimulationOutcomeIsJudgedWhenTheQuestionIsLeft) {
    for (bool right : {true, false}) {
        QuestionAnswer item;
        RecordSimulationOutcome(item, right);
        RecordAnswer(item, question(kSimulation, "", 3), {});
        EXPECT_TRUE(item.Answered);
        EXPECT_EQ(item.GivenAnswer, right ? 0 : 1);
        EXPECT_EQ(item.Correct, right);
    }
    QuestionAnswer untouched;
    RecordAnswer(untouched, question(kSimulation, "", 3), {});
    EXPECT_FALSE(untouched.Answered) << "a simulation left without an outcome stays incomplete";
}

TEST(Judging, KeysReadAsDecimalIntegers) {
    const struct {
        const char* key;
        int value;
        bool readable;
    } cases[] = {{"12", 12, true},  {"  7  ", 7, true}, {"+3", 3, true},           {"-1", -1, true},
                 {"1a", -1, false}, {"", -1, false},    {"99999999999", -1, false}};
    for (const auto& c : cases) {
        bool readable = false;
        EXPECT_EQ(KeyAsInteger(c.key, &readable), c.value) << c.key;
        EXPECT_EQ(readable, c.readable) << c.key;
    }
}

}  // namespace
}  // namespace zentrix::engine

#include "engine/attempt/review_list.h"

#include <gtest/gtest.h>

#include "questionbank/bank_records.h"

namespace zentrix::engine {
namespace {

using namespace questionbank;

QuestionAnswer item(bool seen, bool answered, bool correct, bool marked, int type = kSingleChoice) {
    QuestionAnswer a;
    a.Seen = seen;
    a.Answered = answered;
    a.Correct = correct;
    a.Marked = marked;
    a.QuestionType = type;
    return a;
}

TEST(ReviewList, RowsLineUpTheirStatesAndCarryTheirFlags) {
    const struct {
        const char* name;
        int index;
        QuestionAnswer item;
        ExamMode mode;
        const char* text;
        int flags;
        bool wrongSign, mark;
    } cases[] = {
        {"row 1, correct", 0, item(true, true, true, false), ExamMode::OpenBook, "1:   Correct",
         kReviewCorrect | kReviewShowsCorrectness, false, false},
        {"row 9, incorrect and marked", 8, item(true, true, false, true), ExamMode::ClosedBook,
         "9:   Incorrect", kReviewNotCorrect | kReviewShowsCorrectness | kReviewMarked, true, true},
        {"row 10, one blank", 9, item(true, true, true, false), ExamMode::OpenBook, "10: Correct",
         kReviewCorrect | kReviewShowsCorrectness, false, false},
        {"marked and incomplete shows only the mark", 11, item(true, false, false, true),
         ExamMode::OpenBook, "12: Incomplete",
         kReviewIncomplete | kReviewNotCorrect | kReviewShowsCorrectness | kReviewMarked, false,
         true},
        {"never seen", 2, item(false, false, false, false), ExamMode::OpenBook, "3:   Incomplete",
         kReviewIncomplete | kReviewNotCorrect | kReviewShowsCorrectness, false, false},
        {"mixed exam shows Answered and no wrong sign", 0, item(true, true, false, false),
         ExamMode::Mixed, "1:   Answered", kReviewNotCorrect, false, false},
        {"simulation", 4, item(true, true, true, false, kSimulation), ExamMode::OpenBook,
         "5:   Correct", kReviewCorrect | kReviewShowsCorrectness, false, false},
        {"an unknown type has no state", 0, item(true, true, false, false, 4), ExamMode::OpenBook,
         "1:   ", kReviewNotCorrect | kReviewShowsCorrectness, true, false},
    };
    for (const auto& c : cases) {
        const ReviewRow row = MakeReviewRow(c.index, c.item, c.mode);
        EXPECT_EQ(row.text, c.text) << c.name;
        EXPECT_EQ(row.flags, c.flags) << c.name;
        EXPECT_EQ(row.showsWrongSign(), c.wrongSign) << c.name;
        EXPECT_EQ(row.showsMark(), c.mark) << c.name;
    }
}

TEST(ReviewList, MixedExamCountersHideCorrectness) {
    ExamCounters c;
    c.remaining = 1;
    c.correct = 2;
    c.incorrect = 3;
    c.notAnswered = 4;
    c.answered = 5;
    c.percent = 40;
    const ReviewCounterTexts single = CounterTexts(c, ExamMode::ClosedBook);
    EXPECT_EQ(single.correct, "2");
    EXPECT_EQ(single.incorrect, "3");
    EXPECT_EQ(single.percent, "40");
    const ReviewCounterTexts mixed = CounterTexts(c, ExamMode::Mixed);
    EXPECT_EQ(mixed.remaining, "1");
    EXPECT_EQ(mixed.correct, "-");
    EXPECT_EQ(mixed.incorrect, "-");
    EXPECT_EQ(mixed.percent, "-");
    EXPECT_EQ(mixed.incomplete, "4");
    EXPECT_EQ(mixed.answered, "5");
}

TEST(ReviewList, JumpLinesRightAlignTheNumber) {
    EXPECT_EQ(JumpToLine(0, "Hubs"), "   1 - Hubs");
    EXPECT_EQ(JumpToLine(99, ""), " 100 - ");
    EXPECT_EQ(JumpToLine(12344, "x"), "12345 - x");
}

}  // namespace
}  // namespace zentrix::engine

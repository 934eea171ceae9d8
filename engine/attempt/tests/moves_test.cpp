#include <gtest/gtest.h>

#include "engine/attempt/exam_attempt.h"
#include "engine/attempt/exam_counters.h"
#include "memory_bank.h"
#include "scripted_random.h"

namespace zentrix::engine::testing {
namespace {

using Bank = MemoryBank<AttemptBank>;

// Records the questions shown, as the test screen would lay them out.
class ShownQuestions : public QuestionListener {
public:
    void OnQuestion(const questionbank::TestQuestionInfo& q) override { ids.push_back(q.ID); }
    std::vector<int> ids;
};

class MovesTest : public ::testing::Test {
protected:
    MovesTest() {
        bank.exams["A"] = {"Exam A", NumberedQuestions("a", 5), true, {}};
        bank.exams["B"] = {"Exam B", NumberedQuestions("b", 5), true, {}};
        attempt.SetDisplay(&shown);
    }
    // A single exam of `n` questions of A in order, first question shown.
    void startSingle(int n) {
        ASSERT_EQ(bank.OpenTest("A"), 0);
        ASSERT_EQ(attempt.StartSingle(ExamMode::OpenBook, "A", n, false), n);
        ASSERT_EQ(attempt.ShowFirstQuestion().kind, MoveResult::Shown);
    }
    // Answers the item on screen right (choice 1) or leaves it unanswered.
    void answer(bool answered) { attempt.RecordAnswer(AnswerCapture{{answered, false}}); }
    int shownNumber() const { return bank.CurrentQuestion().NUM; }

    Bank bank;
    ManualExamClock clock;
    ScriptedRandom random;
    ExamAttempt attempt{bank, clock, random};
    ShownQuestions shown;
};

TEST_F(MovesTest, NextAndPreviousWalkTheItemsAndTheLastNextEndsTheAttempt) {
    startSingle(3);
    EXPECT_EQ(attempt.Current().QuestionId, Bank::idOf("A", 1));
    EXPECT_FALSE(attempt.PreviousOffered());
    EXPECT_EQ(attempt.Previous().kind, MoveResult::Stayed);
    answer(true);
    EXPECT_EQ(attempt.Next().kind, MoveResult::Shown);
    EXPECT_EQ(attempt.CurrentItem(), 1);
    EXPECT_TRUE(attempt.PreviousOffered());
    answer(false);
    EXPECT_EQ(attempt.Next().kind, MoveResult::Shown);
    answer(true);
    const MoveResult last = attempt.Next();
    EXPECT_EQ(last.kind, MoveResult::Review);
    EXPECT_TRUE(last.endedNow);
    EXPECT_TRUE(attempt.ExamEnded());
    EXPECT_EQ(attempt.CurrentItem(), 2) << "the item index stays within the items";
    EXPECT_EQ(shown.ids,
              (std::vector<int>{Bank::idOf("A", 1), Bank::idOf("A", 2), Bank::idOf("A", 3)}));
    const ExamCounters c = TallyExam(attempt.Items());
    EXPECT_EQ(c.answered, 2);
    EXPECT_EQ(c.correct, 2);
    EXPECT_EQ(c.notAnswered, 1);
    EXPECT_EQ(c.percent, 100) << "the review percentage is over the answered items";
}

TEST_F(MovesTest, IncompletePassVisitsOnlyIncompleteItems) {
    startSingle(5);
    // Items 1, 3 and 5 are left without an answer; 2 and 4 are answered.
    for (int i = 0; i < 5; ++i) {
        answer(i % 2 == 1);
        attempt.Next();
    }
    ASSERT_TRUE(attempt.ExamEnded());
    ASSERT_EQ(attempt.FirstIncompleteItem(), 0);
    EXPECT_EQ(attempt.ReviewIncomplete().kind, MoveResult::Shown);
    EXPECT_TRUE(attempt.IncompleteOnly());
    EXPECT_EQ(attempt.CurrentItem(), 0);
    EXPECT_FALSE(attempt.PreviousOffered());
    answer(false);
    EXPECT_EQ(attempt.Next().kind, MoveResult::Shown);
    EXPECT_EQ(attempt.CurrentItem(), 2) << "item 2 is complete and skipped";
    EXPECT_TRUE(attempt.PreviousOffered()) << "item 1 is still incomplete";
    answer(true);
    EXPECT_EQ(attempt.Previous().kind, MoveResult::Shown);
    EXPECT_EQ(attempt.CurrentItem(), 0);
    answer(true);  // now everything before item 5 is complete
    EXPECT_EQ(attempt.Next().kind, MoveResult::Shown);
    EXPECT_EQ(attempt.CurrentItem(), 4);
    EXPECT_FALSE(attempt.PreviousOffered());
    EXPECT_EQ(attempt.Previous().kind, MoveResult::Stayed);
    EXPECT_EQ(attempt.Next().kind, MoveResult::Review) << "next on the last item";
}

TEST_F(MovesTest, IncompletePassEndsAtTheReviewWhenNoLaterItemIsIncomplete) {
    startSingle(4);
    for (int i = 0; i < 4; ++i) {
        answer(i >= 2);
        attempt.Next();
    }
    ASSERT_EQ(attempt.ReviewIncomplete().kind, MoveResult::Shown);
    answer(true);
    ASSERT_EQ(attempt.Next().kind, MoveResult::Shown);
    EXPECT_EQ(attempt.CurrentItem(), 1);
    answer(true);
    const MoveResult end = attempt.Next();
    EXPECT_EQ(end.kind, MoveResult::Review);
    EXPECT_FALSE(end.endedNow);
    EXPECT_EQ(attempt.CurrentItem(), 1);
}

TEST_F(MovesTest, ReviewIncompleteWithEveryItemCompleteStays) {
    startSingle(2);
    answer(true);
    attempt.Next();
    answer(true);
    attempt.Next();
    const int moves = bank.moves;
    EXPECT_EQ(attempt.ReviewIncomplete().kind, MoveResult::Stayed);
    EXPECT_EQ(bank.moves, moves);
}

TEST_F(MovesTest, MultipleChoiceWithNothingTickedCountsAsIncomplete) {
    bank.exams["A"].questions[0].type = questionbank::kMultipleChoice;
    startSingle(2);
    attempt.RecordAnswer(AnswerCapture{{false, false}});
    EXPECT_EQ(attempt.FirstIncompleteItem(), 0);
}

TEST_F(MovesTest, ReviewItemAndJumpCutOrIgnoreIndexesOutOfRange) {
    startSingle(4);
    const struct {
        int number;
        int item;
    } reviews[] = {{3, 2}, {9, 3}, {0, 0}, {-5, 0}};
    for (const auto& r : reviews) {
        EXPECT_EQ(attempt.ReviewItem(r.number).kind, MoveResult::Shown) << r.number;
        EXPECT_EQ(attempt.CurrentItem(), r.item) << r.number;
        EXPECT_FALSE(attempt.IncompleteOnly());
    }
    EXPECT_EQ(attempt.JumpTo(2).kind, MoveResult::Shown);
    EXPECT_EQ(shownNumber(), 3);
    EXPECT_EQ(attempt.JumpTo(4).kind, MoveResult::Stayed);
    EXPECT_EQ(attempt.JumpTo(-1).kind, MoveResult::Stayed);
    EXPECT_EQ(attempt.CurrentItem(), 2);
}

TEST_F(MovesTest, MarkingFlipsTheItemOnScreen) {
    startSingle(2);
    EXPECT_TRUE(attempt.ToggleMark());
    EXPECT_TRUE(attempt.Items()[0].Marked);
    attempt.Next();
    EXPECT_FALSE(attempt.Items()[1].Marked);
    EXPECT_TRUE(attempt.ToggleMark());
    EXPECT_FALSE(attempt.ToggleMark());
}

class MixedMovesTest : public MovesTest {
protected:
    // Items: A1, B1, A2, B2 (set by hand instead of drawn).
    void startMixed() {
        std::vector<questionbank::QVSimListInfo> rows;
        auto row = [&rows](const char* course, const char* test, unsigned char kind) {
            questionbank::QVSimListInfo r;
            r.CourseId = course;
            r.TestId = test;
            r.NodeKind = kind;
            rows.push_back(r);
        };
        row("C", "", questionbank::kCourseRow);
        row("C", "A", questionbank::kExamRow);
        row("C", "B", questionbank::kExamRow);
        row("C", "", questionbank::kMixedRow);
        bank.courses["C"] = {"C", "Course", "", 2, "0:10", 4};
        bank.exams["A"].questions.resize(2);
        bank.exams["B"].questions.resize(2);
        // A: draw position 0, then the last; B likewise: drawn [A1, A2, B1, B2];
        // shuffle picks 0, 1, 0, 0: A1, B1, A2, B2.
        random = ScriptedRandom({0, 0, 0, 1, 0, 0});
        ASSERT_TRUE(attempt.StartMixed(rows, 3).assembled);
        bank.opened.clear();
        ASSERT_EQ(attempt.ShowFirstQuestion().kind, MoveResult::Shown);
    }
};

TEST_F(MixedMovesTest, MovesBetweenExamsOpenTheItemsExam) {
    startMixed();
    EXPECT_EQ(bank.OpenId(), "A");
    EXPECT_EQ(attempt.CurrentExamId(), "A");
    answer(true);
    attempt.Next();
    EXPECT_EQ(bank.OpenId(), "B");
    EXPECT_EQ(attempt.Current().QuestionId, Bank::idOf("B", 1));
    answer(true);
    attempt.Next();
    // Jumping back to an item of the other exam shows that exam's question,
    // not the question of the same number in the exam open now.
    EXPECT_EQ(attempt.JumpTo(1).kind, MoveResult::Shown);
    EXPECT_EQ(bank.OpenId(), "B");
    EXPECT_EQ(shown.ids.back(), Bank::idOf("B", 1));
    EXPECT_EQ(attempt.ReturnToExam().kind, MoveResult::Shown);
    EXPECT_EQ(bank.opened, (std::vector<std::string>{"A", "B", "A", "B"}));
    EXPECT_EQ(attempt.TimeLimit(), "0:10");
}

TEST_F(MixedMovesTest, AMoveWhoseExamIsGoneStaysOnTheItemOnScreen) {
    startMixed();
    answer(true);
    bank.exams["B"].opens = false;
    const MoveResult failed = attempt.Next();
    EXPECT_EQ(failed.kind, MoveResult::Failed);
    EXPECT_NE(failed.error.find("exam B"), std::string::npos) << failed.error;
    EXPECT_EQ(attempt.CurrentItem(), 0);
    EXPECT_EQ(bank.OpenId(), "A") << "the exam of the item on screen is open again";
    EXPECT_EQ(attempt.CurrentExamId(), "A");
    bank.exams["B"].opens = true;
    EXPECT_EQ(attempt.Next().kind, MoveResult::Shown);
    EXPECT_EQ(attempt.CurrentItem(), 1);
}

TEST_F(MovesTest, AMoveToAQuestionThatIsGoneStays) {
    startSingle(3);
    bank.exams["A"].questions.resize(1);
    const MoveResult failed = attempt.Next();
    EXPECT_EQ(failed.kind, MoveResult::Failed);
    EXPECT_EQ(attempt.CurrentItem(), 0);
    EXPECT_EQ(attempt.ShownQuestion().NUM, 1);
}

TEST_F(MovesTest, FeedbackAndStudyGuideFollowTheModeAndSetting) {
    startSingle(1);
    const JudgeOutcome right{true, true, false};
    const JudgeOutcome wrong{true, false, false};
    const JudgeOutcome none{};
    EXPECT_TRUE(attempt.FeedbackDue(right));
    EXPECT_FALSE(attempt.FeedbackDue(none));
    const struct {
        int setting;
        bool right, wrong, none;
    } cases[] = {{0, false, false, false},
                 {1, false, true, false},
                 {2, true, false, false},
                 {3, true, true, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(attempt.StudyGuideDue(c.setting, right), c.right) << c.setting;
        EXPECT_EQ(attempt.StudyGuideDue(c.setting, wrong), c.wrong) << c.setting;
        EXPECT_EQ(attempt.StudyGuideDue(c.setting, none), c.none) << c.setting;
    }
    ASSERT_EQ(bank.OpenTest("A"), 0);
    attempt.StartSingle(ExamMode::ClosedBook, "A", 1, false);
    EXPECT_FALSE(attempt.FeedbackDue(right));
    EXPECT_FALSE(attempt.StudyGuideDue(3, right));
}

TEST(Counters, ReviewPercentIsOverAnsweredAndScoreOverAllItems) {
    ExamItems items(4);
    items[0].Seen = items[0].Answered = items[0].Correct = true;
    items[1].Seen = items[1].Answered = true;
    items[2].Seen = true;
    const ExamCounters c = TallyExam(items);
    EXPECT_EQ(c.total, 4);
    EXPECT_EQ(c.seen, 3);
    EXPECT_EQ(c.remaining, 1);
    EXPECT_EQ(c.answered, 2);
    EXPECT_EQ(c.notAnswered, 2);
    EXPECT_EQ(c.correct, 1);
    EXPECT_EQ(c.incorrect, 1);
    EXPECT_EQ(c.percent, 50);
    EXPECT_EQ(TallyExam({}).percent, 0);
}

}  // namespace
}  // namespace zentrix::engine::testing

#include "engine/attempt/countdown.h"

#include <gtest/gtest.h>

#include "engine/attempt/exam_attempt.h"
#include "memory_bank.h"
#include "scripted_random.h"

namespace zentrix::engine::testing {
namespace {

TEST(Countdown, ClosedBookAllowsTwoMinutesPerItemUpToNinety) {
    const struct {
        int items;
        const char* limit;
    } cases[] = {{1, "0:2"}, {10, "0:20"}, {30, "1:0"}, {44, "1:28"}, {45, "1:30"}, {500, "1:30"}};
    for (const auto& c : cases) EXPECT_EQ(ClosedBookTimeLimit(c.items), c.limit) << c.items;
}

TEST(Countdown, LimitsReadAsATimeOfDay) {
    const struct {
        const char* text;
        std::optional<TimeOfDayMs> limit;
    } cases[] = {
        {"1:30", TimeOfDay(1, 30)},   {"0:20", TimeOfDay(0, 20)},
        {" 0:5  ", TimeOfDay(0, 5)},  {"2:00:30", TimeOfDay(2, 0, 30)},
        {"", std::nullopt},           {"90", std::nullopt},
        {"1:60", std::nullopt},       {"24:00", std::nullopt},
        {"1:3x", std::nullopt},       {":30", std::nullopt},
        {"1:30:00:00", std::nullopt}, {"-1:30", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadTimeLimit(c.text), c.limit) << c.text;
}

TEST(Countdown, TicksShowTheTimeLeftAndEndOnceTheLimitIsPassed) {
    const TimeOfDayMs start = TimeOfDay(10, 0);
    const struct {
        const char* name;
        TimeOfDayMs now;
        const char* limit;
        bool timed, up;
        const char* left;
    } cases[] = {
        {"at the start", start, "0:20", true, false, "00:20:00"},
        {"a quarter second in", start + 250, "0:20", true, false, "00:19:59"},
        {"exactly at the limit", start + TimeOfDay(0, 20), "0:20", true, false, "00:00:00"},
        {"just past the limit", start + TimeOfDay(0, 20) + 1, "0:20", true, true, ""},
        {"an hour and a half", start + TimeOfDay(1, 0), "1:30", true, false, "00:30:00"},
        {"unreadable course time", start + TimeOfDay(5, 0), "", false, false, ""},
    };
    for (const auto& c : cases) {
        const CountdownTick tick = TickCountdown(start, c.limit, c.now);
        EXPECT_EQ(tick.timed, c.timed) << c.name;
        EXPECT_EQ(tick.timeUp, c.up) << c.name;
        EXPECT_EQ(tick.left, c.left) << c.name;
    }
}

TEST(Countdown, AnAttemptRunningPastMidnightKeepsCounting) {
    const TimeOfDayMs start = TimeOfDay(23, 50);
    EXPECT_EQ(TickCountdown(start, "0:20", TimeOfDay(0, 5)).left, "00:05:00");
    EXPECT_TRUE(TickCountdown(start, "0:20", TimeOfDay(0, 11)).timeUp);
}

TEST(Countdown, TheAttemptsClockStartsOnceAndTheClosedBookLimitFollowsTheItems) {
    MemoryBank<AttemptBank> bank;
    bank.exams["A"] = {"A", NumberedQuestions("a", 12), true, {}};
    ManualExamClock clock(TimeOfDay(9, 0));
    ScriptedRandom random;
    ExamAttempt attempt(bank, clock, random);
    ASSERT_EQ(bank.OpenTest("A"), 0);
    attempt.StartSingle(ExamMode::ClosedBook, "A", 10, false);
    attempt.PrepareTiming();
    attempt.StartClock();
    EXPECT_EQ(attempt.TimeLimit(), "0:20");
    clock.Advance(TimeOfDay(0, 19, 30));
    attempt.PrepareTiming();  // the screen is prepared again after a review
    EXPECT_EQ(attempt.Tick().left, "00:00:30");
    clock.Advance(TimeOfDay(0, 1));
    EXPECT_TRUE(attempt.Tick().timeUp);

    attempt.StartSingle(ExamMode::OpenBook, "A", 10, false);
    attempt.PrepareTiming();
    EXPECT_FALSE(attempt.Tick().timed) << "open book has no limit";
}

}  // namespace
}  // namespace zentrix::engine::testing

#include "engine/attempt/score.h"

#include <gtest/gtest.h>

#include "engine/attempt/result_figures.h"

namespace zentrix::engine {
namespace {

TEST(Score, FunctionsRoundHalvesToEvenInExtendedPrecision) {
    const struct {
        const char* name;
        int got;
        int expected;
    } cases[] = {
        {"80% of 10", PercentOf(80, 10), 8},
        {"80% of 3 is 2.4", PercentOf(80, 3), 2},
        {"50% of 5 is 2.5", PercentOf(50, 5), 2},
        {"50% of 7 is 3.5", PercentOf(50, 7), 4},
        {"2 of 3 correct", PercentScore(3, 2), 67},
        {"1 of 8 is 12.5", PercentScore(8, 1), 12},
        {"3 of 8 is 37.5", PercentScore(8, 3), 38},
        {"nothing answered", PercentScore(0, 0), 0},
        {"1000/3 x 2 is 666.67", PointScore(3, 2), 667},
        {"1000/16 x 1 is 62.5", PointScore(16, 1), 62},
        {"1000/16 x 3 is 187.5", PointScore(16, 3), 188},
        {"1000/7 x 6 is 857.14", PointScore(7, 6), 857},
        {"all of 3", PointScore(3, 3), 1000},
        {"bar 50% of 436", BarWidth(50, 10, 436), 218},
        {"bar 67% of 436 over 3", BarWidth(67, 3, 436), 292},
        {"bar 80% of 436", BarWidth(80, 10, 436), 349},
        {"bar 0%", BarWidth(0, 10, 436), 0},
        {"bar of 0 items", BarWidth(50, 0, 436), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.name;
    EXPECT_EQ(RoundHalfEven(0.5L), 0);
    EXPECT_EQ(RoundHalfEven(1.5L), 2);
    EXPECT_EQ(RoundHalfEven(-2.5L), -2);
}

TEST(Score, ResultsGivePassMarkScoreAndGrade) {
    const struct {
        int items, correct;
        int needed, passMark, score;
        bool passed;
    } cases[] = {
        {10, 8, 8, 800, 800, true},  {10, 7, 8, 800, 700, false}, {3, 2, 2, 667, 667, true},
        {3, 1, 2, 667, 333, false},  {16, 1, 13, 812, 62, false},  // 62.5 x 13 = 812.5 goes to 812
        {1, 1, 1, 1000, 1000, true}, {1, 0, 1, 1000, 0, false},
    };
    for (const auto& c : cases) {
        const ResultFigures f = ComputeResultFigures(c.items, c.correct, 436);
        EXPECT_EQ(f.needed, c.needed) << c.items << "/" << c.correct;
        EXPECT_EQ(f.passMark, c.passMark) << c.items << "/" << c.correct;
        EXPECT_EQ(f.score, c.score) << c.items << "/" << c.correct;
        EXPECT_EQ(f.passed, c.passed) << c.items << "/" << c.correct;
    }
}

TEST(Score, BarsAndTicksFollowTheBorderWidth) {
    const ResultFigures f = ComputeResultFigures(10, 8, 436);
    EXPECT_EQ(f.yourBarWidth, 349);      // 80% of 436 = 348.8
    EXPECT_EQ(f.requiredBarWidth, 349);  // pass mark 800 -> 80%
    const std::array<int, 9> ticks{44, 87, 131, 174, 218, 262, 305, 349, 392};
    EXPECT_EQ(f.tickOffsets, ticks);  // 43.6 x k, halves to even (218 for 5)
    const ResultFigures none = ComputeResultFigures(3, 0, 436);
    EXPECT_EQ(none.yourBarWidth, 0);
    EXPECT_EQ(none.requiredBarWidth, BarWidth(67, 3, 436));
}

}  // namespace
}  // namespace zentrix::engine

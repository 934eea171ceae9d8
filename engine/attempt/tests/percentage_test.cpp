// The score functions as the certificate uses them: rounding and the order
// of operations behind its 800 / 667 / 857 / 62 / 188 figures.

#include <gtest/gtest.h>

#include "engine/attempt/score.h"

namespace zentrix::engine {
namespace {

TEST(PercentageTest, HalvesGoToTheEvenNeighbour) {
    const struct {
        long double value;
        long long rounded;
    } cases[] = {{0.5L, 0}, {1.5L, 2}, {2.5L, 2},   {62.5L, 62}, {187.5L, 188},
                 {2.4L, 2}, {5.6L, 6}, {-2.5L, -2}, {-0.4L, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << static_cast<double>(c.value);
}

TEST(PercentageTest, ScoreFunctionsKeepTheirOrderOfOperations) {
    EXPECT_EQ(PercentOf(80, 3), 2);
    EXPECT_EQ(PercentOf(80, 7), 6);
    EXPECT_EQ(PointScore(3, 2), 667);  // 333.33... x 2, not 2000 / 3 rounded first
    EXPECT_EQ(PointScore(7, 6), 857);
    EXPECT_EQ(PointScore(16, 1), 62);
    EXPECT_EQ(PointScore(16, 3), 188);
    EXPECT_EQ(PercentScore(9, 7), 78);
    EXPECT_EQ(PercentScore(0, 0), 0);
    EXPECT_EQ(BarWidth(80, 10, 300), 240);
    EXPECT_EQ(PointScore(0, 0), 0) << "no division by zero for an attempt without items";
}

}  // namespace
}  // namespace zentrix::engine

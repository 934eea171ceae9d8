#pragma once

// What the results screen draws for an attempt of N items with c correct:
// the pass mark (80 percent of the items on the 1000-point scale), the
// score, the grade, the widths of the two bars inside the bar border and the
// offsets of its nine tick marks.

#include <array>

namespace zentrix::engine {

struct ResultFigures {
    int needed = 0;    // items needed to pass: PercentOf(80, N)
    int passMark = 0;  // PointScore(N, needed)
    int score = 0;     // PointScore(N, c)
    bool passed = false;
    int yourBarWidth = 0;
    int requiredBarWidth = 0;
    std::array<int, 9> tickOffsets{};  // from the bar border's left edge
};

inline constexpr int kPassPercent = 80;

ResultFigures ComputeResultFigures(int items, int correct, int barBorderWidth);

}  // namespace zentrix::engine

#include "engine/attempt/result_figures.h"

#include <cstddef>

#include "engine/attempt/score.h"

namespace zentrix::engine {

ResultFigures ComputeResultFigures(int items, int correct, int barBorderWidth) {
    ResultFigures f;
    for (int k = 1; k <= 9; ++k) {
        f.tickOffsets[static_cast<size_t>(k - 1)] =
            static_cast<int>(RoundHalfEven(static_cast<long double>(barBorderWidth) / 10.0L * k));
    }
    if (items <= 0) return f;  // an attempt always has an item; nothing to score otherwise
    f.yourBarWidth = BarWidth(PercentScore(items, correct), items, barBorderWidth);
    f.needed = PercentOf(kPassPercent, items);
    f.passMark = PointScore(items, f.needed);
    f.requiredBarWidth = BarWidth(RoundHalfEven(static_cast<long double>(f.passMark) / 10.0L),
                                  items, barBorderWidth);
    f.score = PointScore(items, correct);
    f.passed = f.score >= f.passMark;
    return f;
}

}  // namespace zentrix::engine

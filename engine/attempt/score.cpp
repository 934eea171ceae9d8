#include "engine/attempt/score.h"

#include <cfenv>
#include <cmath>

namespace zentrix::engine {

int64_t RoundHalfEven(long double value) {
    // llrintl honours the rounding mode; the default mode rounds halves to
    // even, but a caller may have changed it.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long long rounded = std::llrint(value);
    std::fesetround(saved);
    return rounded;
}

int PercentOf(long double p, long double n) {
    const long double value = (p / 100.0L) * n;
    return static_cast<int>(RoundHalfEven(value));
}

int PercentScore(long double total, long double part) {
    if (total == 0) return 0;
    const long double value = (part / total) * 100.0L;
    return static_cast<int>(RoundHalfEven(value));
}

int BarWidth(long double p, long double n, long double w) {
    if (n == 0) return 0;
    const long double value = (p / 100.0L) * n * (1000.0L / n) * (w / 1000.0L);
    return static_cast<int>(RoundHalfEven(value));
}

int PointScore(long double n, long double part) {
    if (n == 0) return 0;
    const long double value = (1000.0L / n) * part;
    return static_cast<int>(RoundHalfEven(value));
}

}  // namespace zentrix::engine

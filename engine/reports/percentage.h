#pragma once

// The score arithmetic of an attempt. Every function computes in 80-bit
// extended precision, strictly in the order written, and takes the result
// to the nearest integer with exact halves going to the even neighbour: the
// order matters (1000 / 3 x 2 is 666.67 while 2000 / 3 is not computed), so
// the expressions are not simplified.

#include <cmath>

namespace zentrix::engine::reports {

// Nearest integer, halves to even.
inline long long RoundHalfEven(long double value) {
    const long double floor = std::floor(value);
    const long double diff = value - floor;
    if (diff > 0.5L) return static_cast<long long>(floor) + 1;
    if (diff < 0.5L) return static_cast<long long>(floor);
    const long long low = static_cast<long long>(floor);
    return low % 2 == 0 ? low : low + 1;
}

// (p / 100) x n
inline int PercentOf(int p, int n) {
    const long double share = static_cast<long double>(p) / 100.0L;
    return static_cast<int>(RoundHalfEven(share * static_cast<long double>(n)));
}

// (part / total) x 100, or 0 when total is 0.
inline int PercentScore(int total, int part) {
    if (total == 0) return 0;
    const long double ratio = static_cast<long double>(part) / static_cast<long double>(total);
    return static_cast<int>(RoundHalfEven(ratio * 100.0L));
}

// (p / 100) x n x (1000 / n) x (w / 1000): a bar of w pixels filled to p
// percent. 0 when n is 0.
inline int BarWidth(int p, int n, int w) {
    if (n == 0) return 0;
    long double value = static_cast<long double>(p) / 100.0L;
    value = value * static_cast<long double>(n);
    value = value * (1000.0L / static_cast<long double>(n));
    value = value * (static_cast<long double>(w) / 1000.0L);
    return static_cast<int>(RoundHalfEven(value));
}

// (1000 / n) x part: the score on the 1000-point scale. 0 when n is 0.
inline int PointScore(int n, int part) {
    if (n == 0) return 0;
    const long double per = 1000.0L / static_cast<long double>(n);
    return static_cast<int>(RoundHalfEven(per * static_cast<long double>(part)));
}

}  // namespace zentrix::engine::reports

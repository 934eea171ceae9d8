#pragma once

// The score arithmetic of an attempt. Every function computes in 80-bit
// extended precision (long double on x86), strictly in the order written,
// and takes the result to the nearest integer with halves going to the even
// neighbour, so 62.5 points are 62 and 2.5 questions are 2.

#include <cstdint>

namespace zentrix::engine {

// Nearest integer, halves to the even neighbour.
int64_t RoundHalfEven(long double value);

// (p / 100) x n: p percent of n.
int PercentOf(long double p, long double n);
// (part / total) x 100, or 0 when total is 0.
int PercentScore(long double total, long double part);
// (p / 100) x n x (1000 / n) x (w / 1000): the width of a bar of w pixels
// filled to p percent. 0 when n is 0.
int BarWidth(long double p, long double n, long double w);
// (1000 / n) x part: the score on the 1000-point scale; 0 when n is 0.
int PointScore(long double n, long double part);

}  // namespace zentrix::engine

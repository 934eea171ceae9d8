#include "engine/attempt/random_source.h"

#include <chrono>

namespace zentrix::engine {

ClockSeededRandom::ClockSeededRandom() { Reseed(); }

int ClockSeededRandom::Below(int n) {
    std::uniform_int_distribution<int> pick(0, n - 1);
    return pick(generator_);
}

void ClockSeededRandom::Reseed() {
    // Two exams drawn within one clock tick must not draw the same numbers,
    // so the seed mixes the clock with a counter.
    static uint64_t calls = 0;
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<uint64_t>(now), ++calls};
    generator_.seed(seed);
}

}  // namespace zentrix::engine

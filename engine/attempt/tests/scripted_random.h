#pragma once

// A random source that gives scripted draws (each taken modulo the range),
// then 0 when the script runs out; counts its reseeds.

#include <deque>

#include "engine/attempt/random_source.h"

namespace zentrix::engine::testing {

class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::deque<int> draws) : draws_(std::move(draws)) {}
    int Below(int n) override {
        ++calls;
        if (draws_.empty()) return 0;
        const int value = draws_.front() % n;
        draws_.pop_front();
        return value;
    }
    void Reseed() override { ++reseeds; }

    int calls = 0;
    int reseeds = 0;

private:
    std::deque<int> draws_;
};

}  // namespace zentrix::engine::testing

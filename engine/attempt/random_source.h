#pragma once

// Where the attempt's random draws come from. The program uses a generator
// seeded from the clock; tests script the draws.

#include <cstdint>
#include <random>

namespace zentrix::engine {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number from 0 to n - 1, uniformly; n is at least 1.
    virtual int Below(int n) = 0;
    // Seeds the generator afresh from the clock (before each exam's draw).
    virtual void Reseed() {}
};

class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom();
    int Below(int n) override;
    void Reseed() override;

private:
    std::mt19937_64 generator_;
};

}  // namespace zentrix::engine

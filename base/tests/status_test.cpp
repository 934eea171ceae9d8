#include "base/status.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zentrix::base {
namespace {

Result<std::unique_ptr<int>> made(bool ok, int value) {
    if (!ok) return Status::error("cannot make " + std::to_string(value));
    return std::make_unique<int>(value);
}

// Declares, assigns to an existing variable, and passes a failure on, from
// a function returning Result<U>.
Result<int> sum(bool firstOk, bool secondOk, int* steps) {
    ZX_TRY_ASSIGN(auto first, made(firstOk, 1));
    ++*steps;
    std::unique_ptr<int> second;
    ZX_TRY_ASSIGN(second, made(secondOk, 2));
    ++*steps;
    return *first + *second;
}

// The same from a function returning Status.
Status check(bool ok, int* seen) {
    ZX_TRY_ASSIGN(const auto value, made(ok, 7));
    *seen = *value;
    return Status::ok();
}

TEST(TryAssign, StopsAtTheFirstFailureAndPassesItsMessageOn) {
    struct Case {
        bool firstOk, secondOk;
        int steps;
        std::string message;  // empty: the sum is returned
    };
    const Case cases[] = {
        {true, true, 2, ""},
        {false, true, 0, "cannot make 1"},
        {true, false, 1, "cannot make 2"},
    };
    for (const Case& c : cases) {
        int steps = 0;
        const Result<int> result = sum(c.firstOk, c.secondOk, &steps);
        EXPECT_EQ(steps, c.steps);
        if (c.message.empty()) {
            ASSERT_TRUE(result.isOk()) << result.message();
            EXPECT_EQ(result.value(), 3);
        } else {
            ASSERT_FALSE(result.isOk());
            EXPECT_EQ(result.message(), c.message);
        }
    }

    int seen = 0;
    EXPECT_TRUE(check(true, &seen).isOk());
    EXPECT_EQ(seen, 7);
    seen = 0;
    EXPECT_EQ(check(false, &seen).message(), "cannot make 7");
    EXPECT_EQ(seen, 0);
}

TEST(TryAssign, ExpressionIsEvaluatedOnce) {
    int calls = 0;
    auto counted = [&calls]() -> Result<int> { return ++calls; };
    const auto twice = [&]() -> Result<int> {
        ZX_TRY_ASSIGN(const int a, counted());
        ZX_TRY_ASSIGN(const int b, counted());
        return a * 10 + b;
    };
    const Result<int> result = twice();
    ASSERT_TRUE(result.isOk());
    EXPECT_EQ(result.value(), 12);
    EXPECT_EQ(calls, 2);
}

TEST(WithCleanup, TheStepRunsFirstAndItsFailureIsTheOneReported) {
    std::string order;
    auto step = [&order](bool ok) {
        order += "step ";
        return ok ? Status::ok() : Status::error("step failed");
    };
    auto cleanup = [&order](bool ok) {
        order += "cleanup ";
        return ok ? Status::ok() : Status::error("cleanup failed");
    };
    struct Case {
        bool stepOk, cleanupOk;
        std::string message;  // empty: ok
    };
    const Case cases[] = {
        {true, true, ""},
        {false, true, "step failed"},
        {true, false, "cleanup failed"},
        {false, false, "step failed"},
    };
    for (const Case& c : cases) {
        order.clear();
        // A commit must never be unlocked before it runs.
        const Status status = step(c.stepOk).withCleanup(cleanup(c.cleanupOk));
        EXPECT_EQ(order, "step cleanup ");
        EXPECT_EQ(status.isOk(), c.message.empty());
        EXPECT_EQ(status.message(), c.message);
    }
}

}  // namespace
}  // namespace zentrix::base

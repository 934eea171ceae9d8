#pragma once

// The time of day the attempt runs by: its start, the countdown and nothing
// else. The program reads the local clock; tests move a ManualExamClock.

#include <cstdint>

namespace zentrix::engine {

// Milliseconds since local midnight.
using TimeOfDayMs = int64_t;
inline constexpr TimeOfDayMs kMsPerDay = 24LL * 60 * 60 * 1000;

class ExamClock {
public:
    virtual ~ExamClock() = default;
    virtual TimeOfDayMs Now() const = 0;
};

class SystemExamClock final : public ExamClock {
public:
    TimeOfDayMs Now() const override;
};

class ManualExamClock final : public ExamClock {
public:
    explicit ManualExamClock(TimeOfDayMs now = 0) : now_(now) {}
    void Set(TimeOfDayMs now) { now_ = now; }
    void Advance(TimeOfDayMs ms) { now_ = (now_ + ms) % kMsPerDay; }
    TimeOfDayMs Now() const override { return now_; }

private:
    TimeOfDayMs now_;
};

// h, m, s as milliseconds since midnight.
constexpr TimeOfDayMs TimeOfDay(int hours, int minutes, int seconds = 0) {
    return ((hours * 60LL + minutes) * 60 + seconds) * 1000;
}

}  // namespace zentrix::engine

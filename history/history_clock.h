#pragma once

// The time source of the history store. Attempts are stamped with the local
// date and time of day; tests fix both with a FixedClock.

#include <cstdint>

namespace zentrix::history {

struct LocalDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalDateTime t) : time_(t) {}
    void set(LocalDateTime t) { time_ = t; }
    LocalDateTime now() const override { return time_; }

private:
    LocalDateTime time_;
};

// Days since 30 December 1899 (the day number the history stores).
int32_t DayNumber(int year, int month, int day);
// Hours * 3600 + minutes * 60 + seconds.
int32_t SecondsOfDay(const LocalDateTime& t);

}  // namespace zentrix::history

#include "history/history_clock.h"

#include <ctime>

namespace zentrix::history {

LocalDateTime SystemClock::now() const {
    std::time_t t = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return LocalDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                         local.tm_hour,        local.tm_min,     local.tm_sec};
}

namespace {

// Days from 1970-01-01 to the civil date (proleptic Gregorian calendar).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

}  // namespace

int32_t DayNumber(int year, int month, int day) {
    static const int64_t kEpoch = daysFromCivil(1899, 12, 30);
    return static_cast<int32_t>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch);
}

int32_t SecondsOfDay(const LocalDateTime& t) { return t.hour * 3600 + t.minute * 60 + t.second; }

}  // namespace zentrix::history

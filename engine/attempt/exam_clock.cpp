#include "engine/attempt/exam_clock.h"

#include <chrono>
#include <ctime>

namespace zentrix::engine {

TimeOfDayMs SystemExamClock::Now() const {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    return TimeOfDay(local.tm_hour, local.tm_min, local.tm_sec) + ms.count();
}

}  // namespace zentrix::engine

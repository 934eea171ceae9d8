#include "engine/attempt/countdown.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "base/ascii_text.h"

namespace zentrix::engine {
namespace {

using base::ascii::trimmedView;

std::optional<int> readPart(std::string_view part) {
    if (part.empty() || part.size() > 2) return std::nullopt;
    for (char c : part) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (error != std::errc() || end != part.data() + part.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<TimeOfDayMs> ReadTimeLimit(std::string_view text) {
    text = trimmedView(text);
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t colon = text.find(':', start);
        parts.push_back(
            text.substr(start, colon == std::string_view::npos ? colon : colon - start));
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    int values[3] = {0, 0, 0};
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::optional<int> value = readPart(parts[i]);
        if (!value) return std::nullopt;
        values[i] = *value;
    }
    if (values[0] > 23 || values[1] > 59 || values[2] > 59) return std::nullopt;
    return TimeOfDay(values[0], values[1], values[2]);
}

std::string ClosedBookTimeLimit(int items) {
    int minutes = 2 * items;
    if (minutes > 90) minutes = 90;
    if (minutes < 0) minutes = 0;
    return std::to_string(minutes / 60) + ":" + std::to_string(minutes % 60);
}

std::string FormatTimeLeft(TimeOfDayMs left) {
    if (left < 0) left = 0;
    const long long seconds = left / 1000;
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

CountdownTick TickCountdown(TimeOfDayMs start, std::string_view limitText, TimeOfDayMs now) {
    CountdownTick tick;
    const std::optional<TimeOfDayMs> limit = ReadTimeLimit(limitText);
    if (!limit) return tick;
    tick.timed = true;
    const TimeOfDayMs elapsed = ((now - start) % kMsPerDay + kMsPerDay) % kMsPerDay;
    if (elapsed > *limit) {
        tick.timeUp = true;
        return tick;
    }
    tick.left = FormatTimeLeft(*limit - elapsed);
    return tick;
}

}  // namespace zentrix::engine

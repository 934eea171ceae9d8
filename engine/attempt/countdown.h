#pragma once

// The countdown of a timed attempt. The limit is a text of hours, a colon
// and minutes ("1:30"), read as a time of day; the time left is shown as
// "hh:nn:ss". A limit that does not read as a time leaves the attempt
// untimed: the countdown never ends it (a broken course setting must not
// stop the learner with an error every tick).

#include <optional>
#include <string>
#include <string_view>

#include "engine/attempt/exam_clock.h"

namespace zentrix::engine {

// "h:mm" or "h:mm:ss" with blanks around allowed; hours 0..23, minutes and
// seconds 0..59. nullopt for anything else.
std::optional<TimeOfDayMs> ReadTimeLimit(std::string_view text);

// The closed-book limit: 2 minutes per item, at most 90, as "h:m" with the
// minutes in decimal (10 items: "0:20"; 45 or more: "1:30").
std::string ClosedBookTimeLimit(int items);

// "hh:nn:ss", milliseconds dropped.
std::string FormatTimeLeft(TimeOfDayMs left);

struct CountdownTick {
    bool timed = false;   // false when the limit does not read as a time
    bool timeUp = false;  // elapsed exceeds the limit
    std::string left;     // "hh:nn:ss" while time remains
};

// Elapsed time is measured from `start` by the time of day; an attempt that
// runs past midnight goes on counting instead of starting afresh.
CountdownTick TickCountdown(TimeOfDayMs start, std::string_view limit, TimeOfDayMs now);

}  // namespace zentrix::engine

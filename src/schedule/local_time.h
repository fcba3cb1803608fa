#pragma once
// Local civil time counted in seconds, so that a run can walk through local seconds even
// when the wall clock jumps (daylight saving, corrections).

#include <cstdint>
#include <optional>
#include <string>

#include "platform/clock.h"

namespace kov {

// Seconds since 1970-01-01 00:00:00 of the local calendar (no time zone applied).
using LocalSeconds = std::int64_t;

struct LocalDate {
    int year = 0;
    int month = 0;
    int day = 0;
    int weekday = 0;  // Sunday = 0
};

// The local civil time of a moment, in the process's time zone.
LocalSeconds LocalSecondsOf(Clock::TimePoint time);

LocalSeconds MakeLocalSeconds(int year, int month, int day, int hour, int minute, int second);

std::int64_t DayOf(LocalSeconds seconds);
int SecondOfDayOf(LocalSeconds seconds);
LocalDate DateOfDay(std::int64_t day);

// "YYYY-MM-DD HH:MM:SS".
std::string FormatLocalSeconds(LocalSeconds seconds);

// Reads "YYYY-MM-DD HH:MM:SS"; nothing when the text is not such a valid date and time.
std::optional<LocalSeconds> ParseLocalSeconds(const std::string& text);

}  // namespace kov

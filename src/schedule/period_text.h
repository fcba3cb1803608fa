#pragma once
// The texts the online and the offline schedule lists share: when an entry or task comes
// round (every day, a date, or its weekdays) and its time of day.

#include <array>
#include <cstdint>
#include <string>

namespace kov {

class Language;

// Weekday flags, Monday first; non-zero means set.
using WeekdayFlags = std::array<std::int32_t, 7>;

// The weekday flags of an online entry or an offline task.
template <class Dated>
WeekdayFlags WeekdaysOf(const Dated& d) {
    return {d.monday, d.tuesday, d.wednesday, d.thursday, d.friday, d.saturday, d.sunday};
}

// Daily: the language's "every day"; once: "YYYY-MM-DD"; weekly: the names of the set
// days joined with ","; empty for any other cycle.
std::string PeriodText(std::int32_t cycle, std::int32_t year, std::int32_t month, std::int32_t day,
                       const WeekdayFlags& weekdays, const Language& language);

// The period of an online entry or an offline task.
template <class Dated>
std::string PeriodTextOf(const Dated& d, const Language& language) {
    return PeriodText(d.cycle, d.year, d.month, d.day, WeekdaysOf(d), language);
}

// "hh:mm:ss".
std::string TimeOfDayText(std::int32_t hour, std::int32_t minute, std::int32_t second);

}  // namespace kov

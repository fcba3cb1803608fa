#include "schedule/local_time.h"

#include <cstdio>
#include <ctime>

namespace kov {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

LocalSeconds LocalSecondsOf(Clock::TimePoint time) {
    const std::time_t t =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(time));
    std::tm tm{};
    localtime_r(&t, &tm);
    return MakeLocalSeconds(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                            tm.tm_sec);
}

LocalSeconds MakeLocalSeconds(int year, int month, int day, int hour, int minute, int second) {
    return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

std::int64_t DayOf(LocalSeconds seconds) {
    return FloorDiv(seconds, 86400);
}

int SecondOfDayOf(LocalSeconds seconds) {
    return static_cast<int>(seconds - DayOf(seconds) * 86400);
}

LocalDate DateOfDay(std::int64_t day) {
    const std::int64_t z = day + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    LocalDate date;
    date.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.year = static_cast<int>(yoe + era * 400 + (date.month <= 2));
    date.weekday = static_cast<int>(day + 4 - FloorDiv(day + 4, 7) * 7);  // 1970-01-01: Thu
    return date;
}

std::string FormatLocalSeconds(LocalSeconds seconds) {
    const LocalDate date = DateOfDay(DayOf(seconds));
    const int s = SecondOfDayOf(seconds);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month,
                  date.day, s / 3600, s / 60 % 60, s % 60);
    return buffer;
}

std::optional<LocalSeconds> ParseLocalSeconds(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) !=
        6)
        return std::nullopt;
    const LocalSeconds value = MakeLocalSeconds(y, mo, d, h, mi, s);
    const LocalDate date = DateOfDay(DayOf(value));
    if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59 || date.day != d ||
        date.month != mo)
        return std::nullopt;
    return value;
}

}  // namespace kov

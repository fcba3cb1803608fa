#include "device_clock.h"

#include <cstdio>
#include <ctime>

namespace kov::sim {
namespace {

std::time_t ToUtcSeconds(const DateTime& when) {
    std::tm tm{};
    tm.tm_year = when.year - 1900;
    tm.tm_mon = when.month - 1;
    tm.tm_mday = when.day;
    tm.tm_hour = when.hour;
    tm.tm_min = when.minute;
    tm.tm_sec = when.second;
    return timegm(&tm);
}

DateTime FromTm(const std::tm& tm) {
    return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace

bool IsValidDateTime(const DateTime& when) {
    if (when.month < 1 || when.month > 12 || when.day < 1)
        return false;
    if (when.hour < 0 || when.hour > 23 || when.minute < 0 || when.minute > 59)
        return false;
    if (when.second < 0 || when.second > 59)
        return false;
    // A day past the end of its month would be carried into the next month.
    std::tm tm{};
    const std::time_t seconds = ToUtcSeconds(when);
    gmtime_r(&seconds, &tm);
    return tm.tm_mday == when.day;
}

std::chrono::seconds OffsetFor(const DateTime& when, Clock::TimePoint now) {
    return std::chrono::seconds(ToUtcSeconds(when) - std::chrono::system_clock::to_time_t(now));
}

std::chrono::seconds LocalTimeOffset(Clock::TimePoint now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    return OffsetFor(FromTm(local), now);
}

DateTime DeviceTime(std::chrono::seconds offset, Clock::TimePoint now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now) + offset.count();
    std::tm tm{};
    gmtime_r(&seconds, &tm);
    return FromTm(tm);
}

std::string FormatDateTime(const DateTime& when) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", when.year, when.month,
                  when.day, when.hour, when.minute, when.second);
    return text;
}

}  // namespace kov::sim

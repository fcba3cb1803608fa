#include "schedule/period_text.h"

#include <cstdio>

#include "schedule/offline_task.h"
#include "store/language.h"

namespace kov {
namespace {

std::string Printed(const char* format, std::int32_t a, std::int32_t b, std::int32_t c) {
    char text[48];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

}  // namespace

std::string PeriodText(std::int32_t cycle, std::int32_t year, std::int32_t month, std::int32_t day,
                       const WeekdayFlags& weekdays, const Language& language) {
    if (cycle == kCycleDaily)
        return language.Text("IDS_EVERYDAT");
    if (cycle == kCycleOnce)
        return Printed("%04d-%02d-%02d", year, month, day);
    if (cycle != kCycleWeekly)
        return {};
    std::string text;
    for (std::size_t i = 0; i < weekdays.size(); ++i) {
        if (weekdays[i] == 0)
            continue;
        if (!text.empty())
            text += ',';
        text += language.Text("IDS_DAY" + std::to_string(i + 1));
    }
    return text;
}

std::string TimeOfDayText(std::int32_t hour, std::int32_t minute, std::int32_t second) {
    return Printed("%02d:%02d:%02d", hour, minute, second);
}

}  // namespace kov

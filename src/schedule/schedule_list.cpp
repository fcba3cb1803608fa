#include "schedule/schedule_list.h"

#include <cstdio>

#include "store/tables.h"

namespace kov {
namespace {

std::string Printf(const char* format, int a, int b, int c) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

std::string CycleText(const ScheduleEntry& entry, const Language& language) {
    switch (entry.cycle) {
        case kCycleDaily:
            return language.Text("IDS_EVERYDAY");
        case kCycleOnce:
            return language.Text("IDS_ONCE");
        case kCycleWeekly:
            return language.Text("IDS_EVERYWEEK");
        default:
            return {};
    }
}

std::string PeriodText(const ScheduleEntry& entry, const Language& language) {
    if (entry.cycle == kCycleDaily)
        return language.Text("IDS_EVERYDAT");
    if (entry.cycle == kCycleOnce)
        return Printf("%04d-%02d-%02d", entry.year, entry.month, entry.day);
    if (entry.cycle != kCycleWeekly)
        return {};
    const std::int32_t flags[] = {entry.monday, entry.tuesday,  entry.wednesday, entry.thursday,
                                  entry.friday, entry.saturday, entry.sunday};
    std::string text;
    for (int i = 0; i < 7; ++i) {
        if (flags[i] == 0)
            continue;
        if (!text.empty())
            text += ',';
        text += language.Text("IDS_DAY" + std::to_string(i + 1));
    }
    return text;
}

std::string DescriptionText(const ScheduleEntry& entry) {
    if (entry.method != kMethodChannelSwitch)
        return entry.scriptPath;
    const std::string source =
        entry.cardKey >= 128 ? InputSourceLabel(entry.source) : OutputSourceLabel(entry.source);
    return source + ',' + ScheduleCardName(entry.cardKey) + ",Picture" +
           std::to_string(entry.picture);
}

std::string MethodText(const ScheduleEntry& entry, const Language& language) {
    if (entry.method == kMethodScript)
        return language.Text("IDS_PROC_SCRIPT");
    return entry.method == kMethodChannelSwitch ? language.Text("IDS_CHNL") : std::string();
}

}  // namespace

std::string ScheduleCardName(int cardKey) {
    return cardKey >= 128 ? "InPutCard" + std::to_string(cardKey - 128)
                          : "OutPutCard" + std::to_string(cardKey);
}

std::string ScheduleTimeText(const ScheduleEntry& entry) {
    return Printf("%02d:%02d:%02d", entry.hour, entry.minute, entry.second);
}

ScheduleRow ScheduleRowTexts(int row, const ScheduleEntry& entry, const Language& language) {
    return {std::to_string(row),     CycleText(entry, language),  PeriodText(entry, language),
            ScheduleTimeText(entry), MethodText(entry, language), DescriptionText(entry)};
}

}  // namespace kov

#include "schedule/schedule_list.h"

#include "schedule/period_text.h"
#include "store/tables.h"

namespace kov {
namespace {

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
    return TimeOfDayText(entry.hour, entry.minute, entry.second);
}

ScheduleRow ScheduleRowTexts(int row, const ScheduleEntry& entry, const Language& language) {
    return {std::to_string(row),     CycleText(entry, language),  PeriodTextOf(entry, language),
            ScheduleTimeText(entry), MethodText(entry, language), DescriptionText(entry)};
}

}  // namespace kov

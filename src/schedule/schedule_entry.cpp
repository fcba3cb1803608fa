#include "schedule/schedule_entry.h"

#include <algorithm>
#include <climits>

#include "store/tables.h"

namespace kov {

int SecondOfDay(const ScheduleEntry& entry) {
    // The fields come from files and may hold any 32-bit value: count in 64 bits and
    // saturate, so a time far out of range stays out of range instead of overflowing.
    const std::int64_t second = std::int64_t{entry.hour} * 3600 + std::int64_t{entry.minute} * 60 +
                                std::int64_t{entry.second};
    return static_cast<int>(std::clamp<std::int64_t>(second, INT_MIN, INT_MAX));
}

std::int32_t WeekdayFlag(const ScheduleEntry& entry, int weekdayFromSunday) {
    switch (weekdayFromSunday) {
        case 0:
            return entry.sunday;
        case 1:
            return entry.monday;
        case 2:
            return entry.tuesday;
        case 3:
            return entry.wednesday;
        case 4:
            return entry.thursday;
        case 5:
            return entry.friday;
        case 6:
            return entry.saturday;
        default:
            return 0;
    }
}

std::optional<std::string> ScriptPathProblem(const std::string& path) {
    if (path.find(',') != std::string::npos)
        return "the script path contains a comma";
    if (path.size() > kMaxScriptPathBytes)
        return "the script path is longer than 260 bytes";
    return std::nullopt;
}

std::optional<std::string> EntryProblem(const ScheduleEntry& entry) {
    if (entry.cycle != kCycleDaily && entry.cycle != kCycleOnce && entry.cycle != kCycleWeekly)
        return "cycle " + std::to_string(entry.cycle) + " is not daily, once or weekly";
    if (entry.hour < 0 || entry.hour > 23 || entry.minute < 0 || entry.minute > 59 ||
        entry.second < 0 || entry.second > 59)
        return "the time of day is out of range";
    if (entry.method == kMethodScript) {
        if (entry.scriptPath.empty())
            return "the script entry has no script path";
        return ScriptPathProblem(entry.scriptPath);
    }
    if (entry.method != kMethodChannelSwitch)
        return "method " + std::to_string(entry.method) + " is neither script nor channel switch";
    if (entry.cardKey <= 0 || entry.cardKey > 255)
        return "the channel switch has no card";
    if (entry.picture != 1 && entry.picture != 2)
        return "the channel switch has no picture 1 or 2";
    const std::string label =
        entry.cardKey >= 128 ? InputSourceLabel(entry.source) : OutputSourceLabel(entry.source);
    if (entry.source == kNoSource || label.empty())
        return "the channel switch has no source of its card's source table";
    return std::nullopt;
}

CommandFrame ChannelSwitchFrame(const ScheduleEntry& entry) {
    return SelectSourceFrame(static_cast<std::uint8_t>(entry.cardKey), entry.picture - 1,
                             entry.source);
}

}  // namespace kov

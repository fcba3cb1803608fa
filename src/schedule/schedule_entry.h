#pragma once
// One online schedule entry (one line of a ".smfx" schedule file) and the rules that say
// whether the runner can carry it out.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "schedule/offline_task.h"

namespace kov {

// What an entry does.
inline constexpr std::int32_t kMethodScript = 0;         // open a project file and synchronise
inline constexpr std::int32_t kMethodChannelSwitch = 1;  // switch one card's source

// Source code of a script entry, or of a channel switch with no source chosen.
inline constexpr std::int32_t kNoSource = 99;

// Longest script path in bytes of UTF-8 that a schedule file holds.
inline constexpr std::size_t kMaxScriptPathBytes = 260;

// The 19 fields in the order of the file's columns.
struct _SCHEDULE_INFO {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    std::int32_t cycle = kCycleDaily;
    std::int32_t monday = 0;
    std::int32_t tuesday = 0;
    std::int32_t wednesday = 0;
    std::int32_t thursday = 0;
    std::int32_t friday = 0;
    std::int32_t saturday = 0;
    std::int32_t sunday = 0;
    std::int32_t method = kMethodScript;
    std::int32_t source = kNoSource;
    std::int32_t cardKey = 0;
    std::int32_t picture = 0;
    std::string scriptPath;  // UTF-8, at most kMaxScriptPathBytes

    friend bool operator==(const _SCHEDULE_INFO&, const _SCHEDULE_INFO&) = default;
};

using ScheduleEntry = _SCHEDULE_INFO;
using Schedule = std::vector<ScheduleEntry>;

// Second of the day at which the entry fires; out of 0-86399 (saturated to the int range)
// when the time of day is out of range.
int SecondOfDay(const ScheduleEntry& entry);

// The weekday flag for a weekday counted from Sunday = 0 (as std::tm::tm_wday).
std::int32_t WeekdayFlag(const ScheduleEntry& entry, int weekdayFromSunday);

// Why the runner cannot carry out this entry, or nothing when it can: a cycle other than
// daily, once or weekly, a time of day out of range, a channel switch without card,
// picture or source, or a script path that a schedule file cannot hold.
std::optional<std::string> EntryProblem(const ScheduleEntry& entry);

// Why a script path cannot be stored in a schedule file (a comma, or more than 260 bytes),
// or nothing.
std::optional<std::string> ScriptPathProblem(const std::string& path);

// The frame a channel switch sends: card ID, 0x11, picture - 1, source, 0x55 x 6.
CommandFrame ChannelSwitchFrame(const ScheduleEntry& entry);

}  // namespace kov

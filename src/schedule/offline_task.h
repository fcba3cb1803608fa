#pragma once
// Offline schedule tasks kept by the mother board, and the device clock: packing a task
// into the Write offline task frame, unpacking the task-read and clock-read replies, and
// composing the Set device clock frame.

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>

#include "link/commands.h"
#include "link/frame.h"

namespace kov {

// Cycle of a task.
inline constexpr std::int32_t kCycleInvalid = 0;  // task off
inline constexpr std::int32_t kCycleDaily = 1;
inline constexpr std::int32_t kCycleOnce = 2;
inline constexpr std::int32_t kCycleWeekly = 3;

// Number of tasks the mother board holds.
inline constexpr int kOfflineTaskCount = 128;

// Template numbers a task can recall; only these fit the low nibble of the packed
// cycle-and-template byte.
inline constexpr std::int32_t kMinTemplateNumber = 1;
inline constexpr std::int32_t kMaxTemplateNumber = 15;

// One offline task (one row of the offline schedule list).
struct _OFFSCHEDULE_Task {
    std::int32_t index = 0;  // task number on the device 0-127; for a changed task its row
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    std::int32_t cycle = kCycleInvalid;
    // Weekday flags: non-zero means set.
    std::int32_t monday = 0;
    std::int32_t tuesday = 0;
    std::int32_t wednesday = 0;
    std::int32_t thursday = 0;
    std::int32_t friday = 0;
    std::int32_t saturday = 0;
    std::int32_t sunday = 0;
    std::int32_t templateNumber = kMinTemplateNumber;  // 1-15
    std::int32_t modified = 0;  // changed in the dialog and not yet downloaded

    friend bool operator==(const _OFFSCHEDULE_Task&, const _OFFSCHEDULE_Task&) = default;
};

using OfflineTask = _OFFSCHEDULE_Task;

// A date and time of the device clock.
struct ClockTime {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;

    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// The seven weekday flags to write, Monday first, of an offline task or an online entry.
template <class Dated>
std::array<std::int32_t*, 7> WeekdayFields(Dated& t) {
    return {&t.monday, &t.tuesday, &t.wednesday, &t.thursday, &t.friday, &t.saturday, &t.sunday};
}

// Weekday mask: bit 0 Sunday, bit 1 Monday, ... bit 6 Saturday, one bit per set flag.
std::uint8_t WeekdayMask(const _OFFSCHEDULE_Task& task);

// The eight parameter bytes of Write offline task for the task in list row `row`:
// b4 row, b5 (year - 2000) * 2 + bit 3 of the month, b6 (month mod 8) * 32 + day,
// b7-b9 hour, minute, second, b10 cycle * 16 + template number - 1, b11 weekday mask.
// Each byte keeps its low 8 bits; nothing is checked.
TaskBytes PackTask(int row, const _OFFSCHEDULE_Task& task);

// The years a task can carry: seven bits of year - 2000.
inline constexpr std::int32_t kMinTaskYear = 2000;
inline constexpr std::int32_t kMaxTaskYear = 2127;

// True when the task packs without spilling one field into another: cycle 0-3, template
// number 1-15, a year of 2000-2127, a month that fits four bits and a day five (a task the
// device never had set reads back with month and day 0), and a time of day.
bool IsPackableTask(const _OFFSCHEDULE_Task& task);

// The Write offline task frame for the task in list row `row`, or nothing when the task
// is not packable (such a task must never reach the device).
std::optional<CommandFrame> TaskDownloadFrame(std::uint8_t motherBoardId, int row,
                                              const _OFFSCHEDULE_Task& task);

// The task carried by a 29-byte task-read reply: byte 18 task number, 19 year - 2000,
// 20 month, 21 day, 22 hour, 23 minute, 24 second, 25 cycle, 26 weekday mask, 27 template
// number - 1. Each weekday flag takes its masked bit value; the task is not modified.
_OFFSCHEDULE_Task UnpackTaskReply(std::span<const std::uint8_t, kQueryReplySize> reply);

// Set device clock to the given date and time.
CommandFrame ClockFrame(std::uint8_t motherBoardId, const ClockTime& time);
CommandFrame ClockFrame(std::uint8_t motherBoardId, int year, int month, int day, int hour,
                        int minute, int second);
// From a broken-down local time (tm_year counts from 1900, tm_mon from 0).
CommandFrame ClockFrame(std::uint8_t motherBoardId, const std::tm& local);

// The time carried by a 25-byte clock-read reply: byte 18 year - 2000, 19 month, 20 day,
// 21 hour, 22 minute, 23 second.
ClockTime ParseClockReply(std::span<const std::uint8_t, kShortReplySize> reply);

// "YYYY-MM-DD hh:mm:ss" ("%04d-%02d-%02d %02d:%02d:%02d").
std::string FormatClock(const ClockTime& time);

}  // namespace kov

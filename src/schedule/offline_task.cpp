#include "schedule/offline_task.h"

#include <cstdio>

namespace kov {

namespace {

constexpr std::uint8_t Byte(std::int64_t value) {
    return static_cast<std::uint8_t>(value);
}

// Weekday bit weights: bit 0 Sunday, bit 1 Monday ... bit 6 Saturday.
constexpr std::uint8_t kSundayBit = 0x01;
constexpr std::uint8_t kMondayBit = 0x02;
constexpr std::uint8_t kTuesdayBit = 0x04;
constexpr std::uint8_t kWednesdayBit = 0x08;
constexpr std::uint8_t kThursdayBit = 0x10;
constexpr std::uint8_t kFridayBit = 0x20;
constexpr std::uint8_t kSaturdayBit = 0x40;

std::uint8_t Bit(std::int32_t flag, std::uint8_t weight) {
    return flag != 0 ? weight : 0;
}

}  // namespace

std::uint8_t WeekdayMask(const _OFFSCHEDULE_Task& task) {
    return static_cast<std::uint8_t>(
        Bit(task.sunday, kSundayBit) | Bit(task.monday, kMondayBit) |
        Bit(task.tuesday, kTuesdayBit) | Bit(task.wednesday, kWednesdayBit) |
        Bit(task.thursday, kThursdayBit) | Bit(task.friday, kFridayBit) |
        Bit(task.saturday, kSaturdayBit));
}

TaskBytes PackTask(int row, const _OFFSCHEDULE_Task& task) {
    const std::int32_t monthBit3 = (task.month >> 3) & 1;
    return {
        Byte(row),
        Byte((task.year - 2000) * 2 + monthBit3),
        Byte((task.month & 7) * 32 + task.day),
        Byte(task.hour),
        Byte(task.minute),
        Byte(task.second),
        Byte(task.cycle * 16 + task.templateNumber - 1),
        WeekdayMask(task),
    };
}

bool IsPackableTask(const _OFFSCHEDULE_Task& task) {
    const auto within = [](std::int32_t v, std::int32_t low, std::int32_t high) {
        return v >= low && v <= high;
    };
    return within(task.cycle, kCycleInvalid, kCycleWeekly) &&
           within(task.templateNumber, kMinTemplateNumber, kMaxTemplateNumber) &&
           within(task.year, kMinTaskYear, kMaxTaskYear) && within(task.month, 0, 15) &&
           within(task.day, 0, 31) && within(task.hour, 0, 23) && within(task.minute, 0, 59) &&
           within(task.second, 0, 59);
}

std::optional<CommandFrame> TaskDownloadFrame(std::uint8_t motherBoardId, int row,
                                              const _OFFSCHEDULE_Task& task) {
    if (!IsPackableTask(task))
        return std::nullopt;
    return WriteTaskFrame(motherBoardId, PackTask(row, task));
}

_OFFSCHEDULE_Task UnpackTaskReply(std::span<const std::uint8_t, kQueryReplySize> reply) {
    const std::uint8_t mask = reply[26];
    _OFFSCHEDULE_Task task;
    task.index = reply[18];
    task.year = reply[19] + 2000;
    task.month = reply[20];
    task.day = reply[21];
    task.hour = reply[22];
    task.minute = reply[23];
    task.second = reply[24];
    task.cycle = reply[25];
    task.sunday = mask & kSundayBit;
    task.monday = mask & kMondayBit;
    task.tuesday = mask & kTuesdayBit;
    task.wednesday = mask & kWednesdayBit;
    task.thursday = mask & kThursdayBit;
    task.friday = mask & kFridayBit;
    task.saturday = mask & kSaturdayBit;
    task.templateNumber = reply[27] + 1;
    task.modified = 0;
    return task;
}

CommandFrame ClockFrame(std::uint8_t motherBoardId, const ClockTime& time) {
    return SetClockFrame(motherBoardId, time.year, time.month, time.day, time.hour, time.minute,
                         time.second);
}

CommandFrame ClockFrame(std::uint8_t motherBoardId, int year, int month, int day, int hour,
                        int minute, int second) {
    return SetClockFrame(motherBoardId, year, month, day, hour, minute, second);
}

CommandFrame ClockFrame(std::uint8_t motherBoardId, const std::tm& local) {
    return SetClockFrame(motherBoardId, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                         local.tm_hour, local.tm_min, local.tm_sec);
}

ClockTime ParseClockReply(std::span<const std::uint8_t, kShortReplySize> reply) {
    return {reply[18] + 2000, reply[19], reply[20], reply[21], reply[22], reply[23]};
}

std::string FormatClock(const ClockTime& time) {
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

}  // namespace kov

#include "schedule/offline_task.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kov {
namespace {

// A task at a date and time with a cycle and a template; no weekday set.
OfflineTask Task(int year, int month, int day, int hour, int minute, int second, int cycle,
                 int templateNumber) {
    OfflineTask task;
    task.year = year;
    task.month = month;
    task.day = day;
    task.hour = hour;
    task.minute = minute;
    task.second = second;
    task.cycle = cycle;
    task.templateNumber = templateNumber;
    return task;
}

OfflineTask WithDays(OfflineTask task, int mon, int tue, int wed, int thu, int fri, int sat,
                     int sun) {
    task.monday = mon;
    task.tuesday = tue;
    task.wednesday = wed;
    task.thursday = thu;
    task.friday = fri;
    task.saturday = sat;
    task.sunday = sun;
    return task;
}

struct PackCase {
    const char* name;
    int row;
    OfflineTask task;
    TaskBytes expected;
};

class PackTaskTest : public testing::TestWithParam<PackCase> {};

TEST_P(PackTaskTest, PacksTheEightParameterBytes) {
    EXPECT_EQ(PackTask(GetParam().row, GetParam().task), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tasks, PackTaskTest,
    testing::Values(
        PackCase{"WeeklyMondayFridayEndOf2013",
                 0,
                 WithDays(Task(2013, 12, 31, 8, 30, 0, kCycleWeekly, 2), 1, 0, 0, 0, 1, 0, 0),
                 {0x00, 0x1B, 0x9F, 0x08, 0x1E, 0x00, 0x31, 0x22}},
        PackCase{"WeeklyMondayWednesdayRowFive",
                 5,
                 WithDays(Task(2025, 12, 31, 7, 30, 0, kCycleWeekly, 3), 1, 0, 1, 0, 0, 0, 0),
                 {0x05, 0x33, 0x9F, 0x07, 0x1E, 0x00, 0x32, 0x0A}},
        PackCase{"AugustSetsTheMonthBitInTheYearByte",
                 1,
                 Task(2020, 8, 15, 23, 59, 59, kCycleOnce, 15),
                 {0x01, 0x29, 0x0F, 0x17, 0x3B, 0x3B, 0x2E, 0x00}},
        PackCase{"JulyKeepsAllThreeLowMonthBits",
                 127,
                 Task(2099, 7, 1, 0, 0, 0, kCycleDaily, 1),
                 {0x7F, 0xC6, 0xE1, 0x00, 0x00, 0x00, 0x10, 0x00}},
        PackCase{"OffTaskWithTemplateFifteen",
                 2,
                 Task(2000, 1, 1, 12, 0, 0, kCycleInvalid, 15),
                 {0x02, 0x00, 0x21, 0x0C, 0x00, 0x00, 0x0E, 0x00}},
        PackCase{"EveryWeekday",
                 3,
                 WithDays(Task(2024, 2, 29, 6, 0, 0, kCycleWeekly, 1), 1, 1, 1, 1, 1, 1, 1),
                 {0x03, 0x30, 0x5D, 0x06, 0x00, 0x00, 0x30, 0x7F}},
        PackCase{"SundayAndSaturdayAreTheOuterBits",
                 4,
                 WithDays(Task(2024, 1, 1, 0, 0, 0, kCycleWeekly, 1), 0, 0, 0, 0, 0, 1, 1),
                 {0x04, 0x30, 0x21, 0x00, 0x00, 0x00, 0x30, 0x41}},
        PackCase{"NonZeroFlagsCountAsSet",
                 6,
                 WithDays(Task(2024, 1, 1, 0, 0, 0, kCycleWeekly, 1), 2, 0, 0, 16, 0, 0, 0),
                 {0x06, 0x30, 0x21, 0x00, 0x00, 0x00, 0x30, 0x12}}),
    [](const testing::TestParamInfo<PackCase>& info) { return info.param.name; });

struct PackableCase {
    int cycle;
    int templateNumber;
    bool packable;
};

TEST(TaskDownloadFrame, RefusesTasksThatDoNotFitTheirNibbles) {
    const PackableCase cases[] = {
        {kCycleInvalid, 1, true}, {kCycleWeekly, 15, true}, {kCycleDaily, 0, false},
        {kCycleDaily, 16, false}, {kCycleDaily, -1, false}, {4, 1, false},
        {-1, 1, false},
    };
    for (const PackableCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "cycle " << c.cycle << " template " << c.templateNumber);
        const OfflineTask task = Task(2024, 5, 6, 7, 8, 9, c.cycle, c.templateNumber);
        EXPECT_EQ(IsPackableTask(task), c.packable);
        EXPECT_EQ(TaskDownloadFrame(0x10, 0, task).has_value(), c.packable);
    }
}

TEST(TaskDownloadFrame, RefusesDatesAndTimesThePackingCannotCarry) {
    struct DateCase {
        int year, month, day, hour, minute, second;
        bool packable;
    };
    const DateCase cases[] = {
        {2000, 1, 1, 0, 0, 0, true},    {2127, 12, 31, 23, 59, 59, true},
        {1999, 12, 31, 0, 0, 0, false}, {2128, 1, 1, 0, 0, 0, false},
        {2024, 16, 1, 0, 0, 0, false},  {2000, 0, 0, 0, 0, 0, true},
        {2024, 1, 32, 0, 0, 0, false},  {2024, 1, 1, 24, 0, 0, false},
        {2024, 1, 1, 0, 60, 0, false},  {2024, 1, 1, 0, 0, 60, false},
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day << " " << c.hour
                                        << ":" << c.minute << ":" << c.second);
        const OfflineTask task =
            Task(c.year, c.month, c.day, c.hour, c.minute, c.second, kCycleDaily, 1);
        EXPECT_EQ(TaskDownloadFrame(0x10, 0, task).has_value(), c.packable);
    }
}

TEST(TaskDownloadFrame, AddressesTheMotherBoardWithTheRowNumber) {
    const OfflineTask task =
        WithDays(Task(2013, 12, 31, 8, 30, 0, kCycleWeekly, 2), 1, 0, 0, 0, 1, 0, 0);
    const auto frame = TaskDownloadFrame(0x3C, 9, task);
    ASSERT_TRUE(frame.has_value());
    const CommandFrame expected = {0xED, 0xCB, 0x3C, 0x1A, 0x09, 0x1B, 0x9F,
                                   0x08, 0x1E, 0x00, 0x31, 0x22, 0x55};
    EXPECT_EQ(*frame, expected);
}

// A 29-byte task-read reply carrying the given data bytes from byte 18 on.
std::array<std::uint8_t, kQueryReplySize> TaskReply(std::array<std::uint8_t, 10> data) {
    std::array<std::uint8_t, kQueryReplySize> reply{};
    reply[0] = kHeader1;
    reply[1] = kHeader2;
    reply[17] = static_cast<std::uint8_t>(data.size());
    unsigned sum = reply[17];
    for (std::size_t i = 0; i < data.size(); ++i) {
        reply[18 + i] = data[i];
        sum += data[i];
    }
    reply[kQueryReplySize - 1] = static_cast<std::uint8_t>(sum);
    return reply;
}

TEST(UnpackTaskReply, TakesOneFieldPerByte) {
    const auto reply = TaskReply({5, 13, 12, 31, 8, 30, 0, 3, 0x22, 1});
    ASSERT_TRUE(IsValidReply(reply));
    OfflineTask expected = Task(2013, 12, 31, 8, 30, 0, kCycleWeekly, 2);
    expected.index = 5;
    expected.monday = 0x02;  // the masked bit values
    expected.friday = 0x20;
    EXPECT_EQ(UnpackTaskReply(reply), expected);
}

TEST(UnpackTaskReply, EachMaskBitSetsOneWeekday) {
    using Flag = std::int32_t OfflineTask::*;
    const Flag byBit[] = {&OfflineTask::sunday,    &OfflineTask::monday,   &OfflineTask::tuesday,
                          &OfflineTask::wednesday, &OfflineTask::thursday, &OfflineTask::friday,
                          &OfflineTask::saturday};
    for (int bit = 0; bit < 7; ++bit) {
        SCOPED_TRACE(bit);
        const auto mask = static_cast<std::uint8_t>(1 << bit);
        const OfflineTask task = UnpackTaskReply(TaskReply({0, 0, 1, 1, 0, 0, 0, 3, mask, 0}));
        for (int other = 0; other < 7; ++other) {
            EXPECT_EQ(task.*byBit[other] != 0, other == bit) << other;
        }
        EXPECT_EQ(WeekdayMask(task), mask);
    }
}

TEST(UnpackTaskReply, RoundTripsWithPackingThroughTheWeekdayMask) {
    const OfflineTask task = UnpackTaskReply(TaskReply({7, 24, 9, 10, 11, 12, 13, 3, 0x55, 14}));
    EXPECT_EQ(task.templateNumber, 15);
    EXPECT_EQ(task.modified, 0);
    EXPECT_EQ(PackTask(task.index, task),
              (TaskBytes{0x07, 0x31, 0x2A, 0x0B, 0x0C, 0x0D, 0x3E, 0x55}));
}

TEST(UnpackTaskReply, AZeroedBufferReadsAsAnOffTaskOnTemplateOne) {
    const std::array<std::uint8_t, kQueryReplySize> zeros{};
    OfflineTask expected = Task(2000, 0, 0, 0, 0, 0, kCycleInvalid, 1);
    EXPECT_EQ(UnpackTaskReply(zeros), expected);
}

TEST(ClockFrame, EveryFormSendsYearFromTwoThousandAndTheFields) {
    std::tm local{};
    local.tm_year = 2013 - 1900;
    local.tm_mon = 12 - 1;
    local.tm_mday = 31;
    local.tm_hour = 8;
    local.tm_min = 30;
    local.tm_sec = 59;
    const CommandFrame expected = {0xED, 0xCB, 0x10, 0x1B, 0x0D, 0x0C, 0x1F,
                                   0x08, 0x1E, 0x3B, 0x55, 0x55, 0x55};
    const CommandFrame forms[] = {
        ClockFrame(0x10, local),
        ClockFrame(0x10, 2013, 12, 31, 8, 30, 59),
        ClockFrame(0x10, ClockTime{2013, 12, 31, 8, 30, 59}),
    };
    for (const CommandFrame& frame : forms)
        EXPECT_EQ(frame, expected);
}

struct ClockCase {
    const char* name;
    std::array<std::uint8_t, 6> data;  // bytes 18-23
    ClockTime time;
    std::string text;
};

class ClockReplyTest : public testing::TestWithParam<ClockCase> {};

TEST_P(ClockReplyTest, ParsesAndFormats) {
    std::array<std::uint8_t, kShortReplySize> reply{};
    reply[0] = kHeader1;
    reply[1] = kHeader2;
    reply[17] = 6;
    for (std::size_t i = 0; i < 6; ++i)
        reply[18 + i] = GetParam().data[i];
    const ClockTime time = ParseClockReply(reply);
    EXPECT_EQ(time, GetParam().time);
    EXPECT_EQ(FormatClock(time), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Replies, ClockReplyTest,
                         testing::Values(ClockCase{"Ordinary",
                                                   {26, 12, 10, 1, 2, 3},
                                                   {2026, 12, 10, 1, 2, 3},
                                                   "2026-12-10 01:02:03"},
                                         ClockCase{"EndOfDay",
                                                   {13, 12, 31, 23, 59, 59},
                                                   {2013, 12, 31, 23, 59, 59},
                                                   "2013-12-31 23:59:59"},
                                         ClockCase{"ZeroedBufferAfterAFailedRead",
                                                   {0, 0, 0, 0, 0, 0},
                                                   {2000, 0, 0, 0, 0, 0},
                                                   "2000-00-00 00:00:00"},
                                         ClockCase{"LargestByte",
                                                   {255, 255, 255, 255, 255, 255},
                                                   {2255, 255, 255, 255, 255, 255},
                                                   "2255-255-255 255:255:255"}),
                         [](const testing::TestParamInfo<ClockCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace kov

// Offline tasks as kovctl's text lines: printing, reading back and refusing bad fields.

#include "schedule/offline_task_text.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

TEST(OfflineTaskText, ALineReadsBackAsTheTaskItWasPrintedFrom) {
    OfflineTask task;
    task.index = 127;
    task.year = 2127;
    task.month = 8;
    task.day = 31;
    task.hour = 23;
    task.minute = 59;
    task.second = 58;
    task.cycle = kCycleWeekly;
    task.monday = task.sunday = 1;
    task.templateNumber = 15;
    const std::string line = FormatTaskLine(task);
    EXPECT_EQ(line, "task 127: 2127-08-31 23:59:58 cycle=weekly days=Mon,Sun template=15");
    const ParsedTask parsed = ParseTaskLine(line + "\r");
    ASSERT_TRUE(parsed.task) << parsed.error;
    EXPECT_EQ(*parsed.task, task);
}

TEST(OfflineTaskText, AnUnsetDeviceTaskRoundTrips) {
    OfflineTask unset;  // what a device reports for a task that was never set
    unset.year = 2000;
    const ParsedTask parsed = ParseTaskLine(FormatTaskLine(unset));
    ASSERT_TRUE(parsed.task) << parsed.error;
    EXPECT_EQ(*parsed.task, unset);
}

TEST(OfflineTaskText, FieldsAsTypedOnTheCommandLine) {
    const ParsedTask parsed =
        ParseTaskFields(5, "2026-12-24", "08:30:00", "WEEKLY", "mon,fri", "3");
    ASSERT_TRUE(parsed.task) << parsed.error;
    EXPECT_EQ(parsed.task->index, 5);
    EXPECT_EQ(parsed.task->monday, 1);
    EXPECT_EQ(parsed.task->friday, 1);
    EXPECT_EQ(parsed.task->tuesday, 0);
    EXPECT_EQ(DayNames(*parsed.task), "Mon,Fri");
}

TEST(OfflineTaskText, BadFieldsSayWhatIsWrong) {
    struct Case {
        const char *date, *time, *cycle, *days, *templ, *error;
    };
    const Case cases[] = {
        {"2026-12-24", "08:30:00", "weekly", "-", "3", "a weekly task needs at least one day"},
        {"2026-12-24", "08:30:00", "daily", "-", "16", "template 16 is out of range 1-15"},
        {"2026-12-24", "08:30:00", "daily", "-", "0", "template 0 is out of range 1-15"},
        {"2128-01-01", "08:30:00", "daily", "-", "1", "year 2128 is out of range 2000-2127"},
        {"1999-01-01", "08:30:00", "daily", "-", "1", "year 1999 is out of range 2000-2127"},
        {"2026-13-01", "08:30:00", "once", "-", "1",
         "date or time 2026-13-01 08:30:00 is not valid"},
        {"2026-1-01", "08:30:00", "once", "-", "1", "date \"2026-1-01\" is not YYYY-MM-DD"},
        {"2026-12-24", "24:00:00", "once", "-", "1",
         "date or time 2026-12-24 24:00:00 is not valid"},
        {"2026-12-24", "8:30", "once", "-", "1", "time \"8:30\" is not hh:mm:ss"},
        {"2026-12-24", "08:30:00", "hourly", "-", "1",
         "cycle \"hourly\" is not off, daily, once or weekly"},
        {"2026-12-24", "08:30:00", "weekly", "mon,xyz", "1",
         "day \"xyz\" is not one of mon ... sun"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const ParsedTask parsed = ParseTaskFields(0, c.date, c.time, c.cycle, c.days, c.templ);
        EXPECT_FALSE(parsed.task);
        EXPECT_EQ(parsed.error, c.error);
    }
}

TEST(OfflineTaskText, LinesThatAreNoTaskLines) {
    EXPECT_EQ(ParseTaskLine("task 128: 2026-12-24 08:30:00 cycle=daily days=- template=1").error,
              "task number 128 is out of range 0-127");
    EXPECT_FALSE(ParseTaskLine("hello").task);
    EXPECT_FALSE(ParseTaskLine("task 1: 2026-12-24 08:30:00 cycle=daily template=1").task);
}

}  // namespace
}  // namespace kov

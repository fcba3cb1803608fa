// kovctl's offline task commands against kov-sim: all 128 tasks written from a file and
// read back, and the argument errors that name what is wrong.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "schedule/offline_task_text.h"
#include "sim_fixture.h"

namespace kov::test {
namespace {

class TaskTest : public SimFixture {};

// 128 tasks that differ in every field the packing carries.
std::string DistinctTasks() {
    std::string text = "# tasks for the wall's week\n";
    for (int n = 0; n < kOfflineTaskCount; ++n) {
        OfflineTask t;
        t.index = n;
        t.year = 2000 + n;
        t.month = 1 + n % 12;
        t.day = 1 + n % 31;
        t.hour = n % 24;
        t.minute = (n * 7) % 60;
        t.second = (n * 13) % 60;
        t.cycle = n % 4;
        t.monday = n & 1;
        t.tuesday = (n >> 1) & 1;
        t.wednesday = (n >> 2) & 1;
        t.thursday = (n >> 3) & 1;
        t.friday = (n >> 4) & 1;
        t.saturday = (n >> 5) & 1;
        t.sunday = t.cycle == kCycleWeekly && DayNames(t) == "-" ? 1 : (n >> 6) & 1;
        t.templateNumber = 1 + n % 15;
        text += FormatTaskLine(t) + "\n";
    }
    return text;
}

TEST_F(TaskTest, AllTasksWrittenFromAFileReadBackTheSame) {
    StartSim();
    const std::string tasks = DistinctTasks();
    dir.Write("tasks.txt", tasks);
    const RunResult write = Kovctl({"task", "write", "--file", (dir / "tasks.txt").string()});
    ASSERT_EQ(write.exitCode, 0) << write.err;
    const RunResult read = Kovctl({"task", "read", "all"});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ("# tasks for the wall's week\n" + read.out, tasks);
    const std::string state = State();
    EXPECT_NE(state.find("task.127=2127-08-04"), std::string::npos) << state;
    EXPECT_NE(state.find("task.0=2000-01-01 00:00:00"), std::string::npos) << state;
}

TEST_F(TaskTest, OneTaskFromTheCommandLine) {
    StartSim();
    const RunResult write =
        Kovctl({"task", "write", "5", "2026-12-24", "08:30:00", "weekly", "mon,fri", "3"});
    ASSERT_EQ(write.exitCode, 0) << write.err;
    const RunResult read = Kovctl({"task", "read", "5"});
    EXPECT_EQ(read.out, "task 5: 2026-12-24 08:30:00 cycle=weekly days=Mon,Fri template=3\n");
}

TEST_F(TaskTest, WrongArgumentsSayWhatIsWrongBeforeTheUsage) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"task", "read", "128"}, "task number 128 is out of range 0-127"},
        {{"task", "write", "5", "2026-12-24", "08:30:00", "weekly", "-", "3"},
         "a weekly task needs at least one day"},
        {{"task", "write", "5", "2026-12-24", "08:30:00", "daily", "-", "16"},
         "template 16 is out of range 1-15"},
        {{"task", "write", "200", "2026-12-24", "08:30:00", "daily", "-", "1"},
         "task number 200 is out of range 0-127"},
    };
    for (const Case& c : cases) {
        const RunResult r = Kovctl(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.message;
        EXPECT_EQ(r.err.rfind("kovctl: " + c.message + "\nusage: kovctl", 0), 0u) << r.err;
    }
}

TEST_F(TaskTest, AFileWithABadLineWritesNothing) {
    StartSim();
    dir.Write("tasks.txt",
              "task 1: 2026-12-24 08:30:00 cycle=daily days=- template=1\n"
              "task 2: 2026-12-24 08:30:00 cycle=daily days=- template=99\n");
    const RunResult r = Kovctl({"task", "write", "--file", (dir / "tasks.txt").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("tasks.txt:2: template 99 is out of range 1-15"), std::string::npos)
        << r.err;
    EXPECT_EQ(State().find("task.1="), std::string::npos);
}

}  // namespace
}  // namespace kov::test

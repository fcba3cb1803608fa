// kovctl schedule against a program directory and kov-sim: the list, the checks, the
// upcoming firings and a foreground run that switches a source and synchronises a project.

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>

#include "schedule/schedule_file.h"
#include "sim_fixture.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/project_file.h"

namespace kov::test {
namespace {

namespace fs = std::filesystem;

ScheduleEntry SwitchAt(int hour, int minute, int second, int card, int picture, int source) {
    ScheduleEntry e;
    e.year = 2024;
    e.month = 5;
    e.day = 1;
    e.hour = hour;
    e.minute = minute;
    e.second = second;
    e.method = kMethodChannelSwitch;
    e.cardKey = card;
    e.picture = picture;
    e.source = source;
    return e;
}

ScheduleEntry ScriptAt(int hour, int minute, int second, const fs::path& path) {
    ScheduleEntry e = SwitchAt(hour, minute, second, 0, 0, kNoSource);
    e.method = kMethodScript;
    e.scriptPath = path.string();
    return e;
}

class ScheduleCommandTest : public SimFixture {
protected:
    void SetUp() override {
        dir.Write("normalStart.ini",
                  "[COM]\r\nport=7\r\ntimeout=1\r\n[Setting]\r\nLanguage=english\r\n");
    }
};

TEST_F(ScheduleCommandTest, ShowPrintsTheEditorRows) {
    ASSERT_TRUE(SaveSchedule(dir / "plan.smfx",
                             {SwitchAt(8, 30, 0, 129, 2, 8), ScriptAt(12, 0, 0, "/w/a.scpx")}));
    const RunResult r = Kovctl({"schedule", "show", (dir / "plan.smfx").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "No.\tCycle\tDate\tTime\tAction\tDescription\n"
              "0\tDaily\tEvery day\t08:30:00\tSwitch channel\tVGA,InPutCard1,Picture2\n"
              "1\tDaily\tEvery day\t12:00:00\tRun script\t/w/a.scpx\n");
}

TEST_F(ScheduleCommandTest, CheckNamesSkippedLinesAndUnrunnableEntries) {
    const fs::path project = dir.Write("a.scpx", "");
    ASSERT_TRUE(SaveSchedule(dir / "good.smfx",
                             {SwitchAt(8, 30, 0, 129, 2, 8), ScriptAt(9, 0, 0, project)}));
    const RunResult good = Kovctl({"schedule", "check", (dir / "good.smfx").string()});
    EXPECT_EQ(good.exitCode, 0) << good.err;
    EXPECT_EQ(good.out, "ok: 2 entries\n");

    dir.Write("bad.smfx",
              "1,2,3\r\n"
              "2024,5,1,8,30,0,1,0,0,0,0,0,0,0,1,99,129,2,,\r\n"
              "2024,5,1,9,0,0,1,0,0,0,0,0,0,0,0,99,0,0,/nowhere/x.scpx,\r\n");
    const RunResult bad = Kovctl({"schedule", "check", (dir / "bad.smfx").string()});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out,
              "line 1: skipped by the reader: 3 fields instead of 19\n"
              "line 2 (entry 0): cannot run: the channel switch has no source of its card's "
              "source table\n"
              "line 3 (entry 1): cannot run: the script file cannot be found or cannot be read: "
              "/nowhere/x.scpx\n");

    const RunResult missing = Kovctl({"schedule", "check", (dir / "none.smfx").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("none.smfx"), std::string::npos) << missing.err;
}

TEST_F(ScheduleCommandTest, NextListsTheComingFiringsFromAGivenTime) {
    ScheduleEntry weekly = SwitchAt(7, 0, 0, 1, 1, 10);
    weekly.cycle = kCycleWeekly;
    weekly.friday = 1;
    ASSERT_TRUE(SaveSchedule(dir / "plan.smfx", {SwitchAt(8, 30, 0, 129, 2, 8), weekly}));
    const RunResult r = Kovctl({"schedule", "next", (dir / "plan.smfx").string(), "--from",
                                "2024-05-02 08:30:00", "--count", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "2024-05-03 07:00:00 entry 1 fires: channel switch card 1 picture 1 source 10 "
              "(last entry: the run ends)\n");
    const RunResult bad =
        Kovctl({"schedule", "next", (dir / "plan.smfx").string(), "--from", "2024-02-30 08:00:00"});
    EXPECT_EQ(bad.exitCode, 1);
}

// The local time of day a few seconds from now.
std::tm InSeconds(int seconds) {
    const std::time_t t = std::time(nullptr) + seconds;
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

TEST_F(ScheduleCommandTest, RunSynchronisesTheProjectAndSwitchesTheChannel) {
    for (const char* file : {kDefaultsFileName, kBoardConfigFileName})
        fs::copy_file(fs::path(KOV_DATA_DIR) / file, dir / file);
    StartSim();
    // A project that differs from the defaults in the picture source of input card 129.
    CardRecords records;
    CardConfiguration config;
    ASSERT_TRUE(ReadCardConfiguration(dir / kBoardConfigFileName, config));
    ASSERT_TRUE(records.Load(config, dir.Path()));
    ASSERT_TRUE(records.EditInput(129, [](InputCardRecord& r) { r.inputSrc = 1; }));
    ASSERT_TRUE(WriteProjectFile(dir / "project.scpx", records.Snapshot()));

    const std::tm script = InSeconds(2);
    const std::tm change = InSeconds(4);
    ASSERT_TRUE(
        SaveSchedule(dir / "plan.smfx",
                     {ScriptAt(script.tm_hour, script.tm_min, script.tm_sec, dir / "project.scpx"),
                      SwitchAt(change.tm_hour, change.tm_min, change.tm_sec, 131, 2, 8)}));
    const RunResult r = Kovctl({"schedule", "run", (dir / "plan.smfx").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("entry 0 fires: script"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("synchronised: 121 frames"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("entry 1 fires: channel switch card 131 picture 2 source 8"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("run ended: the last entry fired"), std::string::npos) << r.out;

    // kov-sim writes its state before it reports a frame: after the switch is reported the
    // state holds everything.
    std::string line;
    bool seen = false;
    while (!seen && sim->Process().ReadLine(line, std::chrono::seconds(10)))
        seen = line.find("ED CB 83 11 01 08") != std::string::npos;
    ASSERT_TRUE(seen) << "kov-sim did not report the channel switch";
    const std::string state = State();
    EXPECT_NE(state.find("card.131.source=8\n"), std::string::npos) << state;
    EXPECT_NE(state.find("card.129.source=1\n"), std::string::npos) << state;
    EXPECT_NE(state.find("rejected=0\n"), std::string::npos) << state;
}

}  // namespace
}  // namespace kov::test

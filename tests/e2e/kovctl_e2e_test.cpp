// kovctl against kov-sim on a real pseudo-terminal.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <regex>
#include <sstream>
#include <thread>

#include "link/command_log.h"
#include "sim_fixture.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/text_codec.h"

namespace kov::test {
namespace {

class KovctlTest : public SimFixture {};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(KovctlTest, DetectPrintsTheFourteenSlotsOfTheRack) {
    StartSim();
    const RunResult r = Kovctl({"detect"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "slot 1: 1\nslot 2: 2\nslot 3: 3\nslot 4: 4\nslot 5: 129\nslot 6: 130\n"
              "slot 7: 131\nslot 8: 132\nslot 9: 0\nslot 10: 0\nslot 11: 0\nslot 12: 0\n"
              "slot 13: 0\nslot 14: 0\n");
}

TEST_F(KovctlTest, ClockSetThenGetReturnsTheComputersTime) {
    StartSim();
    const RunResult set = Kovctl({"clock", "set"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const RunResult get = Kovctl({"clock", "get"});
    ASSERT_EQ(get.exitCode, 0) << get.err;
    std::tm device{};
    std::istringstream in(get.out);
    in >> std::get_time(&device, "%Y-%m-%d %H:%M:%S");
    ASSERT_FALSE(in.fail()) << get.out;
    device.tm_isdst = -1;
    const double off = std::difftime(std::mktime(&device), std::time(nullptr));
    EXPECT_LE(std::abs(off), 2.0) << get.out;
}

TEST_F(KovctlTest, SendAddsHeaderAndChecksumAndTheDeviceActsOnIt) {
    StartSim();
    const RunResult r =
        Kovctl({"send", "00", "01", "01", "0E", "55", "55", "55", "55", "55", "55"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "sent  ED  CB  00  01  01  0E  55  55  55  55  55  55  0E\n");
    std::string line;
    bool seen = false;
    while (!seen && sim->Process().ReadLine(line, std::chrono::seconds(5))) {
        seen = line.find("ED CB 00 01 01 0E") != std::string::npos;
    }
    EXPECT_TRUE(seen) << "kov-sim did not report the frame";
}

TEST_F(KovctlTest, TaskReadPrintsTheTaskFields) {
    StartSim();
    // Row 0: 31 Dec 2013 08:30:00, weekly on Monday and Friday, template 2.
    ASSERT_EQ(Kovctl({"send", "00", "1A", "00", "1B", "9F", "08", "1E", "00", "31", "22"}).exitCode,
              0);
    const RunResult r = Kovctl({"task", "read", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "task 0: 2013-12-31 08:30:00 cycle=weekly days=Mon,Fri template=2\n");
}

TEST_F(KovctlTest, CommandLogHoldsTheExchangeByteForByte) {
    StartSim();
    ASSERT_EQ(Kovctl({"send", "00", "12", "55", "55", "55", "55", "55", "55", "55", "55"}).exitCode,
              0);
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir / "command_log"))
        files.push_back(e.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(std::regex_match(files[0].filename().string(),
                                 std::regex(R"(\d{4}-\d\d-\d\d Command\.txt)")));
    const std::string bytes = dir.Read("command_log/" + files[0].filename().string());
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    const std::string text = Utf16LeToUtf8(bytes.substr(2));
    EXPECT_TRUE(std::regex_match(
        text,
        std::regex(
            R"(\d{4}\.\d\d\.\d\d  \d\d:\d\d:\d\d\tSendCommand:  ED  CB  00  12(  55){8}  BA\r\n)")))
        << text;
    // The date in the line is the date in the file name.
    const std::string day = files[0].filename().string().substr(0, 10);
    EXPECT_EQ(text.substr(0, 10), std::regex_replace(day, std::regex("-"), "."));
}

// Wrong arguments: what is wrong comes first, then the usage, and the exit code is 2.
TEST_F(KovctlTest, BadArgumentsSayWhatIsWrongThenPrintUsageAndExitTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command frobnicate"},
        {{"send", "00", "12"}, "send needs 10 bytes, got 2"},
        {{"send", "00", "12", "55", "55", "55", "55", "55", "55", "55", "GG"},
         "send: byte 11 \"GG\" is not a hex byte 00-FF"},
        {{"send", "00", "12", "55", "55", "55", "55", "55", "55", "55", "100"},
         "send: byte 11 \"100\" is not a hex byte 00-FF"},
        {{"clock", "sideways"}, "clock wants get or set, got \"sideways\""},
        {{"clock"}, "clock wants get or set"},
        {{"ports", "all"}, "ports takes no arguments"},
        {{"task", "read", "128"}, "task number 128 is out of range 0-127"},
        {{"task", "read", "-1"}, "task number -1 is out of range 0-127"},
        {{"task", "erase", "3"},
         "task wants read N|all, write N DATE TIME CYCLE DAYS TEMPLATE or write --file FILE"},
        {{"template", "recall", "16"}, "template 16 is out of range 1-15"},
        {{"template", "forget", "3"}, "template wants recall N or store N"},
        {{"project", "show"}, "project wants show FILE, convert IN OUT or check FILE"},
        {{"sync", "a.scpx", "b.scpx"}, "sync takes at most one FILE, got 2 arguments"},
        {{"schedule", "run"}, "schedule wants show|check|next|run FILE"},
        {{"schedule", "next", "x.smfx", "--count"}, "--count needs a value"},
        {{"config", "write"}, "config wants detect"},
        {{"--mb", "300", "detect"}, "mother board ID 300 is out of range 0-255"},
        {{"--dir"}, "--dir needs a value"},
        {{"--bogus", "detect"}, "unknown option --bogus"},
    };
    for (const Case& c : cases) {
        const RunResult r = Kovctl(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.message;
        EXPECT_EQ(r.err.rfind("kovctl: " + c.message + "\nusage: kovctl", 0), 0u) << r.err;
    }
}

TEST_F(KovctlTest, MissingPortSaysSoAndExitsOne) {
    dir.Write("normalStart.ini", "[COM]\r\nport=7\r\ntimeout=1\r\n");
    const RunResult r = Kovctl({"detect"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("port closed: COM7 is not among the serial ports"), std::string::npos)
        << r.err;
}

// A silent device keeps detection retrying for twenty seconds; once the device has gone
// (kov-sim killed), kovctl stops at once and says so.
TEST_F(KovctlTest, VanishedDeviceEndsDetectionQuicklyWithExitOne) {
    StartSim({"--fault", "silent"});
    RunResult r;
    const auto start = std::chrono::steady_clock::now();
    std::thread detect([&] { r = Kovctl({"detect"}); });
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    sim->Process().Stop(SIGKILL);
    detect.join();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("device disconnected"), std::string::npos) << r.err;
    EXPECT_LT(took, std::chrono::seconds(4));
}

// Files that are no readable file (a folder, an endless device, a file whose read fails
// after the open) end in the "cannot be read" message and exit 1, never in an abort.
TEST_F(KovctlTest, FilesThatCannotBeReadAreReportedAndExitOne) {
    StartSim();
    namespace fs = std::filesystem;
    struct Case {
        const char* file;
        std::vector<std::string> command;
        const char* says;
    };
    const Case cases[] = {
        {"Board Config.ini", {"clock", "get"}, "cannot be read: "},
        {"tasks.txt", {"task", "write", "--file", (dir / "tasks.txt").string()}, "cannot read "},
        {"normalStart.ini", {"clock", "get"}, "cannot read "},
    };
    const std::string settings = dir.Read("normalStart.ini");
    for (const Case& c : cases) {
        for (const char* unreadable : {"", "/dev/zero", "/proc/self/mem"}) {
            SCOPED_TRACE(std::string(c.file) + " as " + (*unreadable ? unreadable : "a folder"));
            const fs::path path = dir / c.file;
            fs::remove_all(path);
            if (*unreadable)
                fs::create_symlink(unreadable, path);
            else
                fs::create_directory(path);
            const RunResult r = Kovctl(c.command);
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_NE(r.err.find(std::string(c.says) + path.string()), std::string::npos) << r.err;
            fs::remove_all(path);
        }
    }
    dir.Write("normalStart.ini", settings);
}

// A file that reads without a fault but sets nothing is no project: check says so.
TEST_F(KovctlTest, ProjectCheckSaysWhenAFileSetsNothing) {
    for (const char* file : {kov::kDefaultsFileName, kov::kBoardConfigFileName})
        std::filesystem::copy_file(std::filesystem::path(KOV_DATA_DIR) / file, dir / file);
    struct Case {
        const char* name;
        std::string bytes;
        int exitCode;
        const char* out;
    };
    const Case cases[] = {
        {"empty", "", 1, "the file sets nothing"},
        {"byte-order mark only", "\xFF\xFE", 1, "the file sets nothing"},
        {"NULs", std::string(64, '\0'), 1, "the file sets nothing"},
        {"the shipped sample", ReadFile(std::filesystem::path(KOV_DATA_DIR) / "2x2 wall.scpx"), 0,
         "ok\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write("p.scpx", c.bytes);
        const RunResult r = Kovctl({"project", "check", (dir / "p.scpx").string()});
        EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
        EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
    }
}

TEST_F(KovctlTest, BadChecksumReplyIsReportedAndExitsOne) {
    StartSim({"--fault", "bad-checksum"});
    const RunResult r = Kovctl({"clock", "get"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no reply"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace kov::test

// The program's link, through the real POSIX port, against kov-sim.

#include <gtest/gtest.h>

#include <signal.h>

#include <thread>

#include "link/command_log.h"
#include "link/commands.h"
#include "link/device_queries.h"
#include "link/exchange.h"
#include "link/serial_comm.h"
#include "sim_fixture.h"
#include "store/text_codec.h"
#include "support/sim_link.h"

namespace kov::test {
namespace {

// Pauses that the protocol asks for, shortened fifty-fold so retries take milliseconds.
class QuickClock final : public Clock {
public:
    TimePoint Now() const override { return std::chrono::system_clock::now(); }
    void Sleep(std::chrono::milliseconds duration) override {
        ++sleeps;
        std::this_thread::sleep_for(duration / 50);
    }
    int sleeps = 0;
};

class LinkTest : public SimFixture {
protected:
    void Connect(int timeout) {
        link.SetClock(&clock);
        log = std::make_unique<BrellLog>(dir.Path(), kCommandLogName);
        ASSERT_TRUE(OpenSimLink(link, *log, dir.Path(), kSimPort, timeout));
    }

    std::string LogText() {
        for (const auto& e : std::filesystem::directory_iterator(dir / "command_log")) {
            return Utf16LeToUtf8(dir.Read("command_log/" + e.path().filename().string()).substr(2));
        }
        return {};
    }

    static int Count(const std::string& text, const std::string& what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1))
            ++n;
        return n;
    }

    QuickClock clock;
    std::unique_ptr<BrellLog> log;
    CSerialComm link;
};

TEST_F(LinkTest, AllOfTheOfflineTasksReadBackWhatWasWritten) {
    StartSim();
    Connect(1);
    for (int row = 0; row < kOfflineTaskCount; ++row) {
        _OFFSCHEDULE_Task task;
        task.year = 2020 + row % 10;
        task.month = 1 + row % 12;
        task.day = 1 + row % 28;
        task.hour = row % 24;
        task.minute = row % 60;
        task.second = (row * 7) % 60;
        task.cycle = row % 4;
        task.monday = row % 2;
        task.sunday = 1;
        task.templateNumber = 1 + row % 15;
        ASSERT_TRUE(SendCommand(link, *TaskDownloadFrame(0, row, task)));
    }
    for (int n = 0; n < kOfflineTaskCount; ++n) {
        const auto task = ReadOfflineTask(link, 0, n);
        ASSERT_TRUE(task) << "task " << n;
        EXPECT_EQ(task->index, n);
        EXPECT_EQ(task->year, 2020 + n % 10);
        EXPECT_EQ(task->month, 1 + n % 12);
        EXPECT_EQ(task->day, 1 + n % 28);
        EXPECT_EQ(task->cycle, n % 4);
        EXPECT_EQ(task->monday != 0, n % 2 == 1);
        EXPECT_EQ(task->templateNumber, 1 + n % 15);
    }
}

TEST_F(LinkTest, SilentDeviceFailsDetectionAfterTwentyAttempts) {
    StartSim({"--fault", "silent"});
    Connect(0);
    SlotIds ids{};
    EXPECT_EQ(DetectCards(link, ids), DetectResult::kNoValidReply);
    // One wait for the detect frame to leave the computer, then the pause of every attempt.
    EXPECT_EQ(clock.sleeps, kStatusReplyAttempts + 1);
}

TEST_F(LinkTest, BadChecksumStatusReplyIsLoggedOnceAndRejected) {
    StartSim({"--fault", "bad-checksum"});
    Connect(0);
    SlotIds ids{};
    EXPECT_EQ(DetectCards(link, ids), DetectResult::kNoValidReply);
    const std::string text = LogText();
    EXPECT_EQ(Count(text, "SendCommand:"), 1);
    EXPECT_EQ(Count(text, "RecvData:"), 1) << text;
}

TEST_F(LinkTest, ShortReplyFailsTheQuery) {
    StartSim({"--fault", "short"});
    Connect(1);
    EXPECT_FALSE(ReadDeviceClock(link, 0));
}

TEST_F(LinkTest, AcceptedDetectionIsLoggedTwice) {
    StartSim({"--rack", "1:3,9:2,12:140"});
    Connect(1);
    SlotIds ids{};
    ASSERT_EQ(DetectCards(link, ids), DetectResult::kOk);
    EXPECT_EQ(ids[0], 3);
    EXPECT_EQ(ids[8], 2);
    EXPECT_EQ(ids[11], 140);
    EXPECT_EQ(Count(LogText(), "RecvData:"), 2);
}

TEST_F(LinkTest, UnpluggedDeviceFailsExchangesWithinTheTimeOuts) {
    StartSim();
    Connect(1);
    ASSERT_TRUE(SendCommand(link, DeviceAutoAdjustFrame()));
    sim->Process().Stop(SIGKILL);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ReadDeviceClock(link, 0));
    EXPECT_FALSE(SendCommand(link, DeviceAutoAdjustFrame()) && ReadDeviceClock(link, 0));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
}  // namespace kov::test

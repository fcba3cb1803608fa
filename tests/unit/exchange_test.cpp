#include "link/exchange.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "link/command_log.h"
#include "link/serial_comm.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

using namespace std::chrono_literals;

using test::FakeClock;
using test::FakePort;

// A link on a scripted port with a log in a temporary program directory.
class ExchangeTest : public testing::Test {
protected:
    ExchangeTest() : log(dir.Path(), kCommandLogName, clock) {
        auto owned = std::make_unique<FakePort>();
        port = owned.get();
        link.SetPort(std::move(owned));
        link.SetClock(&clock);
        link.SetLog(&log);
        link.portNumber = 3;
        link.baudRate = 9600;
        link.timeout = 1;
        EXPECT_TRUE(link.Open());
    }

    // The lines of today's log file, without the time stamps.
    std::vector<std::string> LogBodies() {
        std::vector<std::string> bodies;
        const std::string text =
            Utf16(dir.Read(("command_log/" + log.FileFor(clock.Now()).filename().string())));
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            const std::string line = text.substr(start, end - start);
            bodies.push_back(line.substr(line.find('\t') + 1));
            start = end + 2;
        }
        return bodies;
    }

    static std::string Utf16(const std::string& bytes) {
        std::string ascii;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            ascii += bytes[i];
        return ascii;
    }

    std::vector<std::uint8_t> ClockReply() {
        std::vector<std::uint8_t> r(25, 0);
        r[0] = 0xED;
        r[1] = 0xCB;
        r[17] = 6;
        const std::uint8_t data[] = {26, 12, 10, 1, 2, 3};
        unsigned sum = 6;
        for (int i = 0; i < 6; ++i)
            sum += r[18 + i] = data[i];
        r[24] = static_cast<std::uint8_t>(sum);
        return r;
    }

    std::vector<std::uint8_t> StatusReply() {
        std::vector<std::uint8_t> r(26, 0);
        r[0] = 0xED;
        r[1] = 0xCB;
        r[4] = 1;  // slot 1 holds card 1, and counts one byte from 5
        r[5] = 2;
        r[15] = 3;      // filler that balances the second sum
        r[25] = 1 + 2;  // bytes 2..5
        return r;
    }

    test::TempDir dir;
    FakeClock clock;
    BrellLog log;
    CSerialComm link;
    FakePort* port = nullptr;
};

TEST_F(ExchangeTest, SendCommandCompletesChecksumWritesAndLogs) {
    ASSERT_TRUE(SendCommand(link, ComposeFrame(0x00, 0x12)));
    ASSERT_EQ(port->Frames().size(), 1u);
    EXPECT_EQ(port->Frames()[0].back(), 0xBA);
    EXPECT_EQ(link.frame[12], 0xBA);  // the buffer keeps the last frame
    EXPECT_EQ(LogBodies(), std::vector<std::string>{
                               "SendCommand:  ED  CB  00  12  55  55  55  55  55  55  55  55  BA"});
}

TEST_F(ExchangeTest, ShortOrFailedWritesGiveFalseAndNoLogLine) {
    port->writeBudget = 12;
    EXPECT_FALSE(SendCommand(link, ComposeFrame(0x00, 0x12)));
    port->writeBudget.reset();
    port->failWithErrno = EIO;
    EXPECT_FALSE(SendCommand(link, ComposeFrame(0x00, 0x12)));
    link.Close();
    port->failWithErrno.reset();
    EXPECT_FALSE(SendCommand(link, ComposeFrame(0x00, 0x12)));
    EXPECT_TRUE(LogBodies().empty());
}

TEST_F(ExchangeTest, WritesInPiecesStillDeliverTheWholeFrame) {
    port->writeChunk = 5;
    EXPECT_TRUE(SendCommand(link, ComposeFrame(0x81, 0x05)));
    EXPECT_EQ(port->written.size(), 13u);
}

TEST_F(ExchangeTest, QueryPausesThenReadsAndLogsTheAcceptedReply) {
    port->Reply(ClockReply());
    ASSERT_TRUE(QueryDevice(link, 7, kSelectorReadClock, 0x55, 0x55));
    // 13 bytes at 9600 baud leave in 13.5 ms; the 80 ms pause starts after that.
    EXPECT_EQ(clock.sleeps, (std::vector<std::chrono::milliseconds>{14ms, 80ms}));
    EXPECT_EQ(port->Frames()[0][2], 7);
    EXPECT_EQ(port->Frames()[0][4], 0x0A);
    EXPECT_EQ(link.shortReply[18], 26);
    const auto lines = LogBodies();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].rfind("RecvData:  ED  CB", 0), 0u);
}

TEST_F(ExchangeTest, QueryWithUnknownSelectorSendsButReadsNothing) {
    port->Reply(ClockReply());
    EXPECT_FALSE(QueryDevice(link, 0, 0x0B, 0x55, 0x55));
    EXPECT_EQ(port->Frames().size(), 1u);
    EXPECT_EQ(port->readCalls, 0);
}

TEST_F(ExchangeTest, RejectedReplyIsNotLoggedAndKeepsWhatWasRead) {
    auto reply = ClockReply();
    reply[0] = 0x00;
    port->Reply(reply);
    EXPECT_FALSE(QueryDevice(link, 0, kSelectorReadClock, 0x55, 0x55));
    EXPECT_EQ(link.shortReply[18], 26);
    EXPECT_EQ(LogBodies().size(), 1u);  // the query only
}

TEST_F(ExchangeTest, PartialReplyFailsWithTheBytesReadSoFar) {
    auto reply = ClockReply();
    reply.resize(10);
    port->Reply(reply);
    EXPECT_FALSE(QueryDevice(link, 0, kSelectorReadTask, 3, 3));
    EXPECT_EQ(link.queryReply[0], 0xED);
    EXPECT_EQ(link.queryReply[10], 0);
}

TEST_F(ExchangeTest, AcceptedStatusReplyIsLoggedTwice) {
    port->Reply(StatusReply());
    ASSERT_TRUE(ReadStatusReplyRetrying(link));
    const auto lines = LogBodies();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], lines[1]);
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(ExchangeTest, RejectedStatusReplyIsLoggedOnceThenRetried) {
    auto bad = StatusReply();
    bad[25] ^= 1;
    port->Reply(bad);
    port->Reply(StatusReply());
    ASSERT_TRUE(ReadStatusReplyRetrying(link));
    EXPECT_EQ(LogBodies().size(), 3u);
    EXPECT_EQ(clock.sleeps.size(), 1u);
}

TEST_F(ExchangeTest, SilentDeviceGivesUpAfterTwentyAttemptsEachFollowedByAPause) {
    EXPECT_FALSE(ReadStatusReplyRetrying(link));
    EXPECT_EQ(port->readCalls, 20);
    EXPECT_EQ(clock.sleeps,
              std::vector<std::chrono::milliseconds>(20, std::chrono::milliseconds(1000)));
}

// A device that has gone closes the port at once, so the retries end without a pause;
// an error that is not about the device leaves the port open.
TEST_F(ExchangeTest, DisconnectErrorsCloseThePortAndEndTheRetries) {
    for (const int error : {EIO, ENXIO, ENODEV}) {
        ASSERT_TRUE(link.Open());
        port->failWithErrno = error;
        port->readCalls = 0;
        clock.sleeps.clear();
        EXPECT_FALSE(ReadStatusReplyRetrying(link)) << error;
        EXPECT_FALSE(link.IsOpen()) << error;
        EXPECT_TRUE(link.Disconnected()) << error;
        EXPECT_EQ(port->readCalls, 1) << error;
        EXPECT_TRUE(clock.sleeps.empty()) << error;
        port->failWithErrno.reset();
        EXPECT_FALSE(SendCommand(link, ComposeFrame(0, 0x12))) << error;
        EXPECT_TRUE(link.Disconnected()) << error;
    }
    port->refuseOpen = true;
    EXPECT_FALSE(link.Open());
    EXPECT_TRUE(link.Disconnected());  // still gone: a watcher keeps trying
    port->refuseOpen = false;
    EXPECT_TRUE(link.Open());
    EXPECT_FALSE(link.Disconnected());

    port->failWithErrno = EINVAL;
    EXPECT_FALSE(SendCommand(link, ComposeFrame(0, 0x12)));
    EXPECT_TRUE(link.IsOpen());
    EXPECT_FALSE(link.Disconnected());
    port->failWithErrno = EIO;
    EXPECT_FALSE(SendCommand(link, ComposeFrame(0, 0x12)));
    link.Close();  // the operator closes the port: nothing to watch for
    EXPECT_FALSE(link.Disconnected());
}

TEST_F(ExchangeTest, VanishedPortFailsEveryExchangeWithoutThrowing) {
    port->failWithErrno = ENXIO;
    EXPECT_FALSE(SendCommand(link, ComposeFrame(0, 0x12)));
    EXPECT_FALSE(QueryDevice(link, 0, kSelectorReadClock, 0x55, 0x55));
    EXPECT_FALSE(ReadStatusReplyRetrying(link));
}

TEST_F(ExchangeTest, QueryAfterALongRunOfFramesWaitsForThemToLeave) {
    // 200 frames queued at once and the query after them need 2.72 s on the wire.
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(SendCommand(link, ComposeFrame(0x81, 0x05)));
    port->Reply(ClockReply());
    ASSERT_TRUE(QueryDevice(link, 7, kSelectorReadClock, 0x55, 0x55));
    EXPECT_EQ(clock.sleeps, (std::vector<std::chrono::milliseconds>{2722ms, 80ms}));
}

}  // namespace
}  // namespace kov

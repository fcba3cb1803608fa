#include "link/latest_frames.h"

#include <gtest/gtest.h>

#include "link/commands.h"
#include "link/exchange.h"
#include "link/serial_comm.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"

namespace kov {
namespace {

using namespace std::chrono_literals;

// One 13-byte frame at 9600 baud takes 13.54 ms on the wire.
constexpr auto kFrameTime = 13'542us;

class LatestFramesTest : public testing::Test {
protected:
    LatestFramesTest() {
        auto owned = std::make_unique<test::FakePort>();
        port = owned.get();
        link.SetPort(std::move(owned));
        link.SetClock(&clock);
        link.baudRate = 9600;
        EXPECT_TRUE(link.Open());
    }

    static CommandFrame Brightness(int v) {
        return PictureQualityFrame(0x81, CardKind::kInput, PictureItem::kBrightness, v);
    }
    static CommandFrame Contrast(int v) {
        return PictureQualityFrame(0x81, CardKind::kInput, PictureItem::kContrast, v);
    }

    // Byte 4 and 6 of every frame written: the item and its value.
    std::vector<std::pair<int, int>> Sent() const {
        std::vector<std::pair<int, int>> sent;
        for (const auto& f : port->Frames())
            sent.emplace_back(f[4], f[6]);
        return sent;
    }

    // Moves the clock on and pumps whatever is due, as the program's timer does.
    void Pass(std::chrono::microseconds time) {
        clock.now += std::chrono::duration_cast<Clock::TimePoint::duration>(time);
        PumpLatest(link);
    }

    test::FakeClock clock;
    test::FakePort* port = nullptr;
    CSerialComm link;
};

TEST_F(LatestFramesTest, AnIdleLineSendsEveryChangeAtOnce) {
    for (int v : {1, 15, 100}) {
        EXPECT_TRUE(SendLatest(link, Brightness(v)));
        clock.now += 20ms;
    }
    EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{0, 1}, {0, 15}, {0, 100}}));
    EXPECT_FALSE(PumpLatest(link).has_value());
}

TEST_F(LatestFramesTest, ANewerValueReplacesTheOneWaitingForTheLine) {
    for (int v = 0; v <= 10; ++v)
        SendLatest(link, Brightness(v));
    EXPECT_EQ(Sent().size(), 1u) << "only the first went out; the rest wait";
    const auto due = PumpLatest(link);
    ASSERT_TRUE(due.has_value());
    EXPECT_EQ(*due, clock.now + link.LineBusyFor());
    EXPECT_GT(link.LineBusyFor(), 13ms);

    Pass(kFrameTime);
    EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{0, 0}, {0, 10}}));
    EXPECT_FALSE(PumpLatest(link).has_value());
}

TEST_F(LatestFramesTest, DifferentValuesKeepTheirOrder) {
    SendLatest(link, Brightness(1));
    SendLatest(link, Contrast(2));
    SendLatest(link, Brightness(3));  // moves behind the contrast it follows in time
    Pass(kFrameTime);
    Pass(kFrameTime);
    EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}, {0, 3}}));
}

TEST_F(LatestFramesTest, APlainCommandGoesOutBehindTheWaitingValues) {
    SendLatest(link, Brightness(1));
    SendLatest(link, Brightness(2));
    EXPECT_TRUE(SendCommand(link, ResetFrame(0x81)));
    const auto frames = port->Frames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1][6], 2);
    EXPECT_EQ(frames[2][3], cmd::kReset);
    EXPECT_TRUE(link.waitingFrames.empty());
}

TEST_F(LatestFramesTest, FlushWritesEverythingWaiting) {
    SendLatest(link, Brightness(1));
    SendLatest(link, Contrast(2));
    SendLatest(link, Contrast(3));
    FlushLatest(link);
    EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{0, 1}, {1, 3}}));
}

TEST_F(LatestFramesTest, AClockThatWentBackDoesNotHoldTheLineForever) {
    SendLatest(link, Brightness(1));
    clock.now -= 1h;
    EXPECT_EQ(link.LineBusyFor(), Clock::duration::zero());
    SendLatest(link, Brightness(2));
    EXPECT_EQ(Sent().size(), 2u);
    EXPECT_GT(link.LineBusyFor(), 13ms) << "the estimate restarts from the new time";
}

TEST_F(LatestFramesTest, TheLineEstimateFollowsTheBaudRate) {
    link.baudRate = 115200;
    SendLatest(link, Brightness(1));
    EXPECT_EQ(link.LineBusyFor(), 1128us);
}

TEST_F(LatestFramesTest, AFailedWriteIsReportedAndNothingWaits) {
    link.Close();
    EXPECT_FALSE(SendLatest(link, Brightness(1)));
    EXPECT_TRUE(link.waitingFrames.empty());
}

}  // namespace
}  // namespace kov

// The virtual device's state machine: replies, checks, card commands, templates, state text.

#include "sim_device.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "device_clock.h"
#include "link/frame.h"
#include "state_file.h"
#include "support/fake_clock.h"

namespace kov::sim {
namespace {

using namespace std::chrono_literals;

CommandFrame Frame(std::uint8_t address, std::uint8_t command,
                   std::initializer_list<std::uint8_t> params = {}) {
    const std::vector<std::uint8_t> bytes(params);
    CommandFrame frame = ComposeFrame(address, command, bytes);
    CompleteChecksum(frame);
    return frame;
}

const CommandFrame kDetect = Frame(0x00, 0x20);
const CommandFrame kReadClock = Frame(0x00, 0x00, {0x0A, 0x55, 0x55});

CommandFrame ReadTask(std::uint8_t number) {
    return Frame(0x00, 0x00, {0x09, number, number});
}

Rack RackOf(std::initializer_list<std::pair<int, std::uint8_t>> entries) {
    Rack rack{};
    for (const auto& [slot, id] : entries)
        rack[slot - 1] = id;
    return rack;
}

class SimDeviceTest : public ::testing::Test {
protected:
    SimDevice Make(SimConfig config = {}) { return SimDevice(config, clock_); }
    test::FakeClock clock_;
};

TEST_F(SimDeviceTest, DetectReplyCarriesTheRackAndPassesBothChecksumsWhenTheCountsAllowIt) {
    struct Case {
        const char* name;
        Rack rack;
        bool acceptable;
    };
    const Case cases[] = {
        {"default rack", DefaultRack(), true},
        {"empty rack", Rack{}, true},
        {"largest counts", RackOf({{1, 21}, {2, 250}, {9, 8}, {10, 200}, {14, 255}}), true},
        {"counts reach the checksum byte", RackOf({{1, 21}, {9, 8}, {12, 0xED}}), true},
        {"input card in slot 1", RackOf({{1, 129}, {2, 1}}), false},
        {"output card 9 in slot 9", RackOf({{1, 1}, {9, 9}}), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimDevice device = Make({.rack = c.rack});
        const Outcome outcome = device.Handle(kDetect);
        ASSERT_EQ(outcome.reply.size(), kStatusReplySize);
        EXPECT_EQ(IsValidStatusReply(outcome.reply), c.acceptable);
        for (int slot = 1; slot <= 8; ++slot)
            EXPECT_EQ(outcome.reply[3 + slot], c.rack[slot - 1]);
        for (int slot = 9; slot <= 14; ++slot) {
            EXPECT_EQ(outcome.reply[8 + slot], c.rack[slot - 1]);
        }
    }
}

TEST_F(SimDeviceTest, ClockRunsFromTheHostClockAndFromTheTimeItWasSetTo) {
    SimDevice device = Make({.motherBoardId = 5});
    const std::time_t hostSeconds = std::chrono::system_clock::to_time_t(clock_.now);
    std::tm local{};
    localtime_r(&hostSeconds, &local);

    const auto readClock = Frame(5, 0x00, {0x0A, 0x55, 0x55});
    Outcome outcome = device.Handle(readClock);
    ASSERT_EQ(outcome.reply.size(), kShortReplySize);
    EXPECT_TRUE(IsValidReply(outcome.reply));
    EXPECT_EQ(outcome.reply[18], local.tm_year + 1900 - 2000);
    EXPECT_EQ(outcome.reply[21], local.tm_hour);
    EXPECT_EQ(outcome.reply[22], local.tm_min);

    device.Handle(Frame(5, 0x1B, {26, 12, 10, 1, 2, 3}));
    clock_.now += 65s;
    outcome = device.Handle(readClock);
    ASSERT_TRUE(IsValidReply(outcome.reply));
    const std::vector<std::uint8_t> fields(outcome.reply.begin() + 17, outcome.reply.begin() + 24);
    EXPECT_EQ(fields, (std::vector<std::uint8_t>{6, 26, 12, 10, 1, 3, 8}));

    // Not a date: the clock keeps running as it was.
    device.Handle(Frame(5, 0x1B, {26, 2, 30, 1, 2, 3}));
    EXPECT_EQ(device.ClockNow(), (DateTime{2026, 12, 10, 1, 3, 8}));
    // Addressed to another mother board ID: not answered.
    EXPECT_TRUE(device.Handle(kReadClock).reply.empty());
}

TEST_F(SimDeviceTest, WrittenTasksReadBackUnpackedAndUnwrittenTasksReadAsZeros) {
    struct Case {
        std::initializer_list<std::uint8_t> packed;  // bytes 4-11 of the write
        std::vector<std::uint8_t> data;              // bytes 18-27 of the reply
    };
    const Case cases[] = {
        {{0x00, 0x1B, 0x9F, 0x08, 0x1E, 0x00, 0x31, 0x22}, {0, 13, 12, 31, 8, 30, 0, 3, 0x22, 1}},
        {{0x05, 0x33, 0x9F, 0x07, 0x1E, 0x00, 0x32, 0x0A}, {5, 25, 12, 31, 7, 30, 0, 3, 0x0A, 2}},
        {{0x7F, 0x34, 0x21, 0x17, 0x3B, 0x3B, 0x1E, 0x00}, {127, 26, 1, 1, 23, 59, 59, 1, 0, 14}},
    };
    SimDevice device = Make();
    for (const Case& c : cases) {
        device.Handle(Frame(0x00, 0x1A, c.packed));
        const Outcome outcome = device.Handle(ReadTask(c.data[0]));
        ASSERT_EQ(outcome.reply.size(), kQueryReplySize);
        EXPECT_TRUE(IsValidReply(outcome.reply));
        EXPECT_EQ(outcome.reply[17], 10);
        EXPECT_EQ(std::vector<std::uint8_t>(outcome.reply.begin() + 18, outcome.reply.end() - 1),
                  c.data);
    }
    const Outcome empty = device.Handle(ReadTask(64));
    EXPECT_TRUE(IsValidReply(empty.reply));
    EXPECT_EQ(std::vector<std::uint8_t>(empty.reply.begin() + 18, empty.reply.end() - 1),
              (std::vector<std::uint8_t>{64, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(SimDeviceTest, FaultsSpoilEveryReplyTheirOwnWay) {
    struct Case {
        Fault fault;
        std::size_t detectSize;
        bool valid;
    };
    const Case cases[] = {{Fault::kNone, 26, true},
                          {Fault::kSilent, 0, false},
                          {Fault::kBadChecksum, 26, false},
                          {Fault::kShort, 13, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(FaultName(c.fault));
        SimDevice device = Make({.fault = c.fault});
        const Outcome detect = device.Handle(kDetect);
        EXPECT_EQ(detect.reply.size(), c.detectSize);
        EXPECT_EQ(IsValidStatusReply(detect.reply), c.valid);
        EXPECT_EQ(IsValidReply(device.Handle(kReadClock).reply), c.valid);
        EXPECT_EQ(IsValidReply(device.Handle(ReadTask(3)).reply), c.valid);
    }
}

TEST_F(SimDeviceTest, BadFramesAreCountedAndNeverActedOn) {
    CommandFrame badChecksum = Frame(0x81, 0x05, {0x07, 0x80, 0, 0, 0x07, 0x80, 0x04, 0x38});
    badChecksum[12] ^= 0x01;
    CommandFrame badHeader = kDetect;
    badHeader[0] = 0xEE;
    CommandFrame badDetect = kDetect;
    badDetect[12] = 0;

    SimDevice device = Make();
    const DeviceState before = device.state();
    for (const CommandFrame& frame : {badChecksum, badHeader, badDetect}) {
        const Outcome outcome = device.Handle(frame);
        EXPECT_FALSE(outcome.accepted);
        EXPECT_TRUE(outcome.reply.empty());
        EXPECT_NE(outcome.description.find("REJECTED"), std::string::npos);
    }
    EXPECT_EQ(device.state().rejected, 3);
    EXPECT_EQ(device.state().frames, 0);
    EXPECT_EQ(device.state().cards, before.cards);
    EXPECT_FALSE(device.state().lastFrame);
}

TEST_F(SimDeviceTest, CardCommandsReachTheAddressedCardsOnly) {
    using Check = std::function<bool(const CardMap&)>;
    struct Case {
        const char* name;
        CommandFrame frame;
        Check check;
    };
    const Case cases[] = {
        {"capture window of one input card",
         Frame(0x81, 0x05, {0x07, 0x80, 0x00, 0x00, 0x07, 0x80, 0x04, 0x38}),
         [](const CardMap& c) {
             return c.at(129).capture == Window{1920, 0, 1920, 1080} &&
                    c.at(130).capture == Window{};
         }},
        {"horizontal splice of an output card",
         Frame(0x02, 0x0C, {0x0F, 0x00, 0x07, 0x80, 0x07, 0x80}),
         [](const CardMap& c) {
             return c.at(2).hSplice == Splice{3840, 1920, 1920};
         }},
        {"an output-only command leaves an input card alone", Frame(0x81, 0x0C, {0x0F, 0x00}),
         [](const CardMap& c) { return c.at(129) == CardState{}; }},
        {"device-wide resolution", Frame(0x00, 0x02, {0x07}),
         [](const CardMap& c) {
             for (const auto& [id, card] : c) {
                 if (card.resolution != 7)
                     return false;
             }
             return true;
         }},
        {"input side base-map source", Frame(0xF0, 0x11, {0x00, 0x0D}),
         [](const CardMap& c) { return c.at(132).baseMapSource == 13 && c.at(1).source == 0; }},
        {"source layers by card kind", Frame(0x03, 0x11, {0x01, 0x04}),
         [](const CardMap& c) { return c.at(3).picture2Source == 4 && c.at(3).source == 0; }},
        {"gamma on an output card", Frame(0x04, 0x03, {0x0B, 0x55, 0x02}),
         [](const CardMap& c) { return c.at(4).gamma == 2; }},
        {"picture word", Frame(0x82, 0x15, {1, 0, 1, 0, 255, 128, 0}),
         [](const CardMap& c) {
             return c.at(130).pictureWord == PictureWord{1, 0, 1, 0, 255, 128, 0};
         }},
        {"a card that is not fitted", Frame(0x90, 0x02, {0x07}),
         [](const CardMap& c) { return c.count(0x90) == 0 && c.at(129).resolution == 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimDevice device = Make();
        const Outcome outcome = device.Handle(c.frame);
        EXPECT_TRUE(outcome.accepted);
        EXPECT_TRUE(outcome.reply.empty());
        EXPECT_TRUE(c.check(device.state().cards));
    }
}

TEST_F(SimDeviceTest, RecallRestoresWhatStoreCopiedAndFactoryResetForgetsIt) {
    const auto capture = [](std::uint8_t x) {
        return Frame(0x81, 0x05, {0x00, x, 0x00, 0x00, 0x07, 0x80, 0x04, 0x38});
    };
    SimDevice device = Make();
    device.Handle(capture(10));
    device.Handle(Frame(0x00, 0x01, {0x00, 0x02}));  // store template 3
    device.Handle(capture(20));
    device.Handle(Frame(0x00, 0x01, {0x01, 0x03}));  // recall template 4, never stored
    EXPECT_EQ(device.state().cards.at(129).capture.x, 20);
    device.Handle(Frame(0x00, 0x01, {0x01, 0x02}));  // recall template 3
    EXPECT_EQ(device.state().cards.at(129).capture.x, 10);
    EXPECT_EQ(device.state().lastRecalled, 3);
    EXPECT_EQ(device.state().lastStored, 3);

    std::string text = FormatState(device.state(), device.ClockNow());
    EXPECT_NE(text.find("template.3.stored=1\n"), std::string::npos);
    EXPECT_NE(text.find("template.4.stored=0\n"), std::string::npos);
    EXPECT_NE(text.find("card.129.capture=10,0,1920,1080\n"), std::string::npos);

    device.Handle(Frame(0x00, 0x13));  // factory reset
    EXPECT_EQ(device.state().cards.at(129).capture, Window{});
    EXPECT_FALSE(device.state().templates[2]);
}

TEST_F(SimDeviceTest, StateTextNamesEveryPartOfTheState) {
    SimDevice device = Make({.motherBoardId = 9, .rack = RackOf({{1, 1}, {5, 129}})});
    device.Handle(Frame(9, 0x1A, {0x00, 0x1B, 0x9F, 0x08, 0x1E, 0x00, 0x31, 0x22}));
    device.Handle(Frame(9, 0x1B, {26, 12, 10, 1, 2, 3}));
    device.Handle(Frame(0x01, 0x0C, {0x0F, 0x00, 0x00, 0x00, 0x07, 0x80}));
    device.Handle(Frame(0x80, 0x16, {0x00, 0x01, 0x55, 0x55, 0x55, 0x55, 0x55, 0x05}));
    CommandFrame bad = kDetect;
    bad[12] = 0;
    device.Handle(bad);

    const std::string text = FormatState(device.state(), device.ClockNow());
    for (const char* line : {
             "frames=4\n",
             "rejected=1\n",
             "clock=2026-12-10 01:02:03\n",
             "mb=9\n",
             "fade=2,5\n",
             "last=ED CB 80 16 00 01 55 55 55 55 55 05 45\n",
             "slot.1.id=1\n",
             "slot.2.id=0\n",
             "slot.5.id=129\n",
             "card.1.kind=output\n",
             "card.1.hsplice=3840,0,1920\n",
             "card.129.kind=input\n",
             "task.0=2013-12-31 08:30:00 cycle=3 days=0x22 template=2\n",
         }) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(text.find("card.2."), std::string::npos);
    EXPECT_EQ(text.find("task.1="), std::string::npos);
}

}  // namespace
}  // namespace kov::sim

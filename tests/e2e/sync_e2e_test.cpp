// kovctl sync against kov-sim: the program's default records end up in the device.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "sim_fixture.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "support/full_rack.h"

namespace kov::test {
namespace {

namespace fs = std::filesystem;

// The "key=value" lines of kov-sim's state file.
std::map<std::string, std::string> StateValues(const std::string& text) {
    std::map<std::string, std::string> values;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

std::string Join(std::initializer_list<int> values) {
    std::string text;
    for (int value : values)
        text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}

class SyncTest : public SimFixture {};

TEST_F(SyncTest, DefaultRecordsReachEveryCardOfTheDefaultRack) {
    for (const char* file : {kDefaultsFileName, kBoardConfigFileName}) {
        fs::copy_file(fs::path(KOV_DATA_DIR) / file, dir / file);
    }
    StartSim();
    const RunResult r = Kovctl({"sync"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "synchronised: 121 frames\n");

    // kov-sim writes its state before it prints a frame's line: after the 121st line the
    // state file holds the whole synchronisation.
    constexpr int kFrames = 1 + 12 * 4 + 18 * 4;
    std::string line;
    for (int seen = 0; seen < kFrames;) {
        ASSERT_TRUE(sim->Process().ReadLine(line, std::chrono::seconds(10)))
            << "kov-sim reported " << seen << " frames";
        if (line.find("ED CB") != std::string::npos)
            ++seen;
    }
    const auto state = StateValues(State());
    EXPECT_EQ(state.at("frames"), std::to_string(kFrames));
    EXPECT_EQ(state.at("rejected"), "0");

    // What the device should now hold: the defaults, as the program builds its records.
    CardRecords records;
    CardConfiguration config;
    ASSERT_TRUE(ReadCardConfiguration(dir / kBoardConfigFileName, config));
    ASSERT_TRUE(records.Load(config, dir.Path()));
    const RecordsSnapshot expected = records.Snapshot();
    ASSERT_EQ(expected.inputs.size(), 4u);
    ASSERT_EQ(expected.outputs.size(), 4u);
    for (const InputCardRecord& in : expected.inputs) {
        const std::string key = "card." + std::to_string(in.cardId) + ".";
        EXPECT_EQ(state.at(key + "resolution"), std::to_string(in.inputResolution.code));
        EXPECT_EQ(state.at(key + "capture"),
                  Join({in.inputHLocation, in.inputVLocation, in.inputHWidth, in.inputVHeight}));
        EXPECT_EQ(state.at(key + "basemap"), Join({in.baseMapHLocation, in.baseMapVLocation,
                                                   in.baseMapHWidth, in.baseMapVHeight}));
        EXPECT_EQ(state.at(key + "source"), std::to_string(in.inputSrc));
        EXPECT_EQ(state.at(key + "basemapsource"), std::to_string(in.baseMapinputSrc));
        EXPECT_EQ(state.at(key + "brightness"), std::to_string(in.inputFrameLight));
        EXPECT_EQ(state.at(key + "shown"), std::to_string(in.inputPicShow != 0 ? 1 : 0));
    }
    for (const OutputCardRecord& out : expected.outputs) {
        const std::string key = "card." + std::to_string(out.cardId) + ".";
        EXPECT_EQ(state.at(key + "resolution"), std::to_string(out.outputReso.code));
        EXPECT_EQ(state.at(key + "window"), Join({out.outputHLocation, out.outputVLocation,
                                                  out.outputHWidth, out.outputVHeight}));
        EXPECT_EQ(state.at(key + "hsplice"),
                  Join({out.outputHparam, out.spliceHLocation, out.spliceHWidth}));
        EXPECT_EQ(state.at(key + "vsplice"),
                  Join({out.outputVparam, out.spliceVLocation, out.spliceVHeight}));
        EXPECT_EQ(
            state.at(key + "pic2vsplice"),
            Join({out.doubleSpliceVparam, out.doubleSpliceVLocation, out.doubleSpliceVHeight}));
        EXPECT_EQ(state.at(key + "source"), std::to_string(out.OutPutinputSrc));
        EXPECT_EQ(state.at(key + "pic2source"), std::to_string(out.DoublePicinputSrc));
        EXPECT_EQ(state.at(key + "shown"), std::to_string(out.outputPicshow != 0 ? 1 : 0));
    }
}

TEST_F(SyncTest, AQueryRightAfterAFullRackSynchronisationIsAnswered) {
    fs::copy_file(fs::path(KOV_DATA_DIR) / kDefaultsFileName, dir / kDefaultsFileName);
    StartSim({"--rack", WriteFullRackConfiguration(dir.Path())}, "1", /*fast=*/false);
    const RunResult sync = Kovctl({"sync"});
    ASSERT_EQ(sync.exitCode, 0) << sync.err;
    EXPECT_EQ(sync.out, "synchronised: 211 frames\n");
    // sync returns once its frames have left the computer, so the clock query that follows
    // is not stuck behind them and its reply comes within the time-out.
    const RunResult clock = Kovctl({"clock", "get"});
    EXPECT_EQ(clock.exitCode, 0) << clock.err;
}

// The device goes away in the middle of a synchronisation: kovctl stops at once, says
// how many frames did not go out and exits 1.
TEST_F(SyncTest, VanishedDeviceEndsSynchronisationQuicklyWithExitOne) {
    for (const char* file : {kDefaultsFileName, kBoardConfigFileName}) {
        fs::copy_file(fs::path(KOV_DATA_DIR) / file, dir / file);
    }
    StartSim({}, "1", false);  // at 9600 baud the 121 frames take about 1.6 s
    RunResult r;
    std::thread sync([&] { r = Kovctl({"sync"}); });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    sim->Process().Stop(SIGKILL);
    const auto gone = std::chrono::steady_clock::now();
    sync.join();
    const auto took = std::chrono::steady_clock::now() - gone;
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_NE(r.err.find("device disconnected"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("of 121 frames could not be written"), std::string::npos) << r.err;
    EXPECT_LT(took, std::chrono::seconds(1));
}

}  // namespace
}  // namespace kov::test

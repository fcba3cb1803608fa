// Synchronises a full rack (7 input and 7 output cards, 211 frames) through the real link
// into kov-sim at 9600 baud and compares the time until kov-sim has reported the last frame
// with the wire limit of 211 frames of 13 bytes at 10 bits per byte.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "link/command_log.h"
#include "link/serial_comm.h"
#include "link/synchronise.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "support/sim_link.h"
#include "support/subprocess.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPort = 7;
constexpr int kCardsPerKind = 7;

// Output cards 1-7 in slots 1-7, input cards 129-135 in slots 8-14.
kov::CardConfiguration FullRack() {
    kov::CardConfiguration config;
    for (int i = 0; i < kCardsPerKind; ++i) {
        config.outputCards.push_back({1 + i, 1 + i});
        config.inputCards.push_back({1 + kCardsPerKind + i, kov::kFirstInputCardId + i});
    }
    return config;
}

// kov-sim's --rack argument for a configuration: "slot:id,...".
std::string RackArgument(const kov::CardConfiguration& config) {
    std::string text;
    for (const auto* cards : {&config.outputCards, &config.inputCards}) {
        for (const kov::CardSlot& card : *cards) {
            if (!text.empty())
                text += ',';
            text += std::to_string(card.slot) + ":" + std::to_string(card.cardId);
        }
    }
    return text;
}

int Run() {
    const kov::CardConfiguration config = FullRack();
    kov::CardRecords records;
    if (!records.Load(config, KOV_DATA_DIR))
        throw std::runtime_error("cannot read the shipped card defaults");
    const kov::RecordsSnapshot snapshot = records.Snapshot();
    const kov::HiddenCells hidden = kov::HiddenCellsOf(snapshot);

    kov::test::TempDir dir;
    kov::test::SimProcess sim(dir.Path(), kPort, {"--rack", RackArgument(config)});
    kov::BrellLog log(dir.Path(), kov::kCommandLogName);
    kov::CSerialComm link;
    if (!kov::test::OpenSimLink(link, log, dir.Path(), kPort))
        throw std::runtime_error("cannot open the simulator's port");

    const auto start = Clock::now();
    const kov::SyncResult result = kov::Synchronise(link, snapshot, hidden.inputs, hidden.outputs);
    const double written = std::chrono::duration<double>(Clock::now() - start).count();
    std::string line;
    for (int seen = 0; seen < result.total;) {
        if (!sim.Process().ReadLine(line, std::chrono::seconds(10))) {
            throw std::runtime_error("kov-sim stopped reporting frames after " +
                                     std::to_string(seen));
        }
        if (line.find("ED CB") != std::string::npos)
            ++seen;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double wire = result.total * 13.0 * 10.0 / 9600.0;
    std::printf("full rack synchronisation: %d of %d frames sent, written in %.3f s\n", result.sent,
                result.total, written);
    std::printf("last frame reported by kov-sim after %.3f s, wire limit %.3f s, ratio %.4f\n",
                seconds, wire, seconds / wire);
    return result.sent == result.total ? 0 : 1;
}

}  // namespace

int main() {
    try {
        return Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sync_bench: %s\n", e.what());
        return 1;
    }
}

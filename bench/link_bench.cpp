// Pushes a full rack's synchronisation (211 frames) through the real link into kov-sim
// at 9600 baud and compares the time with the wire limit; then measures one SendCommand
// with the command log on against the simulator in fast mode.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "link/command_log.h"
#include "link/commands.h"
#include "link/exchange.h"
#include "link/serial_comm.h"
#include "support/sim_link.h"
#include "support/subprocess.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPort = 7;
constexpr int kRackFrames = 1 + 12 * 7 + 18 * 7;  // 211

struct Rig {
    explicit Rig(std::vector<std::string> simArgs)
        : sim(dir.Path(), kPort, std::move(simArgs)), log(dir.Path(), kov::kCommandLogName) {
        if (!kov::test::OpenSimLink(link, log, dir.Path(), kPort))
            throw std::runtime_error("cannot open the simulator's port");
    }
    kov::test::TempDir dir;
    kov::test::SimProcess sim;
    kov::BrellLog log;
    kov::CSerialComm link;
};

// Setting frames of a plausible mix: capture windows to varying input cards.
kov::CommandFrame FrameNumber(int i) {
    const kov::WindowRect window{i * 8, i * 4, 1920, 1080};
    return kov::CaptureWindowFrame(static_cast<std::uint8_t>(129 + i % 7), window);
}

double RackRatio() {
    Rig rig({});
    const auto start = Clock::now();
    for (int i = 0; i < kRackFrames; ++i)
        kov::SendCommand(rig.link, FrameNumber(i));
    std::string line;
    for (int seen = 0; seen < kRackFrames;) {
        if (!rig.sim.Process().ReadLine(line, std::chrono::seconds(10))) {
            throw std::runtime_error("kov-sim stopped reporting frames after " +
                                     std::to_string(seen));
        }
        if (line.find("ED CB") != std::string::npos)
            ++seen;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double wire = kRackFrames * 13.0 * 10.0 / 9600.0;
    std::printf("rack synchronisation: %d frames in %.3f s, wire limit %.3f s, ratio %.4f\n",
                kRackFrames, seconds, wire, seconds / wire);
    return seconds / wire;
}

void SendCost() {
    Rig rig({"--fast"});
    constexpr int kRounds = 2000;
    std::vector<double> micros;
    micros.reserve(kRounds);
    for (int i = 0; i < kRounds; ++i) {
        const auto start = Clock::now();
        kov::SendCommand(rig.link, FrameNumber(i));
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf(
        "SendCommand with the command log on (kov-sim --fast): median %.1f us, p95 %.1f us\n",
        micros[kRounds / 2], micros[kRounds * 95 / 100]);
}

}  // namespace

int main() {
    try {
        RackRatio();
        SendCost();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "link_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}

#pragma once
// A temporary program directory with kov-sim running in it on COM7.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/subprocess.h"
#include "support/temp_dir.h"

namespace kov::test {

inline constexpr int kSimPort = 7;

class SimFixture : public testing::Test {
protected:
    // Writes the settings (port 7, the given time-out) and starts kov-sim, --fast unless
    // the test needs reception paced at 9600 baud like a real device.
    void StartSim(std::vector<std::string> extra = {}, const std::string& timeout = "1",
                  bool fast = true) {
        dir.Write("normalStart.ini",
                  "[COM]\r\nport=7\r\ntimeout=" + timeout +
                      "\r\n[Setting]\r\nLanguage=english\r\n[Restart]\r\nnormal=1\r\n");
        extra.insert(extra.begin(), {"--state", StatePath()});
        if (fast)
            extra.insert(extra.begin(), "--fast");
        sim = std::make_unique<SimProcess>(dir.Path(), kSimPort, extra);
    }

    RunResult Kovctl(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path().string()});
        return test::Run(KOVCTL_BIN, args);
    }

    std::string StatePath() const { return (dir / "sim.state").string(); }
    std::string State() const { return dir.Read("sim.state"); }

    TempDir dir;
    std::unique_ptr<SimProcess> sim;
};

}  // namespace kov::test

// The real desktop program on a virtual X display, against kov-sim: it starts, opens the
// simulator's port, synchronises the default rack when the operator presses the
// synchronise shortcut, and the device ends up with every card's parameters.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <regex>
#include <thread>

#include "sim_fixture.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/project_file.h"
#include "store/state_saver.h"

namespace kov::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool OnPath(const char* tool) {
    return test::Run("/bin/sh", {"-c", std::string("command -v ") + tool}).exitCode == 0;
}

// Polls until the predicate holds or the time is up.
template <class Predicate>
bool WaitFor(Predicate predicate, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (predicate())
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return predicate();
}

class ProgramTest : public SimFixture {
protected:
    void SetUp() override {
        if (!OnPath("Xvfb") || !OnPath("xdotool"))
            GTEST_FAIL() << "Xvfb and xdotool are needed (./test.sh installs them)";
        display = ":" + std::to_string(90 + getpid() % 100);
        xvfb = std::make_unique<Background>(
            "/usr/bin/Xvfb",
            std::vector<std::string>{display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        ASSERT_TRUE(
            WaitFor([&] { return fs::exists("/tmp/.X11-unix/X" + display.substr(1)); }, 10s));
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("LC_ALL", "en_US.UTF-8", 1);  // English texts, so the window title is known
    }

    void TearDown() override {
        if (program)
            program->Stop(SIGKILL);
        if (xvfb)
            xvfb->Stop(SIGTERM);
    }

    // The program directory: the shipped data, the program binary itself, the simulator's
    // port, and a state file of the defaults so start-up has nothing to complain about.
    void Install() {
        fs::copy(KOV_DATA_DIR, dir.Path(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        fs::copy_file(KOV_PROGRAM_BIN, dir / "kov-q730");
        StartSim();
        CardConfiguration config;
        ReadCardConfiguration(dir / kBoardConfigFileName, config);
        CardRecords records;
        records.Load(config, dir.Path());
        WriteProjectFile(dir / kStateFileName, records.Snapshot());
    }

    std::string Xdotool(std::vector<std::string> args) {
        return test::Run("/usr/bin/xdotool", args).out;
    }

    std::string display;
    std::unique_ptr<Background> xvfb;
    std::unique_ptr<Background> program;
};

TEST_F(ProgramTest, SynchronisesTheDefaultRackIntoTheDevice) {
    Install();
    program = std::make_unique<Background>((dir / "kov-q730").string(), std::vector<std::string>{});
    std::string window;
    ASSERT_TRUE(WaitFor(
        [&] {
            window = Xdotool({"search", "--onlyvisible", "--name", "Splicing Processor"});
            return !window.empty();
        },
        20s))
        << "the main window did not appear";
    window = window.substr(0, window.find('\n'));
    // No window manager runs here: give the window the focus directly, then type.
    Xdotool({"windowfocus", "--sync", window});
    Xdotool({"key", "F5"});
    // 121 frames at 9600 baud take about 1.6 s.
    ASSERT_TRUE(WaitFor([&] { return State().find("frames=121\n") != std::string::npos; }, 20s))
        << State();
    const std::string state = State();
    EXPECT_NE(state.find("rejected=0\n"), std::string::npos);
    EXPECT_NE(state.find("card.129.capture=0,0,1920,1080\n"), std::string::npos) << state;
    EXPECT_NE(state.find("card.1.hsplice=3840,0,1920\n"), std::string::npos) << state;
}

}  // namespace
}  // namespace kov::test

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

    // Starts the program with its control map and returns its main window.
    std::string StartProgram() {
        setenv("KOV_CONTROL_MAP", (dir / "controls.map").c_str(), 1);
        program =
            std::make_unique<Background>((dir / "kov-q730").string(), std::vector<std::string>{});
        std::string window;
        EXPECT_TRUE(WaitFor(
            [&] {
                window = Xdotool({"search", "--onlyvisible", "--name", "Splicing Processor"});
                return !window.empty();
            },
            20s))
            << "the main window did not appear";
        return window.substr(0, window.find('\n'));
    }

    // The centre of the visible control with that id, once the control map lists it.
    bool Centre(int id, int& x, int& y) {
        const std::regex line("(^|\n)" + std::to_string(id) + " (-?\\d+) (-?\\d+) (\\d+) (\\d+) ");
        return WaitFor(
            [&] {
                const std::string map = dir.Read("controls.map");
                std::smatch m;
                if (!std::regex_search(map, m, line))
                    return false;
                x = std::stoi(m[2]) + std::stoi(m[4]) / 2;
                y = std::stoi(m[3]) + std::stoi(m[5]) / 2;
                return true;
            },
            10s);
    }

    void Click(int id) {
        int x = 0, y = 0;
        ASSERT_TRUE(Centre(id, x, y)) << "control " << id << " is not on the screen";
        Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"});
    }

    // Replaces the text of a value box and presses Enter.
    void Enter(int id, const std::string& text) {
        Click(id);
        Xdotool({"key", "ctrl+a"});
        Xdotool({"type", "--delay", "30", text});
        Xdotool({"key", "Return"});
    }

    bool SimHas(const std::string& entry) {
        return WaitFor([&] { return State().find(entry + "\n") != std::string::npos; }, 10s);
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

TEST_F(ProgramTest, EditsOfTheInputPageReachTheDevice) {
    Install();
    const std::string window = StartProgram();
    ASSERT_FALSE(window.empty());
    Xdotool({"windowfocus", "--sync", window});
    // Input card 1 (ID 129, 1920x1080) is shown after start-up.
    Enter(1060, "800");            // capture width
    Enter(1059, "300");            // capture position
    Enter(1063, "75");             // brightness, applied digit by digit
    Xdotool({"key", "ctrl+Tab"});  // picture word tab
    Click(1219);                   // mode 2, stored while the word is off
    Click(1076);                   // on: the whole set goes out
    Xdotool({"key", "ctrl+Tab"});  // base map tab
    Enter(1074, "20");             // base map height: raised to the minimum 48
    EXPECT_TRUE(SimHas("card.129.capture=300,0,800,1080")) << State();
    EXPECT_TRUE(SimHas("card.129.brightness=75")) << State();
    EXPECT_TRUE(SimHas("card.129.picword=1,1,0,0,0,0,0")) << State();
    EXPECT_TRUE(SimHas("card.129.basemap=0,0,1920,48")) << State();
    EXPECT_TRUE(SimHas("rejected=0")) << State();
}

}  // namespace
}  // namespace kov::test

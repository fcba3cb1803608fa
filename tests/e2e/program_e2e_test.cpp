// The real desktop program on a virtual X display, against kov-sim: it starts, opens the
// simulator's port, synchronises the default rack when the operator presses the
// synchronise shortcut, and the device ends up with every card's parameters.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <regex>
#include <thread>

#include "sim_fixture.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/project_file.h"
#include "store/state_saver.h"
#include "store/text_codec.h"

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
        // Xvfb picks a free display itself and prints its number once it accepts clients, so
        // tests running at the same time (here or in another checkout) never share one.
        xvfb = std::make_unique<Background>(
            "/usr/bin/Xvfb", std::vector<std::string>{"-displayfd", "1", "-screen", "0",
                                                      "1280x800x24", "-nolisten", "tcp"});
        std::string number;
        ASSERT_TRUE(xvfb->ReadLine(number, 10s)) << "Xvfb did not start";
        display = ":" + number;
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
    void Install(bool fastSim = true) {
        fs::copy(KOV_DATA_DIR, dir.Path(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        fs::copy_file(KOV_PROGRAM_BIN, dir / "kov-q730");
        StartSim({}, "1", fastSim);
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

    // Where a click acts on the visible control listed under key (its id, or
    // "<tree id>.<slot>" for a card tree item), on the page named owner when one is given,
    // once the control map lists it: its centre, or the box of a check box or radio button,
    // which take clicks on their box and text only.
    bool Centre(const std::string& key, int& x, int& y, const std::string& owner = "") {
        const std::regex line("(^|\n)" + std::regex_replace(key, std::regex("\\."), "\\.") +
                              " (-?\\d+) (-?\\d+) (\\d+) (\\d+) (\\S+) " +
                              (owner.empty() ? std::string("\\S+") : owner) + "\n");
        return WaitFor(
            [&] {
                const std::string map = dir.Read("controls.map");
                std::smatch m;
                if (!std::regex_search(map, m, line))
                    return false;
                const bool toggle = m[6] == "QCheckBox" || m[6] == "QRadioButton";
                x = std::stoi(m[2]) + (toggle ? 8 : std::stoi(m[4]) / 2);
                y = std::stoi(m[3]) + std::stoi(m[5]) / 2;
                return true;
            },
            10s);
    }

    void Click(const std::string& key, const std::string& owner = "") {
        int x = 0, y = 0;
        ASSERT_TRUE(Centre(key, x, y, owner)) << key << " is not on the screen:\n"
                                              << dir.Read("controls.map");
        Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"});
    }
    void Click(int id, const std::string& owner = "") { Click(std::to_string(id), owner); }

    // Replaces the text of a value box and presses Enter.
    void Enter(int id, const std::string& text, const std::string& owner = "") {
        Click(id, owner);
        Xdotool({"key", "ctrl+a"});
        Xdotool({"type", "--delay", "30", text});
        Xdotool({"key", "Return"});
    }

    bool SimHas(const std::string& entry) {
        return WaitFor([&] { return State().find(entry + "\n") != std::string::npos; }, 10s);
    }

    // True when the program has the device open: one of its descriptors is the device
    // that the simulator's port link leads to (gone from /dev once the simulator died).
    bool ProgramHolds(const fs::path& device) const {
        std::error_code ec;
        for (const auto& fd :
             fs::directory_iterator("/proc/" + std::to_string(program->Pid()) + "/fd", ec)) {
            const fs::path open = fs::read_symlink(fd.path(), ec);
            if (open == device || open == device.string() + " (deleted)")
                return true;
        }
        return false;
    }

    // The program's command log of today, as text.
    std::string CommandLog() const {
        std::string text;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(dir / "command_log", ec)) {
            const std::string bytes = dir.Read("command_log/" + e.path().filename().string());
            text += Utf16LeToUtf8(bytes.substr(std::min<std::size_t>(2, bytes.size())));
        }
        return text;
    }

    int SimFrames() const {
        static const std::regex frames("(^|\n)frames=(\\d+)\n");
        std::smatch m;
        const std::string state = State();
        return std::regex_search(state, m, frames) ? std::stoi(m[2]) : 0;
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

TEST_F(ProgramTest, EditsOfTheOutputPageReachTheDevice) {
    Install();
    const std::string window = StartProgram();
    ASSERT_FALSE(window.empty());
    Xdotool({"windowfocus", "--sync", window});
    Click("1026.1");                   // the card tree's slot 1: output card 1, shown on the wall
    Enter(1022, "10", "CPageDlg");     // splice width: raised to the minimum 64
    Enter(1224, "800", "COPPageOne");  // output window width
    Xdotool({"key", "ctrl+Tab"});      // picture and gamma tab
    Click(1043, "COPPageTwo");         // the gamma list
    Xdotool({"key", "Down", "Down", "Down", "Down", "Return"});  // "2.2"
    // A list takes ctrl+Tab as a search key: move the focus to a box of the tab first.
    Click(1041, "COPPageTwo");
    Xdotool({"key", "ctrl+Tab"});        // double picture tab
    Click(1043, "COPPageThree");         // second picture on
    Enter(1046, "500", "COPPageThree");  // its width
    EXPECT_TRUE(SimHas("card.1.hsplice=3840,0,64")) << State();
    EXPECT_TRUE(SimHas("card.1.window=0,0,800,1080")) << State();
    EXPECT_TRUE(SimHas("card.1.gamma=4")) << State();
    EXPECT_TRUE(SimHas("card.1.pic2on=1")) << State();
    EXPECT_TRUE(SimHas("card.1.pic2window=0,0,500,540")) << State();
    EXPECT_TRUE(SimHas("rejected=0")) << State();
}

// The adapter pulled in the middle of a synchronisation (kov-sim killed) and plugged in
// again on the same link: the program lets go of the port at once, says so, and opens
// the port again by itself as soon as the device is back.
TEST_F(ProgramTest, PortClosesWhenTheDeviceGoesAndReopensWhenItComesBack) {
    Install(false);  // at 9600 baud, so the synchronisation is still running when it goes
    const std::string window = StartProgram();
    ASSERT_FALSE(window.empty());
    const fs::path before = fs::read_symlink(sim->Link());
    ASSERT_TRUE(WaitFor([&] { return ProgramHolds(before); }, 5s));
    Xdotool({"windowfocus", "--sync", window});
    Xdotool({"key", "F5"});
    ASSERT_TRUE(WaitFor([&] { return SimFrames() >= 20; }, 10s)) << State();
    ASSERT_LT(SimFrames(), 100) << "the synchronisation ended before the device went";

    sim->Process().Stop(SIGKILL);
    const auto gone = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitFor(
        [&] {
            return !ProgramHolds(before) &&
                   CommandLog().find("\tDevice disconnected\r\n") != std::string::npos;
        },
        2s));
    const auto closedAfter = std::chrono::steady_clock::now() - gone;
    EXPECT_LT(closedAfter, 1s) << "the port did not show closed";

    std::this_thread::sleep_for(500ms);  // unplugged for a while
    sim = std::make_unique<SimProcess>(dir.Path(), kSimPort,
                                       std::vector<std::string>{"--fast", "--state", StatePath()});
    const auto back = std::chrono::steady_clock::now();
    const fs::path after = fs::read_symlink(sim->Link());
    ASSERT_TRUE(WaitFor(
        [&] {
            return ProgramHolds(after) &&
                   CommandLog().find("\tDevice reconnected\r\n") != std::string::npos;
        },
        4s));
    const auto reopenedAfter = std::chrono::steady_clock::now() - back;
    EXPECT_LT(reopenedAfter, 2s) << "the port was not reopened in time";
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    std::cout << "[          ] closed after " << duration_cast<milliseconds>(closedAfter).count()
              << " ms, reopened after " << duration_cast<milliseconds>(reopenedAfter).count()
              << " ms\n";
}

}  // namespace
}  // namespace kov::test

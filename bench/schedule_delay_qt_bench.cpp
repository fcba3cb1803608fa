// The delay from the start of a due second to the channel-switch frame leaving the
// computer: the program's main window runs a schedule of channel switches due in ten
// consecutive seconds, into kov-sim at 9600 baud over a pseudo-terminal. Two figures: when
// the frame has been handed to the port (the write returned), and when kov-sim has received
// the whole frame, which includes its 13.5 ms on the line. Target: 20 ms.

#include <QApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "link/command_log.h"
#include "main_window_rig.h"
#include "schedule/schedule_file.h"
#include "support/subprocess.h"
#include "support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using Wall = std::chrono::system_clock;

constexpr int kEntries = 10;

// The command log, noting when each channel switch of card 129 had been written.
class TimingLog final : public kov::BrellLog {
public:
    using BrellLog::BrellLog;
    void WriteCommandLine(const std::string& hex, bool send) override {
        if (send && hex.find("  81  11  00") != std::string::npos) {
            const std::lock_guard lock(mutex);
            written.push_back(Wall::now());
        }
        BrellLog::WriteCommandLine(hex, send);
    }

    std::mutex mutex;
    std::vector<Wall::time_point> written;
};

std::string Figures(const std::vector<Wall::time_point>& at,
                    const std::vector<Wall::time_point>& due) {
    std::vector<double> ms;
    for (std::size_t i = 0; i < due.size(); ++i)
        ms.push_back(std::chrono::duration<double, std::milli>(at[i] - due[i]).count());
    std::sort(ms.begin(), ms.end());
    char text[120];
    std::snprintf(text, sizeof text, "min %.1f ms, median %.1f ms, max %.1f ms", ms.front(),
                  ms[ms.size() / 2], ms.back());
    return text;
}

void Idle(std::chrono::milliseconds d) {
    const auto end = Wall::now() + d;
    while (Wall::now() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

kov::ScheduleEntry SwitchAt(Wall::time_point due, int source) {
    const std::time_t t = Wall::to_time_t(due);
    std::tm tm{};
    localtime_r(&t, &tm);
    kov::ScheduleEntry e;
    e.hour = tm.tm_hour;
    e.minute = tm.tm_min;
    e.second = tm.tm_sec;
    e.method = kov::kMethodChannelSwitch;
    e.cardKey = 129;
    e.picture = 1;
    e.source = source;
    return e;
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    kov::test::TempDir dir;
    std::filesystem::copy(KOV_DATA_DIR, dir.Path(), std::filesystem::copy_options::recursive);
    kov::test::SimProcess sim(dir.Path(), 7, {});
    QApplication app(argc, argv);
    kov::bench::MainWindowRig rig(dir.Path());
    rig.window.Initialise();
    Idle(300ms);
    if (!rig.link.IsOpen())
        throw std::runtime_error("the link is not open on kov-sim");
    TimingLog log(dir.Path(), "timing");
    rig.link.SetLog(&log);

    std::vector<Wall::time_point> arrivals;
    std::mutex arrivalsMutex;
    std::atomic<bool> reading{true};
    std::thread reader([&] {
        std::string line;
        while (reading) {
            if (sim.Process().ReadLine(line, 20ms) &&
                line.find("ED CB 81 11 00") != std::string::npos) {
                const std::lock_guard lock(arrivalsMutex);
                arrivals.push_back(Wall::now());
            }
        }
    });

    const auto first = std::chrono::ceil<std::chrono::seconds>(Wall::now()) + 2s;
    std::vector<Wall::time_point> due;
    kov::Schedule schedule;
    for (int i = 0; i < kEntries; ++i) {
        due.push_back(first + std::chrono::seconds(i));
        schedule.push_back(SwitchAt(due.back(), i % 2 == 0 ? 8 : 10));
    }
    const auto file = dir / "delay.smfx";
    if (!kov::SaveSchedule(file, schedule) || !rig.window.StartSchedule(file.string()))
        throw std::runtime_error("the schedule did not start");
    Idle(std::chrono::duration_cast<std::chrono::milliseconds>(due.back() - Wall::now()) + 1s);
    reading = false;
    reader.join();

    rig.link.SetLog(nullptr);
    if (arrivals.size() != due.size() || log.written.size() != due.size()) {
        std::fprintf(stderr, "%zu of %d channel switches written, %zu received by kov-sim\n",
                     log.written.size(), kEntries, arrivals.size());
        return 1;
    }
    std::printf("%d channel switches, from the start of the due second\n", kEntries);
    std::printf("  until handed to the port: %s (target 20 ms)\n",
                Figures(log.written, due).c_str());
    std::printf("  until received by kov-sim (9600 baud, 13.5 ms on the line): %s\n",
                Figures(arrivals, due).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "schedule_delay_qt_bench: %s\n", e.what());
        return 1;
    }
}

// Drags the brightness slider of the input card page through 0-100 and back at 500 value
// changes per second for 2 s, into kov-sim at 9600 baud over a pseudo-terminal. Reports
// the frames kov-sim received, the time from the last change until kov-sim reported the
// frame carrying the final value (target: two frame times, 30 ms), whether kov-sim ends
// on the slider's value, and the time of one slider step on the user-interface thread
// (target: 1 ms).

#include <QApplication>
#include <QSlider>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "input/input_page.h"
#include "link/command_log.h"
#include "link/serial_comm.h"
#include "platform/open_document.h"
#include "shell/app_context.h"
#include "shell/operator_dialogs.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/language.h"
#include "support/sim_link.h"
#include "support/subprocess.h"
#include "support/temp_dir.h"
#include "widgets/relabel.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kPort = 7;
constexpr int kCard = 129;
constexpr auto kStep = 2ms;  // 500 changes per second
constexpr int kChanges = 1000;

// The brightness value of a frame line kov-sim printed, or -1 for any other line.
int BrightnessOf(const std::string& line) {
    const auto at = line.find("ED CB 81 03 00 01 ");
    if (at == std::string::npos)
        return -1;
    return std::stoi(line.substr(at + 18, 2), nullptr, 16);
}

// 0, 1, ... 100, 99, ... 0, 1, ... for change i.
int Triangle(int i) {
    const int phase = i % 200;
    return phase <= 100 ? phase : 200 - phase;
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kov::test::TempDir dir;
    std::filesystem::copy(KOV_DATA_DIR, dir.Path(), std::filesystem::copy_options::recursive);
    kov::test::SimProcess sim(dir.Path(), kPort, {});
    kov::BrellLog log(dir.Path(), kov::kCommandLogName);
    kov::CSerialComm link;
    if (!kov::test::OpenSimLink(link, log, dir.Path(), kPort))
        throw std::runtime_error("cannot open the simulator's port");
    kov::CardConfiguration config;
    kov::ReadCardConfiguration(dir / kov::kBoardConfigFileName, config);
    kov::CardRecords records;
    records.Load(config, dir.Path());
    kov::Language language(dir.Path());
    language.Load("english");
    language.LoadNamedTexts();
    kov::AutoResetEvent stateChanged;
    kov::ui::QtOperatorDialogs dialogs;
    kov::DesktopDocumentOpener documents;
    kov::ui::AppContext context{dir.Path(), dir.Path(),   link,    records,  config,
                                language,   stateChanged, dialogs, documents};

    kov::ui::CInPutPage page(context);
    kov::ui::PostKovMessage(&page, kov::ui::WM_INPUT_CARD_SHOW, kCard);
    QCoreApplication::sendPostedEvents();
    if (page.CurrentCardId() != kCard)
        throw std::runtime_error("the page does not show card 129");
    QSlider* slider = nullptr;
    for (QSlider* s : page.findChildren<QSlider*>()) {
        if (kov::ui::ControlId(s) == 1091)
            slider = s;
    }
    if (!slider)
        throw std::runtime_error("no brightness slider");

    // kov-sim's report is read on its own thread, each brightness frame with the time it
    // arrived.
    struct Arrival {
        Clock::time_point at;
        int value;
    };
    std::vector<Arrival> arrivals;
    std::mutex arrivalsMutex;
    std::atomic<bool> reading{true};
    std::thread reader([&] {
        std::string line;
        while (reading) {
            if (!sim.Process().ReadLine(line, 20ms))
                continue;
            const int value = BrightnessOf(line);
            if (value >= 0) {
                const std::lock_guard lock(arrivalsMutex);
                arrivals.push_back({Clock::now(), value});
            }
        }
    });

    std::vector<double> stepMs;
    stepMs.reserve(kChanges);
    const auto start = Clock::now();
    int last = -1;
    for (int i = 1; i <= kChanges; ++i) {
        while (Clock::now() < start + i * kStep)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        last = Triangle(i + 37);  // ends away from 0 and 50
        const auto before = Clock::now();
        slider->setValue(last);
        stepMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
    }
    const auto lastChange = Clock::now();
    // The event loop keeps the line pump going while the last frames arrive.
    while (Clock::now() < lastChange + 500ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    reading = false;
    reader.join();

    double latencyMs = -1;
    for (const Arrival& a : arrivals) {
        if (a.at > lastChange && a.value == last) {
            latencyMs = std::chrono::duration<double, std::milli>(a.at - lastChange).count();
            break;
        }
    }
    const int received = static_cast<int>(arrivals.size());
    const int final = arrivals.empty() ? -1 : arrivals.back().value;
    std::sort(stepMs.begin(), stepMs.end());
    std::printf("brightness drag: %d changes in %.2f s, %d frames received by kov-sim\n", kChanges,
                std::chrono::duration<double>(lastChange - start).count(), received);
    std::printf("last change to last frame received: %.1f ms (target 30 ms)\n", latencyMs);
    std::printf("slider %d, kov-sim %d: %s\n", last, final, final == last ? "equal" : "DIFFERENT");
    std::printf("slider step on the UI thread: median %.3f ms, max %.3f ms (target 1 ms)\n",
                stepMs[stepMs.size() / 2], stepMs.back());
    return final == last ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "slider_drag_qt_bench: %s\n", e.what());
        return 1;
    }
}

// A whole-screen change on a full rack (7 output and 7 input cards, every output card
// shown), in the main window on the offscreen platform with the link open on kov-sim at
// 9600 baud. Reports the time on the user-interface thread from the applied box until
// every record, the page's boxes and the output diagram are updated and the splices are
// written (target 5 ms), the diagram's repaint, and the time until kov-sim has received
// every resent splice as a ratio to the wire time of those frames (target 1.01).

#include <QApplication>
#include <QTabWidget>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "link/serial_comm.h"
#include "main_window_rig.h"
#include "output/output_field_host.h"
#include "output/output_page.h"
#include "support/full_rack.h"
#include "support/subprocess.h"
#include "support/temp_dir.h"
#include "widgets/digits_box.h"
#include "widgets/relabel.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kOutputCards = kov::test::kFullRackOutputCards;
constexpr int kSpliceFrames = 2 * kOutputCards;
constexpr int kRounds = 20;
constexpr double kWireSeconds = kSpliceFrames * 13 * 10 / 9600.0;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// True for a line of kov-sim's report that shows a horizontal or vertical splice frame.
bool IsSpliceLine(const std::string& line) {
    const auto at = line.find("ED CB ");
    if (at == std::string::npos || line.size() < at + 11)
        return false;
    const std::string command = line.substr(at + 9, 2);
    return command == "0C" || command == "0D";
}

void Idle(Clock::duration d) {
    const auto end = Clock::now() + d;
    while (Clock::now() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

int Run(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    kov::test::TempDir dir;
    std::filesystem::copy(KOV_DATA_DIR, dir.Path(), std::filesystem::copy_options::recursive);
    const std::string rack = kov::test::WriteFullRackConfiguration(dir.Path());
    kov::test::SimProcess sim(dir.Path(), 7, {"--rack", rack});

    QApplication app(argc, argv);
    kov::bench::MainWindowRig rig(dir.Path());
    kov::ui::CKovDlg& window = rig.window;
    kov::CSerialComm& link = rig.link;
    window.Initialise();
    window.show();
    window.Tabs()->setCurrentIndex(1);  // the output diagram on screen
    Idle(500ms);
    if (!link.IsOpen())
        throw std::runtime_error("the link is not open on kov-sim");
    int shown = 0;
    for (int card = 1; card <= kOutputCards; ++card)
        shown += window.OutputDiagram()->Picture().IsCardHidden(card) ? 0 : 1;
    if (shown != kOutputCards)
        throw std::runtime_error("not every output card is shown");

    kov::ui::DigitsBox* box = nullptr;
    for (auto* b : window.OutputPage()->findChildren<kov::ui::DigitsBox*>()) {
        if (kov::ui::ControlId(b) == 1220)
            box = b;
    }
    if (!box)
        throw std::runtime_error("no whole-screen width box");

    std::vector<Clock::time_point> arrivals;
    std::mutex arrivalsMutex;
    std::atomic<bool> reading{true};
    std::thread reader([&] {
        std::string line;
        while (reading) {
            if (sim.Process().ReadLine(line, 20ms) && IsSpliceLine(line)) {
                const std::lock_guard lock(arrivalsMutex);
                arrivals.push_back(Clock::now());
            }
        }
    });

    std::vector<double> uiMs, paintMs, ratios;
    for (int round = 0; round < kRounds; ++round) {
        {
            const std::lock_guard lock(arrivalsMutex);
            arrivals.clear();
        }
        box->setText(round % 2 == 0 ? "1920" : "3840");
        const auto start = Clock::now();
        emit box->applied();
        QCoreApplication::sendPostedEvents();  // the main window redraws and resends
        const auto updated = Clock::now();
        window.OutputDiagram()->Picture().repaint();
        paintMs.push_back(Ms(Clock::now() - updated));
        uiMs.push_back(Ms(updated - start));
        Clock::time_point last{};
        const auto deadline = Clock::now() + 5s;
        while (Clock::now() < deadline) {
            {
                const std::lock_guard lock(arrivalsMutex);
                if (arrivals.size() >= kSpliceFrames) {
                    last = arrivals[kSpliceFrames - 1];
                    break;
                }
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        if (last == Clock::time_point{})
            throw std::runtime_error("kov-sim did not receive every splice");
        ratios.push_back(std::chrono::duration<double>(last - start).count() / kWireSeconds);
        Idle(50ms);
    }
    reading = false;
    reader.join();

    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const auto most = [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end());
    };
    std::printf("whole-screen change, %d output cards shown, %d rounds\n", kOutputCards, kRounds);
    std::printf(
        "user-interface thread until records, boxes and diagram are updated and the "
        "%d splices written: median %.2f ms, max %.2f ms (target 5 ms)\n",
        kSpliceFrames, median(uiMs), most(uiMs));
    std::printf("output diagram repaint: median %.2f ms, max %.2f ms\n", median(paintMs),
                most(paintMs));
    std::printf(
        "kov-sim received every splice: median %.4f, max %.4f of the wire time %.1f ms "
        "(target 1.01)\n",
        median(ratios), most(ratios), kWireSeconds * 1000.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "whole_screen_qt_bench: %s\n", e.what());
        return 1;
    }
}

// The offline schedule dialog against kov-sim at 9600 baud, as an operator uses it: read
// all 128 tasks, change every row, download them and read them back. Reports the read as
// a ratio to the least time the exchanges allow (128 x (13 bytes on the wire + the 80 ms
// pause), target 1.05), the download as a ratio to the wire time of its 128 frames
// (target 1.01), the longest stall of the user-interface thread during each (target
// 50 ms), and whether the tasks read back are the ones downloaded.

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "link/command_log.h"
#include "main_window_rig.h"
#include "schedule/offline_schedule_dialog.h"
#include "schedule/offline_task_text.h"
#include "support/sim_link.h"
#include "support/subprocess.h"
#include "support/temp_dir.h"
#include "widgets/digits_box.h"
#include "widgets/relabel.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kFrameSeconds = 13 * 10 / 9600.0;
constexpr double kReadLeast = 128 * (kFrameSeconds + 0.080);
constexpr double kDownloadWire = 128 * kFrameSeconds;

template <typename T>
T* Control(QWidget& window, int id) {
    for (T* child : window.findChildren<T*>()) {
        if (kov::ui::ControlId(child) == id)
            return child;
    }
    throw std::runtime_error("no control " + std::to_string(id));
}

struct Run {
    double seconds = 0;
    double longestStallMs = 0;
};

// Clicks the button and keeps the event loop going until the dialog's work has ended,
// noting the longest gap between two turns of the loop.
Run RunToEnd(kov::ui::COffLineScheduleDLg& dialog, int buttonId) {
    bool finished = false;
    const auto connection = QObject::connect(&dialog, &kov::ui::COffLineScheduleDLg::workFinished,
                                             [&finished] { finished = true; });
    Run run;
    QElapsedTimer sinceLastTurn;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.longestStallMs = std::max(run.longestStallMs, sinceLastTurn.nsecsElapsed() / 1e6);
        sinceLastTurn.restart();
    });
    const auto start = Clock::now();
    sinceLastTurn.start();
    ticker.start();
    Control<QPushButton>(dialog, buttonId)->click();
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    ticker.stop();
    QObject::disconnect(connection);
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return run;
}

int Main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kov::test::TempDir dir;
    std::filesystem::copy(KOV_DATA_DIR, dir.Path(), std::filesystem::copy_options::recursive);
    kov::test::SimProcess sim(dir.Path(), 7, {});
    kov::bench::MainWindowRig rig(dir.Path());
    kov::BrellLog log(dir.Path(), kov::kCommandLogName);
    if (!kov::test::OpenSimLink(rig.link, log, dir.Path(), 7))
        throw std::runtime_error("cannot open the simulator's port");

    kov::ui::COffLineScheduleDLg dialog(rig.context);
    dialog.show();
    const Run read = RunToEnd(dialog, 1212);
    if (dialog.Rows().size() != 128)
        throw std::runtime_error("the read gave " + std::to_string(dialog.Rows().size()) + " rows");
    auto* list = Control<QTreeWidget>(dialog, 1016);
    Control<QRadioButton>(dialog, 1104)->click();  // weekly on Tuesday
    Control<QCheckBox>(dialog, 1116)->setChecked(true);
    for (int row = 0; row < 128; ++row) {
        list->setCurrentItem(list->topLevelItem(row));
        Control<QRadioButton>(dialog, 1104)->click();
        Control<QCheckBox>(dialog, 1116)->setChecked(true);
        Control<QTimeEdit>(dialog, 1113)->setTime(QTime(row % 24, row % 60, 7));
        Control<kov::ui::DigitsBox>(dialog, 1021)->SetValue(1 + row % 15);
        Control<QPushButton>(dialog, 1209)->click();
    }
    std::vector<kov::OfflineTask> written;
    for (const auto& row : dialog.Rows())
        written.push_back(row.task);
    const Run download = RunToEnd(dialog, 1210);
    RunToEnd(dialog, 1212);
    // Weekday flags come back as their bit values, so tasks compare by their text.
    bool same = dialog.Rows().size() == written.size();
    for (std::size_t i = 0; same && i < written.size(); ++i) {
        same = dialog.Rows()[i].read &&
               kov::FormatTaskLine(dialog.Rows()[i].task) == kov::FormatTaskLine(written[i]);
    }
    std::printf(
        "read 128 tasks: %.3f s, least %.3f s, ratio %.4f (target 1.05); longest UI "
        "stall %.1f ms (target 50 ms)\n",
        read.seconds, kReadLeast, read.seconds / kReadLeast, read.longestStallMs);
    std::printf(
        "download 128 rows: %.3f s, wire %.3f s, ratio %.4f (target 1.01); longest UI "
        "stall %.1f ms (target 50 ms)\n",
        download.seconds, kDownloadWire, download.seconds / kDownloadWire, download.longestStallMs);
    std::printf("tasks read back after the download: %s\n", same ? "the same" : "DIFFERENT");
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Main(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "offline_tasks_qt_bench: %s\n", e.what());
        return 1;
    }
}

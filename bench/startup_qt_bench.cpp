// Start-up of the desktop program on the offscreen platform: the time from process start
// until the main window is shown and the event loop is idle, with the default rack and
// the link open on kov-sim, and the resident memory at that point.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/sysinfo.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "main_window_rig.h"
#include "support/subprocess.h"
#include "support/temp_dir.h"

namespace {

// Seconds since this process started, from /proc (start time in clock ticks since boot).
double SecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i)
        fields >> field;  // field 22 is starttime
    const double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 - started;
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const double loading = SecondsSinceProcessStart();  // exec to main: loading Qt and the program
    qputenv("QT_QPA_PLATFORM", "offscreen");
    kov::test::TempDir dir;
    std::filesystem::copy(KOV_DATA_DIR, dir.Path(), std::filesystem::copy_options::recursive);
    kov::test::SimProcess sim(dir.Path(), 7, {"--fast"});

    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    kov::bench::MainWindowRig rig(dir.Path());
    kov::ui::CKovDlg& window = rig.window;
    window.Initialise();
    window.show();
    double shownAfter = 0;
    // A zero timer fires once the event loop has nothing else to do.
    QTimer::singleShot(0, &window, [&] {
        shownAfter = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        QCoreApplication::exit(0);
    });
    QApplication::exec();
    std::printf(
        "process start to main window shown and idle (offscreen, default rack, link open): "
        "%.1f ms (%.1f ms loading, %.1f ms start-up)\n",
        loading * 1000.0 + shownAfter, loading * 1000.0, shownAfter);
    std::printf("resident memory after start-up: %.1f MB\n",
                static_cast<double>(ResidentKilobytes()) / 1024.0);
    return 0;
}

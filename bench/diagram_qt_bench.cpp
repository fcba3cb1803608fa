// Times the output diagram on the offscreen platform: one paint of a 1200 x 700 diagram with
// 14 visible, partly overlapping cells drawn over the shipped background picture, and one
// step of a drag (the model's candidate plus a repaint) for a move and for a resize. Each
// figure is the median of many repetitions; the first paint, which loads and scales the
// picture, is reported on its own.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "diagram/cell_binding.h"
#include "link/serial_comm.h"
#include "output/output_field_host.h"
#include "platform/open_document.h"
#include "shell/app_context.h"
#include "shell/operator_dialogs.h"
#include "store/auto_reset_event.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/language.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCards = 14;
constexpr int kPaints = 200;
constexpr int kSteps = 1000;
constexpr double kStepTargetMs = 4.0;
// A whole screen of 4800 x 2800 in a 1200 x 750 host gives a 1200 x 700 diagram at four
// points per pixel.
constexpr kov::WholeScreen kScreen{4800, 2800};
const QSize kHostSize(1200, 750);

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Percentile95(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() * 95 / 100];
}

// Output cards 1-14 in slots 1-14, their splice rectangles on a 5 x 3 grid, each a little
// larger than its grid step so that neighbours overlap.
kov::CardConfiguration Rack() {
    kov::CardConfiguration config;
    for (int i = 0; i < kCards; ++i)
        config.outputCards.push_back({1 + i, 1 + i});
    return config;
}

void PlaceCards(kov::CardRecords& records) {
    const auto lock = records.Lock();
    records.screen = kScreen;
    for (int i = 0; i < kCards; ++i) {
        kov::OutputCardRecord& r = records.output.At(static_cast<std::size_t>(i));
        r.outputHparam = kScreen.width;
        r.outputVparam = kScreen.height;
        kov::diagram::StoreOutputSplice(r, {(i % 5) * 900, (i / 5) * 850, 1100, 1000});
    }
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(p), widget.mapToGlobal(QPointF(p)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

// The pointer's offset from where a drag began at one step.
using Path = QPoint (*)(int step);

// A move goes back and forth along a line: 21 places, revisited.
QPoint MovePath(int step) {
    const int phase = step % 40;
    const int t = phase < 20 ? phase : 40 - phase;
    return QPoint(3 * t, t);
}

// A resize never repeats a cell size within the 1000 steps, so every step scales the
// background picture anew: the worst case for a paint during a drag.
QPoint ResizePath(int step) {
    return QPoint(step % 50, (step / 50) % 20);
}

// Presses at start, then times kSteps moves along the path, each followed by a repaint into
// target; releases where the drag began, so that nothing is applied. The time of every step
// in milliseconds.
std::vector<double> TimeDrag(QWidget& control, QImage& target, QPoint start, Path path) {
    SendMouse(control, QEvent::MouseButtonPress, start, Qt::LeftButton);
    std::vector<double> times;
    times.reserve(kSteps);
    for (int i = 0; i < kSteps; ++i) {
        const QPoint p = start + path(i);
        const Clock::time_point begin = Clock::now();
        SendMouse(control, QEvent::MouseMove, p, Qt::LeftButton);
        control.render(&target);
        times.push_back(Milliseconds(Clock::now() - begin));
    }
    SendMouse(control, QEvent::MouseMove, start, Qt::LeftButton);
    SendMouse(control, QEvent::MouseButtonRelease, start, Qt::NoButton);
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    kov::test::TempDir dir;
    std::filesystem::copy(KOV_DATA_DIR, dir.Path(), std::filesystem::copy_options::recursive);
    kov::CardConfiguration config = Rack();
    kov::CardRecords records;
    records.Load(config, dir.Path());
    PlaceCards(records);

    kov::CSerialComm link;  // no port: nothing is sent during the timings
    kov::Language language(dir.Path());
    kov::AutoResetEvent stateChanged;
    kov::ui::QtOperatorDialogs dialogs;
    kov::DesktopDocumentOpener documents;
    kov::ui::AppContext context{dir.Path(), dir.Path(),   link,    records,  config,
                                language,   stateChanged, dialogs, documents};

    kov::ui::COutPutFieldDLg host(context, nullptr);
    host.resize(kHostSize);
    host.Initialise();
    for (int id = 1; id <= kCards; ++id)
        host.Picture().SetCardHidden(id, false);
    host.show();
    QCoreApplication::processEvents();

    kov::ui::COutputPicCtrl& control = host.Picture();
    std::printf("diagram %d x %d, %zu cells shown\n", control.width(), control.height(),
                control.Model().PaintOrder().size());
    QImage target(control.size(), QImage::Format_RGB32);

    Clock::time_point begin = Clock::now();
    control.render(&target);
    std::printf("first paint (loads and scales the picture): %.3f ms\n",
                Milliseconds(Clock::now() - begin));

    std::vector<double> paints;
    paints.reserve(kPaints);
    for (int i = 0; i < kPaints; ++i) {
        begin = Clock::now();
        control.render(&target);
        paints.push_back(Milliseconds(Clock::now() - begin));
    }
    std::printf("paint: median %.3f ms, 95th percentile %.3f ms over %d paints\n", Median(paints),
                Percentile95(paints), kPaints);

    // Card 14 lies on top at (2700, 1700) in the screen: its cell spans (675, 425) to
    // (950, 675). A move grabs its inside, a resize its bottom-right corner; both stay
    // inside the diagram all the way.
    const kov::diagram::Rect cell = control.Model().CellOfCard(kCards)->rect;
    const std::vector<double> moves =
        TimeDrag(control, target, QPoint(cell.left + 100, cell.top + 100), MovePath);
    const std::vector<double> resizes =
        TimeDrag(control, target, QPoint(cell.right - 2, cell.bottom - 2), ResizePath);
    const double moveMedian = Median(moves);
    std::printf("move step: median %.3f ms, 95th percentile %.3f ms over %d steps\n", moveMedian,
                Percentile95(moves), kSteps);
    std::printf(
        "resize step (a new cell size every step): median %.3f ms, 95th percentile %.3f ms over %d "
        "steps\n",
        Median(resizes), Percentile95(resizes), kSteps);

    // The same resize with card 14 grown to cover most of the diagram (1100 x 650 pixels).
    {
        const auto lock = records.Lock();
        kov::diagram::StoreOutputSplice(records.output.At(kCards - 1), {0, 0, 4400, 2600});
    }
    host.Refresh();
    const kov::diagram::Rect large = control.Model().CellOfCard(kCards)->rect;
    const std::vector<double> largeResizes =
        TimeDrag(control, target, QPoint(large.right - 2, large.bottom - 2), ResizePath);
    std::printf("resize step of a 1100 x 650 cell: median %.3f ms, 95th percentile %.3f ms\n",
                Median(largeResizes), Percentile95(largeResizes));

    const double worst = std::max({moveMedian, Median(resizes), Median(largeResizes)});
    std::printf("target per step: %.1f ms: %s\n", kStepTargetMs,
                worst < kStepTargetMs ? "met" : "MISSED");
    return 0;
}

// The input and output diagram controls in their hosts: what a press and a drag post, write
// and send; overlapping, hidden and picture-in-picture cells; painting with the shipped,
// a missing or a broken background picture; the hosts' layout; a whole screen of size 0.

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QtTest>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "diagram/cell_binding.h"
#include "diagram/diagram_ctrl.h"
#include "fixtures/test_program.h"
#include "input/input_field_host.h"
#include "output/output_field_host.h"
#include "shell/window_messages.h"

using kov::diagram::DeviceRect;
using kov::test::TestProgram;
using kov::ui::CInPutFieldDlg;
using kov::ui::COutPutFieldDLg;
using kov::ui::DiagramCtrl;

namespace {

enum class Side { kInput, kOutput };

// Host sizes at which the diagrams have whole-number scales: the input frame of resolution
// code 1 (1024 x 768) at one unit per pixel, the shipped 3840 x 2160 whole screen at four.
const QSize kInputHostSize(1024, 818);
const QSize kOutputHostSize(960, 590);

// Where the cards' rectangles are before the test.
enum class Arrangement {
    kShipped,  // the defaults file: every card at (0, 0, 1920, 1080), so all cells overlap
    kSpread,   // the cards apart (cells listed beside each table)
};

// Input cells at one unit per pixel: 129 (100, 100, 300, 250), 130 (500, 300, 700, 450),
// 131 (100, 500, 300, 650), 132 (600, 50, 900, 250).
const std::vector<std::pair<int, DeviceRect>> kSpreadInputs = {
    {129, {100, 100, 200, 150}},
    {130, {500, 300, 200, 150}},
    {131, {100, 500, 200, 150}},
    {132, {600, 50, 300, 200}},
};
// Output cells at four units per pixel, the whole screen in quarters: 1 (0, 0, 480, 270),
// 2 (480, 0, 960, 270), 3 (0, 270, 480, 540), 4 (480, 270, 960, 540).
const std::vector<std::pair<int, DeviceRect>> kSpreadOutputs = {
    {1, {0, 0, 1920, 1080}},
    {2, {1920, 0, 1920, 1080}},
    {3, {0, 1080, 1920, 1080}},
    {4, {1920, 1080, 1920, 1080}},
};

const std::vector<int> kAllInputs = {129, 130, 131, 132};
const std::vector<int> kAllOutputs = {1, 2, 3, 4};

// The main window as far as the diagrams are concerned: it records the card-selected
// messages it receives.
class SelectionRecorder final : public QObject {
public:
    std::vector<int> selected;

protected:
    bool event(QEvent* event) override {
        if (event->type() == kov::ui::WM_CARD_SELECTED) {
            selected.push_back(static_cast<int>(static_cast<kov::ui::KovMessage*>(event)->wParam));
            return true;
        }
        return QObject::event(event);
    }
};

// One host with its control, sized so that the scales are whole numbers.
class Field {
public:
    Field(TestProgram& program, Side side, QObject* notify) {
        if (side == Side::kInput) {
            input_ = std::make_unique<CInPutFieldDlg>(program.Context(), notify);
            input_->resize(kInputHostSize);
        } else {
            output_ = std::make_unique<COutPutFieldDLg>(program.Context(), notify);
            output_->resize(kOutputHostSize);
        }
    }

    QWidget& Host() { return input_ ? static_cast<QWidget&>(*input_) : *output_; }
    DiagramCtrl& Control() {
        return input_ ? static_cast<DiagramCtrl&>(input_->Picture()) : output_->Picture();
    }
    // Build for the input host, Initialise for the output host.
    void Build() {
        if (input_)
            input_->Build();
        else
            output_->Initialise();
    }
    void Refresh() {
        if (input_)
            input_->Refresh();
        else
            output_->Refresh();
    }
    void Show(const std::vector<int>& cards, const std::vector<int>& pictureInPicture) {
        for (const int id : cards)
            Control().SetCardHidden(id, false);
        for (const int id : pictureInPicture)
            Control().Model().SetPictureInPictureHidden(id, false);
    }

private:
    std::unique_ptr<CInPutFieldDlg> input_;
    std::unique_ptr<COutPutFieldDLg> output_;
};

void Arrange(TestProgram& program, Side side, Arrangement arrangement) {
    if (arrangement == Arrangement::kShipped)
        return;
    const auto lock = program.records.Lock();
    if (side == Side::kInput) {
        for (const auto& [id, rect] : kSpreadInputs)
            kov::diagram::StoreInputCaptureWindow(*program.records.input.Find(id), rect);
    } else {
        for (const auto& [id, rect] : kSpreadOutputs)
            kov::diagram::StoreOutputSplice(*program.records.output.Find(id), rect);
    }
}

// The position of a card in its list.
qsizetype ListIndex(Side side, int cardId) {
    const std::vector<int>& ids = side == Side::kInput ? kAllInputs : kAllOutputs;
    return std::find(ids.begin(), ids.end(), cardId) - ids.begin();
}

QString RectText(int cardId, const DeviceRect& r) {
    return QStringLiteral("%1:(%2,%3,%4,%5)").arg(cardId).arg(r.x).arg(r.y).arg(r.w).arg(r.h);
}

// Every card's record rectangle, in list order, as text for comparison.
QStringList RecordRects(TestProgram& program, Side side) {
    QStringList rects;
    const auto lock = program.records.Lock();
    if (side == Side::kInput) {
        for (const auto& r : program.records.input.Records())
            rects << RectText(r.cardId, kov::diagram::InputCaptureWindow(r));
    } else {
        for (const auto& r : program.records.output.Records())
            rects << RectText(r.cardId, kov::diagram::OutputSplice(r));
    }
    return rects;
}

using Frame = std::vector<std::uint8_t>;

// A command frame: header, card ID, command, 16-bit values high byte first, 0x55 for every
// byte left, checksum.
Frame MakeFrame(int cardId, int command, std::initializer_list<int> words) {
    Frame frame{0xED, 0xCB, static_cast<std::uint8_t>(cardId), static_cast<std::uint8_t>(command)};
    for (const int word : words) {
        frame.push_back(static_cast<std::uint8_t>(word >> 8));
        frame.push_back(static_cast<std::uint8_t>(word & 0xFF));
    }
    while (frame.size() < 12)
        frame.push_back(0x55);
    int sum = 0;
    for (std::size_t i = 2; i < 12; ++i)
        sum += frame[i];
    frame.push_back(static_cast<std::uint8_t>(sum % 256));
    return frame;
}

Frame CaptureWindow(int cardId, const DeviceRect& r) {
    return MakeFrame(cardId, 0x05, {r.x, r.y, r.w, r.h});
}

// Set horizontal splice then Set vertical splice of an output card in the shipped
// 3840 x 2160 whole screen.
std::vector<Frame> Splice(int cardId, const DeviceRect& r) {
    return {MakeFrame(cardId, 0x0C, {3840, r.x, r.w}), MakeFrame(cardId, 0x0D, {2160, r.y, r.h})};
}

QStringList Hex(const std::vector<Frame>& frames) {
    QStringList text;
    for (const Frame& frame : frames)
        text << QByteArray(reinterpret_cast<const char*>(frame.data()),
                           static_cast<qsizetype>(frame.size()))
                    .toHex(' ');
    return text;
}

// ---------------------------------------------------------------------------------------
// Pressing and dragging

struct DragCase {
    const char* name;
    Side side;
    Arrangement arrangement;
    std::vector<int> shown;
    std::vector<int> pictureInPictureShown;
    bool wholeScreenZero;
    // Press at the first point, move through the ones between, release at the last.
    std::vector<QPoint> path;
    std::vector<int> posted;  // card-selected messages, in order
    int changedCard;          // 0: no record changes
    DeviceRect changedTo;
    std::vector<Frame> frames;
};

// clang-format off
const DragCase kDragCases[] = {
    {"input press without movement only selects", Side::kInput, Arrangement::kSpread,
     kAllInputs, {}, false, {{150, 150}, {150, 150}},
     {129}, 0, {}, {}},
    {"output press without movement only selects", Side::kOutput, Arrangement::kSpread,
     kAllOutputs, {}, false, {{700, 100}, {700, 100}},
     {2}, 0, {}, {}},
    {"input move", Side::kInput, Arrangement::kSpread,
     kAllInputs, {}, false, {{200, 175}, {230, 190}, {250, 200}},
     {129, 129}, 129, {150, 125, 200, 150}, {CaptureWindow(129, {150, 125, 200, 150})}},
    {"output move", Side::kOutput, Arrangement::kSpread,
     kAllOutputs, {}, false, {{100, 50}, {120, 60}, {150, 75}},
     {1, 1}, 1, {200, 100, 1920, 1080}, Splice(1, {200, 100, 1920, 1080})},
    {"output resize at the bottom-right corner", Side::kOutput, Arrangement::kSpread,
     kAllOutputs, {}, false, {{478, 268}, {490, 280}, {500, 300}},
     {1, 1}, 1, {0, 0, 2000, 1200}, Splice(1, {0, 0, 2000, 1200})},
    {"release away from the last move still lands there", Side::kOutput, Arrangement::kSpread,
     kAllOutputs, {}, false, {{100, 50}, {150, 75}},
     {1, 1}, 1, {200, 100, 1920, 1080}, Splice(1, {200, 100, 1920, 1080})},
    {"overlapping output cells: the last in the list is dragged", Side::kOutput,
     Arrangement::kShipped, kAllOutputs, {}, false, {{100, 50}, {150, 75}},
     {4, 4}, 4, {200, 100, 1920, 1080}, Splice(4, {200, 100, 1920, 1080})},
    {"overlapping input cells: the last in the list is pressed", Side::kInput,
     Arrangement::kShipped, kAllInputs, {}, false, {{500, 400}, {500, 400}},
     {132}, 0, {}, {}},
    {"a hidden cell on top lets the one below be dragged", Side::kOutput,
     Arrangement::kShipped, {1, 2, 3}, {}, false, {{100, 50}, {150, 75}},
     {3, 3}, 3, {200, 100, 1920, 1080}, Splice(3, {200, 100, 1920, 1080})},
    {"a hidden cell cannot be dragged", Side::kOutput, Arrangement::kSpread,
     {2, 3, 4}, {}, false, {{100, 50}, {150, 75}},
     {}, 0, {}, {}},
    {"a press outside every cell selects nothing", Side::kOutput, Arrangement::kSpread,
     {1}, {}, false, {{700, 400}, {720, 420}},
     {}, 0, {}, {}},
    {"a picture-in-picture drag writes and sends nothing", Side::kInput, Arrangement::kSpread,
     {}, {129}, false, {{1021, 300}, {950, 300}, {900, 300}},
     {0}, 0, {}, {}},
    {"whole screen 0: nothing to press or drag", Side::kOutput, Arrangement::kSpread,
     kAllOutputs, {}, true, {{100, 50}, {150, 75}},
     {}, 0, {}, {}},
};
// clang-format on

// ---------------------------------------------------------------------------------------
// Painting

enum class PictureFile { kShipped, kMissing, kBroken };

struct PaintCase {
    const char* name;
    Side side;
    Arrangement arrangement;
    PictureFile file;
    std::vector<int> shown;
    std::vector<int> pictureInPictureShown;
    int selectedCard;            // 0: none
    QRect cell;                  // the one cell drawn
    std::optional<QColor> fill;  // the brush expected; absent: the picture is drawn
    QColor border;
    QColor label;
};

const QColor kBlue(0, 128, 192);
const QColor kGrey(192, 192, 192);
const QColor kFrameGrey(128, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
const QRect kOutputCell1(0, 0, 480, 270);
const QRect kInputCell129(100, 100, 200, 150);
const QRect kWholeInputFrame(0, 0, 1024, 768);

// clang-format off
const PaintCase kPaintCases[] = {
    {"output with its picture", Side::kOutput, Arrangement::kSpread, PictureFile::kShipped,
     {1}, {}, 0, kOutputCell1, std::nullopt, kFrameGrey, kWhite},
    {"output without pinjie.bmp", Side::kOutput, Arrangement::kSpread, PictureFile::kMissing,
     {1}, {}, 0, kOutputCell1, kBlue, kFrameGrey, kWhite},
    {"output with a broken pinjie.bmp", Side::kOutput, Arrangement::kSpread, PictureFile::kBroken,
     {1}, {}, 0, kOutputCell1, kBlue, kFrameGrey, kWhite},
    {"selected output without pinjie.bmp", Side::kOutput, Arrangement::kSpread,
     PictureFile::kMissing, {1}, {}, 1, kOutputCell1, kBlue, kRed, kRed},
    {"input with its picture", Side::kInput, Arrangement::kSpread, PictureFile::kShipped,
     {129}, {}, 0, kInputCell129, std::nullopt, kFrameGrey, kWhite},
    {"input without ronghe.bmp", Side::kInput, Arrangement::kSpread, PictureFile::kMissing,
     {129}, {}, 0, kInputCell129, kBlue, kFrameGrey, kWhite},
    {"picture-in-picture without ronghe.bmp", Side::kInput, Arrangement::kSpread,
     PictureFile::kMissing, {}, {129}, 0, kWholeInputFrame, kGrey, kFrameGrey, kWhite},
    {"overlapping: the later cell is drawn over the selected one", Side::kOutput,
     Arrangement::kShipped, PictureFile::kShipped, {1, 2}, {}, 1, kOutputCell1, std::nullopt,
     kFrameGrey, kWhite},
};
// clang-format on

bool Near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

int CountNear(const QImage& image, const QRect& area, QColor colour, int tolerance) {
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (Near(image.pixelColor(x, y), colour, tolerance))
                ++count;
        }
    }
    return count;
}

std::filesystem::path PictureOf(TestProgram& program, Side side) {
    return program.dir.Path() / (side == Side::kInput ? "ronghe.bmp" : "pinjie.bmp");
}

void PreparePicture(TestProgram& program, Side side, PictureFile file) {
    const std::filesystem::path path = PictureOf(program, side);
    if (file == PictureFile::kMissing) {
        std::filesystem::remove(path);
    } else if (file == PictureFile::kBroken) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << "BM\x36\x00 not a picture";
    }
}

// ---------------------------------------------------------------------------------------
// Layout

struct LayoutCase {
    const char* name;
    Side side;
    QSize hostSize;
    int resolutionCode;       // input only
    kov::WholeScreen screen;  // output only
    QRect diagram;
    kov::diagram::CellSize minimum;
};

// clang-format off
const LayoutCase kLayoutCases[] = {
    {"input, width limits", Side::kInput, {1024, 818}, 1, {}, {0, 0, 1024, 768}, {64, 48}},
    {"input, height limits, odd width", Side::kInput, {351, 300}, 1, {}, {0, 0, 333, 250},
     {21, 16}},
    {"input 1920 x 1080", Side::kInput, {961, 800}, 11, {}, {0, 0, 960, 540}, {32, 24}},
    {"output, width limits", Side::kOutput, {601, 400}, 0, {3840, 1080}, {0, 0, 600, 168},
     {10, 7}},
    {"output, height limits", Side::kOutput, {601, 400}, 0, {1920, 2160}, {0, 0, 311, 350},
     {10, 8}},
};
// clang-format on

}  // namespace

class DiagramCtrlTest : public QObject {
    Q_OBJECT

private slots:
    void drag_data();
    void drag();
    void paint_data();
    void paint();
    void layoutFollowsTheHost_data();
    void layoutFollowsTheHost();
    void unknownResolutionKeepsTheLayout();
    void wholeScreenZeroShowsAnEmptyBlackArea();
    void hiddenFlagsAndSelection_data();
    void hiddenFlagsAndSelection();
    void hostTakesFocusAfterRelease_data();
    void hostTakesFocusAfterRelease();
    void pressBesideTheDiagramUnselects();
};

void DiagramCtrlTest::drag_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < static_cast<int>(std::size(kDragCases)); ++i)
        QTest::newRow(kDragCases[i].name) << i;
}

void DiagramCtrlTest::drag() {
    QFETCH(int, row);
    const DragCase& c = kDragCases[row];
    TestProgram program;
    Arrange(program, c.side, c.arrangement);
    if (c.wholeScreenZero) {
        const auto lock = program.records.Lock();
        program.records.screen = kov::WholeScreen{0, 0};
    }
    SelectionRecorder mainWindow;
    Field field(program, c.side, &mainWindow);
    field.Build();
    field.Show(c.shown, c.pictureInPictureShown);
    field.Host().show();

    QStringList expectedRects = RecordRects(program, c.side);
    if (c.changedCard != 0)
        expectedRects[ListIndex(c.side, c.changedCard)] = RectText(c.changedCard, c.changedTo);
    program.TakeFrames();
    program.stateChanged.WaitFor(std::chrono::milliseconds(0));

    DiagramCtrl& control = field.Control();
    QTest::mousePress(&control, Qt::LeftButton, {}, c.path.front());
    QCoreApplication::sendPostedEvents();
    const std::vector<int> onPress(c.posted.begin(), c.posted.begin() + (c.posted.empty() ? 0 : 1));
    QCOMPARE(mainWindow.selected, onPress);

    for (std::size_t i = 1; i + 1 < c.path.size(); ++i)
        QTest::mouseMove(&control, c.path[i]);
    QTest::mouseRelease(&control, Qt::LeftButton, {}, c.path.back());
    QCoreApplication::sendPostedEvents();

    QCOMPARE(mainWindow.selected, c.posted);
    QCOMPARE(RecordRects(program, c.side), expectedRects);
    QCOMPARE(Hex(program.TakeFrames()), Hex(c.frames));
    QCOMPARE(program.stateChanged.IsSet(), c.changedCard != 0);
    QVERIFY(!control.Model().Captured());
}

void DiagramCtrlTest::paint_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < static_cast<int>(std::size(kPaintCases)); ++i)
        QTest::newRow(kPaintCases[i].name) << i;
}

void DiagramCtrlTest::paint() {
    QFETCH(int, row);
    const PaintCase& c = kPaintCases[row];
    TestProgram program;
    Arrange(program, c.side, c.arrangement);
    PreparePicture(program, c.side, c.file);
    Field field(program, c.side, nullptr);
    field.Build();
    field.Show(c.shown, c.pictureInPictureShown);
    if (c.selectedCard != 0)
        field.Control().SelectCard(c.selectedCard);
    field.Host().show();

    const QImage image = field.Control().grab().toImage();
    const QRect& cell = c.cell;

    // Outside the cell the diagram stays black.
    const QRect outside(cell.right() + 1, cell.bottom() + 1, image.width() - cell.right() - 1,
                        image.height() - cell.bottom() - 1);
    if (!outside.isEmpty()) {
        QCOMPARE(CountNear(image, outside, Qt::black, 0), outside.width() * outside.height());
    }

    // Two frames, one pixel each, just inside the cell.
    for (const QPoint p :
         {cell.topLeft(), cell.topLeft() + QPoint(1, 1), cell.bottomRight(),
          cell.bottomRight() - QPoint(1, 1), QPoint(cell.center().x(), cell.top())}) {
        QCOMPARE(image.pixelColor(p), c.border);
    }
    const QPoint middle = cell.center() + QPoint(0, cell.height() / 4);
    QVERIFY(image.pixelColor(cell.topLeft() + QPoint(2, cell.height() / 2)) != c.border);

    // The fill: the brush, or a picture that is neither a brush nor black.
    if (c.fill) {
        QCOMPARE(image.pixelColor(middle), *c.fill);
    } else {
        const QColor seen = image.pixelColor(middle);
        QVERIFY2(seen != kBlue && seen != kGrey && seen != QColor(Qt::black),
                 qPrintable(seen.name()));
    }

    // The label at the top-left corner, in the label colour.
    const QFontMetrics metrics(field.Control().font());
    const QRect labelArea(cell.left() + 2, cell.top() + 2, metrics.horizontalAdvance("OUTPUT0:PIP"),
                          metrics.height() - 2);
    QVERIFY2(CountNear(image, labelArea, c.label, 48) >= 10, "no label pixels");
    const QRect belowLabel(cell.left() + 2, cell.top() + metrics.height() + 2, labelArea.width(),
                           metrics.height());
    QCOMPARE(CountNear(image, belowLabel, c.label, 48), 0);
}

void DiagramCtrlTest::layoutFollowsTheHost_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < static_cast<int>(std::size(kLayoutCases)); ++i)
        QTest::newRow(kLayoutCases[i].name) << i;
}

void DiagramCtrlTest::layoutFollowsTheHost() {
    QFETCH(int, row);
    const LayoutCase& c = kLayoutCases[row];
    TestProgram program;
    {
        const auto lock = program.records.Lock();
        program.records.screen = c.screen;
    }
    // Built while hidden at one size, resized while still hidden, shown, then resized while
    // shown: the diagram follows every size the host really gets.
    SelectionRecorder mainWindow;
    Field field(program, c.side, &mainWindow);
    field.Host().resize(200, 150);
    field.Build();
    if (c.side == Side::kInput)
        static_cast<CInPutFieldDlg&>(field.Host()).SetResolutionCode(c.resolutionCode);
    field.Host().resize(301, 250);
    field.Host().show();
    QVERIFY(field.Control().geometry().width() > 0 && field.Control().geometry().width() <= 300);
    QCOMPARE(field.Control().Model().Client(), field.Control().ClientRect());
    field.Host().resize(c.hostSize);

    QCOMPARE(field.Control().geometry(), c.diagram);
    QCOMPARE(field.Control().Model().Client(),
             (kov::diagram::Rect{0, 0, c.diagram.width(), c.diagram.height()}));
    QCOMPARE(kov::diagram::ProgramMinimumCellSize().width, c.minimum.width);
    QCOMPARE(kov::diagram::ProgramMinimumCellSize().height, c.minimum.height);
    QCOMPARE(field.Control().Model().MinimumCellSize().width, c.minimum.width);
}

void DiagramCtrlTest::unknownResolutionKeepsTheLayout() {
    TestProgram program;
    CInPutFieldDlg host(program.Context(), nullptr);
    host.resize(kInputHostSize);
    host.Build();
    const QRect before = host.Picture().geometry();
    const kov::diagram::Extents extents = host.Picture().Model().CurrentExtents();

    host.SetResolutionCode(99);
    host.resize(500, 400);
    host.Refresh();
    QCOMPARE(host.ResolutionCode(), 99);
    QCOMPARE(host.Picture().geometry(), before);
    QVERIFY(host.Picture().Model().CurrentExtents() == extents);
}

void DiagramCtrlTest::wholeScreenZeroShowsAnEmptyBlackArea() {
    TestProgram program;
    {
        const auto lock = program.records.Lock();
        program.records.screen = kov::WholeScreen{0, 0};
    }
    COutPutFieldDLg host(program.Context(), nullptr);
    host.resize(kOutputHostSize);
    host.Initialise();
    for (const int id : kAllOutputs)
        host.Picture().SetCardHidden(id, false);
    host.show();
    host.Refresh();

    QVERIFY(!host.Layout().Usable());
    QCOMPARE(host.Picture().geometry(), QRect(0, 0, 960, 540));
    for (const kov::diagram::CCell& cell : host.Picture().Model().Cells())
        QVERIFY(cell.rect.Empty());
    const QImage image = host.Picture().grab().toImage();
    QCOMPARE(CountNear(image, image.rect(), Qt::black, 0), 960 * 540);
}

void DiagramCtrlTest::hiddenFlagsAndSelection_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("input") << static_cast<int>(Side::kInput) << 129 << 131;
    QTest::newRow("output") << static_cast<int>(Side::kOutput) << 1 << 3;
}

void DiagramCtrlTest::hiddenFlagsAndSelection() {
    QFETCH(int, side);
    QFETCH(int, first);
    QFETCH(int, second);
    TestProgram program;
    Field field(program, static_cast<Side>(side), nullptr);
    field.Build();
    DiagramCtrl& control = field.Control();

    QVERIFY(control.IsCardHidden(first));
    control.SetCardHidden(first, false);
    QVERIFY(!control.IsCardHidden(first));
    QVERIFY(control.IsCardHidden(second));
    QVERIFY2(control.IsCardHidden(77), "a card without a cell counts as hidden");

    control.SelectCard(first);
    control.SelectCard(second);
    QVERIFY(!control.Model().CellOfCard(first)->Selected());
    QVERIFY(control.Model().CellOfCard(second)->Selected());
    QCOMPARE(control.Model().SelectedCell(), control.Model().CellOfCard(second));

    field.Refresh();
    QVERIFY2(!control.IsCardHidden(first), "a refresh keeps the hidden flags");
    QVERIFY2(control.Model().CellOfCard(second)->Selected(), "a refresh keeps the selection");
    field.Build();
    QVERIFY2(control.IsCardHidden(first), "building anew hides every cell");
    QCOMPARE(control.Model().SelectedCell(), nullptr);
}

void DiagramCtrlTest::hostTakesFocusAfterRelease_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<QPoint>("point");
    QTest::newRow("input") << static_cast<int>(Side::kInput) << QPoint(150, 150);
    QTest::newRow("output") << static_cast<int>(Side::kOutput) << QPoint(100, 50);
}

void DiagramCtrlTest::hostTakesFocusAfterRelease() {
    QFETCH(int, side);
    QFETCH(QPoint, point);
    TestProgram program;
    Arrange(program, static_cast<Side>(side), Arrangement::kSpread);
    Field field(program, static_cast<Side>(side), nullptr);
    field.Build();
    field.Show(side == static_cast<int>(Side::kInput) ? kAllInputs : kAllOutputs, {});
    field.Host().show();
    field.Host().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&field.Host()));
    field.Host().clearFocus();

    QTest::mouseClick(&field.Control(), Qt::LeftButton, {}, point);
    QVERIFY(field.Host().hasFocus());
}

void DiagramCtrlTest::pressBesideTheDiagramUnselects() {
    TestProgram program;
    Arrange(program, Side::kOutput, Arrangement::kSpread);
    SelectionRecorder mainWindow;
    COutPutFieldDLg host(program.Context(), &mainWindow);
    host.resize(kOutputHostSize);
    host.Initialise();
    host.Picture().SetCardHidden(1, false);
    host.Picture().SelectCard(1);
    host.show();

    // Below the diagram, in the host's own margin.
    QTest::mouseClick(&host, Qt::LeftButton, {}, QPoint(100, 560));
    QCoreApplication::sendPostedEvents();
    QVERIFY(!host.Picture().Model().CellOfCard(1)->Selected());
    QVERIFY(mainWindow.selected.empty());
    QVERIFY(program.TakeFrames().empty());
}

QTEST_MAIN(DiagramCtrlTest)
#include "diagram_ctrl_test.moc"

#include "diagram/diagram_model.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "diagram/cell_binding.h"
#include "diagram/field_layout.h"
#include "store/card_table.h"

namespace kov::diagram {
namespace {

// Two device units per pixel in a 600 x 400 diagram of a 1200 x 800 frame.
const Scales kTwo{2.0, 2.0};
const Rect kClient{0, 0, 600, 400};
const Extents kExtents{1200, 800};
// A card at position 101 (cell (50, 25, 150, 75)).
constexpr DeviceRect kCard{101, 51, 200, 100};

// Record rectangles by card ID, standing in for a card table.
class Records {
public:
    void Set(int cardId, DeviceRect rect) { rects_[cardId] = rect; }
    RecordRectLookup Lookup() const {
        return [this](int cardId) -> std::optional<DeviceRect> {
            const auto it = rects_.find(cardId);
            if (it == rects_.end())
                return std::nullopt;
            return it->second;
        };
    }

private:
    std::map<int, DeviceRect> rects_;
};

// An output diagram with one shown cell per card, in list order.
struct OutputDiagram {
    explicit OutputDiagram(const std::vector<std::pair<int, DeviceRect>>& cards)
        : model(DiagramKind::kOutput, minimum) {
        std::vector<int> ids;
        for (const auto& [id, rect] : cards) {
            records.Set(id, rect);
            ids.push_back(id);
        }
        model.CreateCells(ids, records.Lookup(), kTwo, kExtents, kClient);
        for (const int id : ids)
            model.SetCardHidden(id, false);
    }

    CellSize minimum = kInitialMinimumCellSize;
    Records records;
    DiagramModel model;
};

// ---------------------------------------------------------------------------------------
// Building

TEST(DiagramModel, CreateBuildsHiddenCellsInListOrder) {
    Records records;
    records.Set(3, kCard);
    records.Set(1, {0, 0, 1200, 800});
    CellSize minimum = kInitialMinimumCellSize;
    DiagramModel model(DiagramKind::kOutput, minimum);
    const std::vector<int> ids{3, 1, 7};
    model.CreateCells(ids, records.Lookup(), kTwo, kExtents, kClient);

    ASSERT_EQ(model.Cells().size(), 3u);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(model.Cells()[i].cardId, ids[i]);
        EXPECT_TRUE(model.Cells()[i].Hidden());
        EXPECT_FALSE(model.Cells()[i].IsPictureInPicture());
        EXPECT_EQ(model.CellOfCard(ids[i]), &model.Cells()[i]);
    }
    EXPECT_EQ(model.Cells()[0].rect, (Rect{50, 25, 150, 75}));
    EXPECT_EQ(model.Cells()[0].remainders, (Remainders{1, 0, 1, 0}));
    EXPECT_EQ(model.Cells()[1].rect, (Rect{0, 0, 600, 400}));
    EXPECT_TRUE(model.Cells()[2].rect.Empty()) << "a card without a record has no place";
    EXPECT_EQ(model.PictureInPictureCellOfCard(3), nullptr);
    EXPECT_EQ(model.SelectedCell(), nullptr);
    EXPECT_EQ(model.LastPoint(), (Point{-1, -1}));
    EXPECT_EQ(model.DragStart(), (Point{-1, -1}));
    EXPECT_EQ(model.DragCurrent(), (Point{-1, -1}));
    EXPECT_TRUE(model.PaintOrder().empty());
}

TEST(DiagramModel, InputDiagramAddsPictureInPictureCellsOverTheWholeFrame) {
    Records records;
    records.Set(129, {0, 0, 512, 384});
    records.Set(130, {512, 384, 512, 384});
    CellSize minimum = kInitialMinimumCellSize;
    DiagramModel model(DiagramKind::kInput, minimum);
    const std::vector<int> ids{129, 130};
    model.CreateCells(ids, records.Lookup(), {1024.0 / 350.0, 768.0 / 250.0}, {1024, 768},
                      {0, 0, 350, 250});

    ASSERT_EQ(model.Cells().size(), 4u);
    for (std::size_t i = 0; i < 2; ++i) {
        const CCell* pip = model.PictureInPictureCellOfCard(ids[i]);
        ASSERT_EQ(pip, &model.Cells()[2 + i]);
        EXPECT_TRUE(pip->IsPictureInPicture());
        EXPECT_TRUE(pip->Hidden());
        EXPECT_EQ(pip->cardId, ids[i]);
        EXPECT_EQ(pip->rect, (Rect{0, 0, 350, 250}));
    }
    EXPECT_EQ(model.CellOfCard(129), &model.Cells()[0]);
}

TEST(DiagramModel, ShowAndHideUseTheRightMap) {
    Records records;
    records.Set(129, kCard);
    CellSize minimum = kInitialMinimumCellSize;
    DiagramModel model(DiagramKind::kInput, minimum);
    model.CreateCells(std::vector<int>{129}, records.Lookup(), kTwo, kExtents, kClient);

    EXPECT_TRUE(model.SetCardHidden(129, false));
    EXPECT_FALSE(model.CellOfCard(129)->Hidden());
    EXPECT_TRUE(model.PictureInPictureCellOfCard(129)->Hidden());
    EXPECT_EQ(model.PaintOrder(), (std::vector<std::size_t>{0}));
    EXPECT_TRUE(model.SetPictureInPictureHidden(129, false));
    EXPECT_EQ(model.PaintOrder(), (std::vector<std::size_t>{0, 1}));
    EXPECT_FALSE(model.SetCardHidden(5, false));
    EXPECT_FALSE(model.SetPictureInPictureHidden(5, false));
}

TEST(DiagramModel, ClearForgetsEverything) {
    OutputDiagram d({{1, kCard}});
    d.model.Press({100, 50});
    d.model.Clear();
    EXPECT_TRUE(d.model.Cells().empty());
    EXPECT_EQ(d.model.CellOfCard(1), nullptr);
    EXPECT_EQ(d.model.SelectedCell(), nullptr);
    EXPECT_FALSE(d.model.Captured());
    EXPECT_EQ(d.model.Mode(), DragMode::kNone);
    EXPECT_FALSE(d.model.SetCardHidden(1, true));
}

TEST(DiagramModel, ClearHighlightsUnselectsEveryCell) {
    OutputDiagram d({{1, kCard}});
    d.model.Press({100, 50});
    d.model.Release({100, 50}, d.records.Lookup());
    d.model.ClearHighlights();
    EXPECT_FALSE(d.model.CellOfCard(1)->Selected());
    EXPECT_EQ(d.model.SelectedCell(), nullptr);
    EXPECT_FALSE(d.model.Press({300, 300}).selectionCleared) << "nothing left to clear";
}

TEST(DiagramModel, SelectCardSelectsOnlyThatCard) {
    OutputDiagram d({{1, kCard}, {2, {800, 400, 200, 100}}});
    d.model.Press({100, 50});
    d.model.Release({100, 50}, d.records.Lookup());

    EXPECT_TRUE(d.model.SelectCard(2));
    EXPECT_FALSE(d.model.CellOfCard(1)->Selected());
    EXPECT_TRUE(d.model.CellOfCard(2)->Selected());
    EXPECT_EQ(d.model.SelectedCell(), d.model.CellOfCard(2));

    EXPECT_FALSE(d.model.SelectCard(7)) << "no cell for that card";
    EXPECT_FALSE(d.model.CellOfCard(2)->Selected());
    EXPECT_EQ(d.model.SelectedCell(), nullptr);
}

TEST(DiagramModel, SelectCardEndsADragWithoutApplyingIt) {
    OutputDiagram d({{1, kCard}, {2, {800, 400, 200, 100}}});
    d.model.Press({100, 50});
    d.model.MouseMove({110, 50});
    EXPECT_TRUE(d.model.SelectCard(2));
    EXPECT_FALSE(d.model.Captured());
    EXPECT_EQ(d.model.Mode(), DragMode::kNone);

    const Rect second = d.model.CellOfCard(2)->rect;
    EXPECT_FALSE(d.model.MouseMove({130, 60}).dragging);
    const ReleaseResult release = d.model.Release({130, 60}, d.records.Lookup());
    EXPECT_FALSE(release.change.has_value());
    EXPECT_EQ(d.model.CellOfCard(2)->rect, second);
    EXPECT_TRUE(d.model.CellOfCard(2)->Selected());
}

TEST(DiagramModel, RescaleRemapsAndKeepsFlags) {
    OutputDiagram d({{1, kCard}, {2, {600, 400, 600, 400}}});
    d.model.SetCardHidden(2, true);
    d.model.Press({100, 50});
    d.model.Release({100, 50}, d.records.Lookup());

    d.model.Rescale(d.records.Lookup(), {4.0, 4.0}, kExtents, {0, 0, 300, 200});
    EXPECT_EQ(d.model.CellOfCard(1)->rect, (Rect{25, 12, 75, 37}));
    EXPECT_TRUE(d.model.CellOfCard(1)->Selected());
    EXPECT_TRUE(d.model.CellOfCard(2)->Hidden());
    EXPECT_EQ(d.model.CellOfCard(2)->rect, (Rect{150, 100, 300, 200}));
    EXPECT_EQ(d.model.Client(), (Rect{0, 0, 300, 200}));
    EXPECT_EQ(d.model.CurrentScales(), (Scales{4.0, 4.0}));
}

TEST(DiagramModel, RescaleKeepsPictureInPictureCellsInPlaceRelativeToTheDiagram) {
    Records records;
    records.Set(129, kCard);
    CellSize minimum = kInitialMinimumCellSize;
    DiagramModel model(DiagramKind::kInput, minimum);
    model.CreateCells(std::vector<int>{129}, records.Lookup(), kTwo, kExtents, kClient);
    EXPECT_EQ(model.PictureInPictureCellOfCard(129)->rect, kClient);

    model.Rescale(records.Lookup(), kTwo, kExtents, kClient);
    EXPECT_EQ(model.PictureInPictureCellOfCard(129)->rect, kClient) << "same size: untouched";
    model.Rescale(records.Lookup(), {4.0, 4.0}, kExtents, {0, 0, 300, 200});
    EXPECT_EQ(model.PictureInPictureCellOfCard(129)->rect, (Rect{0, 0, 300, 200}));
}

// ---------------------------------------------------------------------------------------
// Pressing

TEST(DiagramModel, PressWithoutMovementOnlySelects) {
    OutputDiagram d({{1, kCard}});
    const CCell before = *d.model.CellOfCard(1);

    const PressResult press = d.model.Press({100, 50});
    EXPECT_TRUE(press.cellPressed);
    EXPECT_EQ(press.postKey, 1);
    EXPECT_EQ(press.mode, DragMode::kMove);
    EXPECT_EQ(press.zone, HandleZone::kInside);
    EXPECT_EQ(press.repaint, (std::vector<Rect>{{46, 20, 155, 79}}));
    EXPECT_TRUE(d.model.Captured());

    const ReleaseResult release = d.model.Release({100, 50}, d.records.Lookup());
    EXPECT_FALSE(release.dragEnded);
    EXPECT_FALSE(release.change.has_value());
    EXPECT_FALSE(d.model.Captured());
    EXPECT_EQ(d.model.Mode(), DragMode::kNone);
    EXPECT_EQ(d.model.CellOfCard(1)->rect, before.rect);
    EXPECT_TRUE(d.model.CellOfCard(1)->Selected());
}

TEST(DiagramModel, PressMovesSelectionAndOutsideClearsIt) {
    OutputDiagram d({{1, kCard}, {2, {800, 400, 200, 100}}});
    d.model.Press({100, 50});
    d.model.Release({100, 50}, d.records.Lookup());

    const PressResult second = d.model.Press({450, 225});
    EXPECT_EQ(second.postKey, 2);
    EXPECT_EQ(second.repaint, (std::vector<Rect>{{50, 25, 150, 75}, {396, 195, 505, 254}}));
    EXPECT_FALSE(d.model.CellOfCard(1)->Selected());
    EXPECT_TRUE(d.model.CellOfCard(2)->Selected());
    d.model.Release({450, 225}, d.records.Lookup());

    const PressResult outside = d.model.Press({300, 300});
    EXPECT_FALSE(outside.cellPressed);
    EXPECT_TRUE(outside.selectionCleared);
    EXPECT_EQ(outside.repaint, (std::vector<Rect>{{400, 200, 500, 250}}));
    EXPECT_EQ(d.model.SelectedCell(), nullptr);
    EXPECT_FALSE(d.model.Captured());

    const PressResult again = d.model.Press({300, 300});
    EXPECT_FALSE(again.selectionCleared);
    EXPECT_TRUE(again.repaint.empty());
}

TEST(DiagramModel, OverlappingCellsTheLaterInTheListIsHit) {
    OutputDiagram d({{2, kCard}, {1, kCard}});
    EXPECT_EQ(d.model.Press({100, 50}).postKey, 1);
}

TEST(DiagramModel, HiddenCellsAreNeverHit) {
    OutputDiagram d({{1, kCard}, {2, kCard}});
    d.model.SetCardHidden(2, true);
    EXPECT_EQ(d.model.Press({100, 50}).postKey, 1);
    d.model.Release({100, 50}, d.records.Lookup());
    d.model.SetCardHidden(1, true);
    EXPECT_FALSE(d.model.Press({100, 50}).cellPressed);
}

TEST(DiagramModel, HoverShowsTheZoneCursor) {
    OutputDiagram d({{1, kCard}});
    EXPECT_EQ(d.model.MouseMove({100, 50}).cursor, CursorShape::kHand);
    EXPECT_EQ(d.model.MouseMove({50, 50}).cursor, CursorShape::kSizeWestEast);
    EXPECT_EQ(d.model.MouseMove({150, 75}).cursor, CursorShape::kArrow) << "outside the cell";
    EXPECT_FALSE(d.model.MouseMove({100, 50}).dragging);
}

// ---------------------------------------------------------------------------------------
// Dragging

struct DragCase {
    std::string name;
    DeviceRect record;
    Point press;
    std::vector<Point> moves;
    Point release;
    std::optional<DeviceRect> change;
    Rect cellAfter;
};

class DiagramDragTest : public testing::TestWithParam<DragCase> {};

TEST_P(DiagramDragTest, ReleaseGivesTheRecordChange) {
    const DragCase& c = GetParam();
    OutputDiagram d({{1, c.record}});
    ASSERT_TRUE(d.model.Press(c.press).cellPressed);
    for (const Point p : c.moves) {
        EXPECT_TRUE(d.model.MouseMove(p).dragging);
    }
    const ReleaseResult result = d.model.Release(c.release, d.records.Lookup());
    if (c.change) {
        ASSERT_TRUE(result.change.has_value());
        EXPECT_EQ(*result.change, (RecordChange{1, *c.change}));
        EXPECT_TRUE(result.dragEnded);
    } else {
        EXPECT_FALSE(result.change.has_value());
    }
    EXPECT_EQ(d.model.CellOfCard(1)->rect, c.cellAfter);
    EXPECT_TRUE(d.model.CellOfCard(1)->Selected()) << "the selection survives a drag";
    EXPECT_FALSE(d.model.Captured());
}

INSTANTIATE_TEST_SUITE_P(
    DiagramCases, DiagramDragTest,
    testing::Values(DragCase{"MoveTenPixelsRight",
                             kCard,
                             {100, 50},
                             {{110, 50}},
                             {110, 50},
                             DeviceRect{121, 51, 200, 100},
                             {60, 25, 160, 75}},
                    // The pointer is kept where the cell stays inside: (40, 50) becomes (50, 50).
                    DragCase{"MoveToPixelZero",
                             kCard,
                             {100, 50},
                             {{40, 50}},
                             {40, 50},
                             DeviceRect{0, 51, 200, 100},
                             {0, 25, 100, 75}},
                    DragCase{"MoveToPixelOne",
                             kCard,
                             {100, 50},
                             {{51, 50}},
                             {51, 50},
                             DeviceRect{1, 51, 200, 100},
                             {1, 25, 101, 75}},
                    DragCase{"MovePastRightBorderStopsFlush",
                             kCard,
                             {100, 50},
                             {{700, 50}},
                             {700, 50},
                             DeviceRect{1000, 51, 200, 100},
                             {500, 25, 600, 75}},
                    DragCase{"MoveInSteps",
                             kCard,
                             {100, 50},
                             {{105, 55}, {110, 60}},
                             {110, 60},
                             DeviceRect{121, 71, 200, 100},
                             {60, 35, 160, 85}},
                    DragCase{"ThereAndBackChangesNothing",
                             kCard,
                             {100, 50},
                             {{120, 50}, {100, 50}},
                             {100, 50},
                             std::nullopt,
                             {50, 25, 150, 75}},
                    // Letting go elsewhere counts as a last move there.
                    DragCase{"ReleaseAwayFromLastMove",
                             kCard,
                             {100, 50},
                             {},
                             {110, 50},
                             DeviceRect{121, 51, 200, 100},
                             {60, 25, 160, 75}},
                    DragCase{"ResizeRightToBorderGivesWd",
                             kCard,
                             {149, 50},
                             {{800, 50}},
                             {800, 50},
                             DeviceRect{101, 51, 1099, 100},
                             {50, 25, 600, 75}},
                    DragCase{"ResizeBottomToBorderGivesHd",
                             kCard,
                             {100, 74},
                             {{100, 1000}},
                             {100, 1000},
                             DeviceRect{101, 51, 200, 749},
                             {50, 25, 150, 400}},
                    DragCase{"ResizeCornerToBothBorders",
                             kCard,
                             {149, 74},
                             {{900, 900}},
                             {900, 900},
                             DeviceRect{101, 51, 1099, 749},
                             {50, 25, 600, 400}},
                    DragCase{"ShrinkRightStopsAtMinimum",
                             kCard,
                             {149, 50},
                             {{20, 50}},
                             {20, 50},
                             DeviceRect{101, 51, 16, 100},
                             {50, 25, 58, 75}},
                    DragCase{"ShrinkLeftStopsAtMinimum",
                             kCard,
                             {50, 50},
                             {{400, 50}},
                             {400, 50},
                             DeviceRect{285, 51, 16, 100},
                             {142, 25, 150, 75}},
                    DragCase{"ResizeTopLeftCorner",
                             kCard,
                             {50, 25},
                             {{40, 20}},
                             {40, 20},
                             DeviceRect{81, 41, 220, 110},
                             {40, 20, 150, 75}},
                    DragCase{"ResizeRightOfCardAtOne",
                             DeviceRect{1, 0, 200, 100},
                             {99, 25},
                             {{105, 25}},
                             {105, 25},
                             DeviceRect{1, 0, 210, 100},
                             {0, 0, 105, 50}}),
    [](const testing::TestParamInfo<DragCase>& info) { return info.param.name; });

TEST(DiagramModel, DragOfPictureInPictureCellChangesNoRecord) {
    Records records;
    records.Set(129, kCard);
    CellSize minimum = kInitialMinimumCellSize;
    DiagramModel model(DiagramKind::kInput, minimum);
    model.CreateCells(std::vector<int>{129}, records.Lookup(), kTwo, kExtents, kClient);
    model.SetPictureInPictureHidden(129, false);
    int lookups = 0;
    const RecordRectLookup counting = [&](int id) {
        ++lookups;
        return records.Lookup()(id);
    };

    const PressResult press = model.Press({599, 200});
    EXPECT_TRUE(press.cellPressed);
    EXPECT_TRUE(press.pictureInPicture);
    EXPECT_EQ(press.postKey, 0) << "picture-in-picture cells are not in the key map";
    EXPECT_EQ(press.zone, HandleZone::kRight);
    model.MouseMove({300, 200});
    const ReleaseResult resized = model.Release({300, 200}, counting);
    EXPECT_TRUE(resized.dragEnded);
    EXPECT_FALSE(resized.change.has_value());
    EXPECT_EQ(model.PictureInPictureCellOfCard(129)->rect, (Rect{0, 0, 300, 400}));

    model.Press({150, 200});
    model.MouseMove({200, 200});
    const ReleaseResult moved = model.Release({200, 200}, counting);
    EXPECT_TRUE(moved.dragEnded);
    EXPECT_FALSE(moved.change.has_value());
    EXPECT_EQ(model.PictureInPictureCellOfCard(129)->rect, (Rect{50, 0, 350, 400}));
    EXPECT_EQ(lookups, 0);
    EXPECT_EQ(model.CellOfCard(129)->rect, (Rect{50, 25, 150, 75}));
}

TEST(DiagramModel, DragOfCardWithoutRecordChangesNothing) {
    OutputDiagram d({{1, kCard}});
    d.model.Press({100, 50});
    d.model.MouseMove({110, 50});
    const ReleaseResult result = d.model.Release({110, 50}, Records().Lookup());
    EXPECT_TRUE(result.dragEnded);
    EXPECT_FALSE(result.change.has_value());
}

// ---------------------------------------------------------------------------------------
// The shared minimum cell size

TEST(DiagramModel, BothDiagramsUseTheMinimumWrittenLast) {
    CellSize shared = kInitialMinimumCellSize;
    DiagramModel input(DiagramKind::kInput, shared);
    DiagramModel output(DiagramKind::kOutput, shared);
    EXPECT_EQ(input.MinimumCellSize(), (CellSize{8, 8}));

    PublishMinimumCellSize(*ComputeInputFieldLayout({0, 0, 351, 300}, 1), shared);
    EXPECT_EQ(output.MinimumCellSize(), (CellSize{21, 16}));
    PublishMinimumCellSize(ComputeOutputFieldLayout({0, 0, 601, 400}, {3840, 1080}), shared);
    EXPECT_EQ(input.MinimumCellSize(), (CellSize{10, 7}));
    EXPECT_EQ(output.MinimumCellSize(), (CellSize{10, 7}));
    PublishMinimumCellSize(ComputeOutputFieldLayout({0, 0, 601, 400}, {0, 0}), shared);
    EXPECT_EQ(input.MinimumCellSize(), (CellSize{10, 7})) << "an unusable layout writes nothing";

    Records records;
    records.Set(129, kCard);
    input.CreateCells(std::vector<int>{129}, records.Lookup(), kTwo, kExtents, kClient);
    input.SetCardHidden(129, false);
    input.Press({149, 50});
    input.MouseMove({0, 50});
    EXPECT_EQ(input.CellOfCard(129)->rect, (Rect{50, 25, 60, 75}));
}

TEST(DiagramModel, ProgramPairIsSharedByDefault) {
    CellSize& program = ProgramMinimumCellSize();
    const CellSize saved = program;
    DiagramModel input(DiagramKind::kInput);
    DiagramModel output(DiagramKind::kOutput);
    program = CellSize{12, 9};
    EXPECT_EQ(input.MinimumCellSize(), (CellSize{12, 9}));
    EXPECT_EQ(output.MinimumCellSize(), (CellSize{12, 9}));
    program = saved;
}

// ---------------------------------------------------------------------------------------
// Whole screen of size 0

TEST(DiagramModel, WholeScreenZeroGivesCellsWithoutArea) {
    CardTable<OutputCardRecord> table;
    OutputCardRecord defaults;
    defaults.spliceHWidth = 1920;
    defaults.spliceVHeight = 1080;
    table.Build({{1, 1}, {2, 2}}, defaults);
    CellSize minimum = kInitialMinimumCellSize;
    DiagramModel model(DiagramKind::kOutput, minimum);

    const FieldLayout empty = ComputeOutputFieldLayout({0, 0, 601, 400}, {0, 0});
    ASSERT_FALSE(empty.Usable());
    const Rect client{0, 0, empty.diagram.Width(), empty.diagram.Height()};
    CreateOutputCells(model, table, empty.scales, {0, 0}, client);
    ASSERT_NE(model.CellOfCard(1), nullptr);
    EXPECT_TRUE(model.SetCardHidden(1, false));
    EXPECT_TRUE(model.CellOfCard(1)->rect.Empty());

    for (const Point p : {Point{0, 0}, Point{10, 0}, Point{300, 200}}) {
        EXPECT_FALSE(model.Press(p).cellPressed);
        model.MouseMove({p.x + 5, p.y});
        EXPECT_FALSE(model.Release({p.x + 5, p.y}, OutputRectLookup(table)).change);
    }

    const FieldLayout wide = ComputeOutputFieldLayout({0, 0, 601, 400}, {3840, 1080});
    RescaleOutputCells(model, table, wide.scales, {3840, 1080},
                       {0, 0, wide.diagram.Width(), wide.diagram.Height()});
    EXPECT_EQ(model.CellOfCard(1)->rect, (Rect{0, 0, 300, 168}));
    EXPECT_FALSE(model.CellOfCard(1)->Hidden());
    EXPECT_TRUE(model.Press({10, 10}).cellPressed);
}

// ---------------------------------------------------------------------------------------
// Bindings

TEST(DiagramBinding, InputBindingIsTheCaptureWindow) {
    CardTable<InputCardRecord> table;
    InputCardRecord defaults;
    defaults.inputHLocation = 10;
    defaults.inputVLocation = 20;
    defaults.inputHWidth = 300;
    defaults.inputVHeight = 200;
    table.Build({{3, 129}, {5, 131}}, defaults);
    EXPECT_EQ(CardIds(table), (std::vector<int>{129, 131}));
    EXPECT_EQ(InputCaptureWindow(table.At(0)), (DeviceRect{10, 20, 300, 200}));

    InputCardRecord* changed = ApplyInputChange(table, {131, {1, 2, 3, 4}});
    ASSERT_EQ(changed, &table.At(1));
    EXPECT_EQ(changed->inputHLocation, 1);
    EXPECT_EQ(changed->inputVLocation, 2);
    EXPECT_EQ(changed->inputHWidth, 3);
    EXPECT_EQ(changed->inputVHeight, 4);
    EXPECT_EQ(ApplyInputChange(table, {200, {1, 2, 3, 4}}), nullptr);
    EXPECT_EQ(InputCaptureWindow(table.At(0)), (DeviceRect{10, 20, 300, 200}));
}

TEST(DiagramBinding, OutputBindingIsTheSpliceRectangle) {
    CardTable<OutputCardRecord> table;
    OutputCardRecord defaults;
    defaults.spliceHLocation = 0;
    defaults.spliceVLocation = 540;
    defaults.spliceHWidth = 1920;
    defaults.spliceVHeight = 540;
    defaults.outputHLocation = 77;
    table.Build({{1, 1}, {2, 2}}, defaults);
    EXPECT_EQ(OutputSplice(table.At(1)), (DeviceRect{0, 540, 1920, 540}));
    EXPECT_EQ(OutputRectLookup(table)(2), (DeviceRect{0, 540, 1920, 540}));
    EXPECT_EQ(OutputRectLookup(table)(9), std::nullopt);

    OutputCardRecord* changed = ApplyOutputChange(table, {2, {1920, 0, 1920, 1080}});
    ASSERT_EQ(changed, &table.At(1));
    EXPECT_EQ(OutputSplice(*changed), (DeviceRect{1920, 0, 1920, 1080}));
    EXPECT_EQ(changed->outputHLocation, 77) << "only the splice fields change";
    EXPECT_EQ(OutputSplice(table.At(0)), (DeviceRect{0, 540, 1920, 540}));
    EXPECT_EQ(ApplyOutputChange(table, {0, {1, 2, 3, 4}}), nullptr);
}

TEST(DiagramBinding, InputCellsUseResolutionOneThenTheGivenCode) {
    CardTable<InputCardRecord> table;
    InputCardRecord defaults;
    defaults.inputHWidth = 1024;
    defaults.inputVHeight = 768;
    table.Build({{1, 129}}, defaults);
    CellSize minimum = kInitialMinimumCellSize;
    DiagramModel model(DiagramKind::kInput, minimum);
    const Scales scales{1024.0 / 350.0, 768.0 / 250.0};

    ASSERT_TRUE(CreateInputCells(model, table, scales, {0, 0, 350, 250}));
    EXPECT_EQ(model.CurrentExtents(), (Extents{1024, 768}));
    EXPECT_EQ(model.CellOfCard(129)->rect, (Rect{0, 0, 350, 250}));
    EXPECT_EQ(model.Cells().size(), 2u);

    EXPECT_FALSE(RescaleInputCells(model, table, 99, {1.0, 1.0}, {0, 0, 10, 10}));
    EXPECT_EQ(model.CurrentExtents(), (Extents{1024, 768}));
    EXPECT_EQ(model.CurrentScales(), scales);

    ASSERT_TRUE(
        RescaleInputCells(model, table, 12, {1920.0 / 350.0, 1080.0 / 250.0}, {0, 0, 350, 250}));
    EXPECT_EQ(model.CurrentExtents(), (Extents{1920, 1080}));
    EXPECT_EQ(model.CellOfCard(129)->rect, (Rect{0, 0, 186, 177}));
}

}  // namespace
}  // namespace kov::diagram

#include "diagram/cell_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "diagram/cell.h"
#include "diagram/field_layout.h"

namespace kov::diagram {
namespace {

// Scales of the input diagram of a 1024 x 768 frame in a 350 x 250 diagram.
const Scales kInputScales{1024.0 / 350.0, 768.0 / 250.0};
const Rect kInputClient{0, 0, 350, 250};
// Two device units per pixel in a 600 x 400 diagram of a 1200 x 800 frame.
const Scales kTwo{2.0, 2.0};
const Rect kWideClient{0, 0, 600, 400};
const Extents kWideExtents{1200, 800};

// ---------------------------------------------------------------------------------------
// Host layout

struct LayoutCase {
    std::string name;
    Rect hostClient;
    int width;
    int height;
    Rect diagram;
    Scales scales;
    std::optional<CellSize> minimum;
};

class CellLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(CellLayoutTest, ComputesDiagramScalesAndMinimum) {
    const LayoutCase& c = GetParam();
    const FieldLayout layout = ComputeFieldLayout(c.hostClient, c.width, c.height);
    EXPECT_EQ(layout.diagram, c.diagram);
    EXPECT_DOUBLE_EQ(layout.scales.hs, c.scales.hs);
    EXPECT_DOUBLE_EQ(layout.scales.vs, c.scales.vs);
    EXPECT_EQ(layout.minimumCell, c.minimum);
    EXPECT_EQ(layout.Usable(), c.minimum.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    CellCases, CellLayoutTest,
    testing::Values(
        // Odd width loses a pixel; the height limits (768 / 250 > 1024 / 350), and the
        // width follows the frame's aspect: trunc(1024 * 250 / 768) = 333.
        LayoutCase{"InputFrameHeightLimited",
                   {0, 0, 351, 300},
                   1024,
                   768,
                   {0, 0, 333, 250},
                   {1024.0 / 333.0, 768.0 / 250.0},
                   CellSize{21, 16}},
        // The width limits: height trunc(1080 / 6.4) = 168.
        LayoutCase{"WideScreenWidthLimited",
                   {0, 0, 601, 400},
                   3840,
                   1080,
                   {0, 0, 600, 168},
                   {6.4, 1080.0 / 168.0},
                   CellSize{10, 7}},
        // trunc(1920 * 350 / 2160) = 311 pixels wide.
        LayoutCase{"TallScreenHeightLimited",
                   {0, 0, 601, 400},
                   1920,
                   2160,
                   {0, 0, 311, 350},
                   {1920.0 / 311.0, 2160.0 / 350.0},
                   CellSize{10, 8}},
        LayoutCase{"KeepsHostOrigin",
                   {10, 20, 361, 320},
                   1024,
                   768,
                   {10, 20, 343, 270},
                   {1024.0 / 333.0, 768.0 / 250.0},
                   CellSize{21, 16}},
        // 768 * 400 / 1024 is exactly 300: never one pixel short.
        LayoutCase{"ExactFitIsExact",
                   {0, 0, 400, 400},
                   1024,
                   768,
                   {0, 0, 400, 300},
                   {2.56, 2.56},
                   CellSize{25, 19}},
        // Width and height limits agree exactly.
        LayoutCase{"BothLimitsAgree",
                   {0, 0, 400, 350},
                   1024,
                   768,
                   {0, 0, 400, 300},
                   {2.56, 2.56},
                   CellSize{25, 19}},
        // No height left below the margin: the width alone decides.
        LayoutCase{"HostNoTallerThanMargin",
                   {0, 0, 400, 50},
                   1024,
                   768,
                   {0, 0, 400, 300},
                   {2.56, 2.56},
                   CellSize{25, 19}},
        // 64 * 100 / 9999 rounds to 1, 48 * 1 / 100 rounds to 0 and is raised to 1.
        LayoutCase{"MinimumAtLeastOnePixel",
                   {0, 0, 100, 400},
                   9999,
                   100,
                   {0, 0, 100, 1},
                   {99.99, 100.0},
                   CellSize{1, 1}},
        LayoutCase{
            "WholeScreenZero", {0, 0, 601, 400}, 0, 0, {0, 0, 600, 0}, {0.0, 0.0}, std::nullopt},
        LayoutCase{"WholeScreenHeightZero",
                   {0, 0, 601, 400},
                   3840,
                   0,
                   {0, 0, 600, 0},
                   {0.0, 0.0},
                   std::nullopt},
        LayoutCase{"WholeScreenWidthZero",
                   {0, 0, 601, 400},
                   0,
                   1080,
                   {0, 0, 600, 0},
                   {0.0, 0.0},
                   std::nullopt},
        LayoutCase{
            "HostWidthOne", {0, 0, 1, 400}, 1024, 768, {0, 0, 0, 0}, {0.0, 0.0}, std::nullopt},
        LayoutCase{"LessThanOneRow",
                   {0, 0, 100, 400},
                   9999,
                   10,
                   {0, 0, 100, 0},
                   {0.0, 0.0},
                   std::nullopt}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(CellLayout, InputLayoutUsesTheResolutionEntry) {
    const std::optional<FieldLayout> layout = ComputeInputFieldLayout({0, 0, 351, 300}, 1);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(*layout, ComputeFieldLayout({0, 0, 351, 300}, 1024, 768));
}

TEST(CellLayout, InputLayoutOfUnknownCodeIsNothing) {
    for (const int code : {0, 22, 99}) {
        EXPECT_FALSE(ComputeInputFieldLayout({0, 0, 351, 300}, code).has_value()) << code;
    }
}

TEST(CellLayout, OutputLayoutUsesTheWholeScreen) {
    EXPECT_EQ(ComputeOutputFieldLayout({0, 0, 601, 400}, WholeScreen{3840, 1080}),
              ComputeFieldLayout({0, 0, 601, 400}, 3840, 1080));
}

TEST(CellLayout, OnlyUsableLayoutsPublishTheMinimum) {
    CellSize shared = kInitialMinimumCellSize;
    EXPECT_TRUE(PublishMinimumCellSize(ComputeFieldLayout({0, 0, 601, 400}, 3840, 1080), shared));
    EXPECT_EQ(shared, (CellSize{10, 7}));
    EXPECT_FALSE(PublishMinimumCellSize(ComputeFieldLayout({0, 0, 601, 400}, 0, 0), shared));
    EXPECT_EQ(shared, (CellSize{10, 7}));
}

// ---------------------------------------------------------------------------------------
// Device to pixels

struct MapCase {
    std::string name;
    DeviceRect device;
    Scales scales;
    Rect client;
    Remainders before;
    Rect expected;
    Remainders after;
};

class CellMapTest : public testing::TestWithParam<MapCase> {};

TEST_P(CellMapTest, MapsRectangleAndRemainders) {
    const MapCase& c = GetParam();
    Remainders remainders = c.before;
    EXPECT_EQ(MapToPixels(c.device, c.scales, c.client, remainders), c.expected);
    EXPECT_EQ(remainders, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    CellCases, CellMapTest,
    testing::Values(
        // Position 101 at hs = 2: pixel 50, remainder 1.
        MapCase{"PositionRemainder",
                {101, 51, 200, 100},
                kTwo,
                kWideClient,
                {},
                {50, 25, 150, 75},
                {1, 0, 1, 0}},
        // Positions 0 and 1 are drawn at pixel 0; their remainders stay as they were.
        MapCase{"PositionOneAtPixelZero",
                {1, 0, 100, 100},
                kTwo,
                kWideClient,
                {7, 3, 9, 4},
                {0, 0, 50, 50},
                {7, 0, 9, 0}},
        MapCase{"OddWidthRemainder",
                {100, 0, 51, 11},
                {3.0, 3.0},
                kWideClient,
                {},
                {33, 0, 50, 3},
                {1, 0, 0, 2}},
        MapCase{"WholeFrameFillsClient",
                {0, 0, 1024, 768},
                kInputScales,
                kInputClient,
                {},
                {0, 0, 350, 250},
                {0, 0, 0, 0}},
        MapCase{"FarEdgeOnePixelShortSnaps",
                {0, 0, 1198, 798},
                kTwo,
                kWideClient,
                {},
                {0, 0, 600, 400},
                {0, 0, 0, 0}},
        MapCase{"FarEdgeTwoPixelsShortStays",
                {0, 0, 1196, 796},
                kTwo,
                kWideClient,
                {},
                {0, 0, 598, 398},
                {0, 0, 0, 0}},
        MapCase{"FarEdgeBeyondClientSnaps",
                {100, 0, 2000, 1000},
                kTwo,
                kWideClient,
                {},
                {50, 0, 600, 400},
                {0, 0, 0, 0}},
        MapCase{"NegativeSizeIsNormalised",
                {200, 0, -100, 50},
                kTwo,
                kWideClient,
                {},
                {50, 0, 100, 25},
                {0, 0, 0, 0}},
        MapCase{"NoScalesGiveNoArea",
                {101, 51, 200, 100},
                {0.0, 0.0},
                kWideClient,
                {5, 6, 7, 8},
                {0, 0, 0, 0},
                {5, 6, 7, 8}}),
    [](const testing::TestParamInfo<MapCase>& info) { return info.param.name; });

TEST(CellMap, HugeRecordValuesSaturateInsteadOfOverflowing) {
    Remainders remainders;
    const Rect r =
        MapToPixels({INT_MAX, INT_MIN, INT_MAX, INT_MAX}, {0.001, 0.001}, kWideClient, remainders);
    EXPECT_EQ(r, r.Normalized());
    EXPECT_EQ(r.left, 600);
    EXPECT_EQ(r.right, INT_MAX);
}

// ---------------------------------------------------------------------------------------
// Remainders from the record

struct RemainderCase {
    std::string name;
    DeviceRect device;
    Scales scales;
    Remainders expected;
};

class CellRemainderTest : public testing::TestWithParam<RemainderCase> {};

TEST_P(CellRemainderTest, RecomputesFromRecord) {
    EXPECT_EQ(RemaindersFromRecord(GetParam().device, GetParam().scales), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CellCases, CellRemainderTest,
    testing::Values(RemainderCase{"HalfScale", {101, 51, 200, 100}, kTwo, {1, 0, 1, 0}},
                    RemainderCase{"ThirdScale", {100, 0, 50, 10}, {3.0, 3.0}, {1, 2, 0, 1}},
                    // Unlike drawing, position 1 keeps its remainder here.
                    RemainderCase{"PositionOne", {1, 1, 200, 100}, kTwo, {1, 0, 1, 0}},
                    RemainderCase{"NoScales", {101, 51, 200, 100}, {0.0, 2.0}, {0, 0, 0, 0}}),
    [](const testing::TestParamInfo<RemainderCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------
// Handle zones

struct ZoneCase {
    std::string name;
    Rect cell;
    Point point;
    HandleZone zone;
};

class CellZoneTest : public testing::TestWithParam<ZoneCase> {};

TEST_P(CellZoneTest, FirstZoneInOrderWins) {
    EXPECT_EQ(ZoneOf(GetParam().cell, GetParam().point), GetParam().zone);
}

constexpr Rect kZoneCell{100, 100, 200, 180};
constexpr Rect kNarrowCell{100, 100, 108, 108};

INSTANTIATE_TEST_SUITE_P(
    CellCases, CellZoneTest,
    testing::Values(
        ZoneCase{"LeftEdge", kZoneCell, {100, 140}, HandleZone::kLeft},
        // In the left, top, inside and top-left bands at once: left comes first.
        ZoneCase{"LeftBeforeTopInsideCorner", kZoneCell, {105, 105}, HandleZone::kLeft},
        ZoneCase{"LeftEdgeLowestRow", kZoneCell, {100, 175}, HandleZone::kLeft},
        ZoneCase{"TopEdge", kZoneCell, {150, 100}, HandleZone::kTop},
        ZoneCase{"TopBeforeInside", kZoneCell, {150, 105}, HandleZone::kTop},
        ZoneCase{"RightEdge", kZoneCell, {200, 140}, HandleZone::kRight},
        ZoneCase{"RightBeforeInside", kZoneCell, {195, 140}, HandleZone::kRight},
        ZoneCase{"BottomEdge", kZoneCell, {150, 180}, HandleZone::kBottom},
        ZoneCase{"BottomBeforeInside", kZoneCell, {150, 175}, HandleZone::kBottom},
        ZoneCase{"Inside", kZoneCell, {150, 140}, HandleZone::kInside},
        ZoneCase{"InsideNearCorner", kZoneCell, {106, 106}, HandleZone::kInside},
        ZoneCase{"TopLeftCorner", kZoneCell, {100, 100}, HandleZone::kTopLeft},
        ZoneCase{"TopLeftCornerInner", kZoneCell, {104, 104}, HandleZone::kTopLeft},
        ZoneCase{"BottomLeftCorner", kZoneCell, {100, 180}, HandleZone::kBottomLeft},
        ZoneCase{"BottomLeftCornerInner", kZoneCell, {104, 176}, HandleZone::kBottomLeft},
        ZoneCase{"TopRightCorner", kZoneCell, {200, 100}, HandleZone::kTopRight},
        ZoneCase{"TopRightCornerInner", kZoneCell, {196, 104}, HandleZone::kTopRight},
        ZoneCase{"BottomRightCorner", kZoneCell, {200, 180}, HandleZone::kBottomRight},
        ZoneCase{"LeftOfCell", kZoneCell, {99, 140}, HandleZone::kNone},
        ZoneCase{"RightOfCell", kZoneCell, {201, 140}, HandleZone::kNone},
        ZoneCase{"AboveCell", kZoneCell, {150, 99}, HandleZone::kNone},
        ZoneCase{"NarrowTopLeft", kNarrowCell, {104, 104}, HandleZone::kTopLeft},
        ZoneCase{"NarrowBottomLeft", kNarrowCell, {104, 107}, HandleZone::kBottomLeft},
        ZoneCase{"NarrowBottomRight", kNarrowCell, {107, 107}, HandleZone::kBottomRight}),
    [](const testing::TestParamInfo<ZoneCase>& info) { return info.param.name; });

struct ZoneBehaviourCase {
    HandleZone zone;
    CursorShape cursor;
    DragMode mode;
};

class CellZoneBehaviourTest : public testing::TestWithParam<ZoneBehaviourCase> {};

TEST_P(CellZoneBehaviourTest, CursorAndDrag) {
    EXPECT_EQ(CursorForZone(GetParam().zone), GetParam().cursor);
    EXPECT_EQ(DragModeForZone(GetParam().zone), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    CellZones, CellZoneBehaviourTest,
    testing::Values(
        ZoneBehaviourCase{HandleZone::kLeft, CursorShape::kSizeWestEast, DragMode::kResize},
        ZoneBehaviourCase{HandleZone::kTop, CursorShape::kSizeNorthSouth, DragMode::kResize},
        ZoneBehaviourCase{HandleZone::kRight, CursorShape::kSizeWestEast, DragMode::kResize},
        ZoneBehaviourCase{HandleZone::kBottom, CursorShape::kSizeNorthSouth, DragMode::kResize},
        ZoneBehaviourCase{HandleZone::kInside, CursorShape::kHand, DragMode::kMove},
        ZoneBehaviourCase{HandleZone::kTopLeft, CursorShape::kSizeNwSe, DragMode::kResize},
        ZoneBehaviourCase{HandleZone::kBottomLeft, CursorShape::kSizeNeSw, DragMode::kResize},
        ZoneBehaviourCase{HandleZone::kTopRight, CursorShape::kSizeNeSw, DragMode::kResize},
        ZoneBehaviourCase{HandleZone::kBottomRight, CursorShape::kSizeNwSe, DragMode::kResize},
        ZoneBehaviourCase{HandleZone::kNone, CursorShape::kArrow, DragMode::kNone}));

// ---------------------------------------------------------------------------------------
// Cell under a point

CCell MakeCell(int cardId, Rect rect, bool hidden) {
    CCell cell;
    cell.cardId = cardId;
    cell.rect = rect;
    cell.SetHidden(hidden);
    return cell;
}

struct HitCase {
    std::string name;
    Point point;
    std::optional<std::size_t> expected;
};

class CellHitTest : public testing::TestWithParam<HitCase> {};

TEST_P(CellHitTest, LastVisibleCellInListWins) {
    const std::vector<CCell> cells{MakeCell(1, {0, 0, 100, 100}, false),
                                   MakeCell(2, {50, 50, 150, 150}, false),
                                   MakeCell(3, {0, 0, 200, 200}, true)};
    EXPECT_EQ(CellUnderPoint(cells, GetParam().point), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CellCases, CellHitTest,
    testing::Values(HitCase{"OverlapTakesLater", {60, 60}, 1}, HitCase{"OnlyFirst", {10, 10}, 0},
                    HitCase{"OnlySecond", {120, 120}, 1},
                    HitCase{"FirstRightEdgeExcluded", {100, 10}, std::nullopt},
                    HitCase{"FirstLastPixel", {99, 49}, 0},
                    HitCase{"OnlyHiddenCell", {180, 180}, std::nullopt},
                    HitCase{"SecondRightEdgeExcluded", {150, 150}, std::nullopt}),
    [](const testing::TestParamInfo<HitCase>& info) { return info.param.name; });

TEST(CellHit, EmptyListAndEmptyCellsAreNeverHit) {
    EXPECT_EQ(CellUnderPoint({}, {0, 0}), std::nullopt);
    const std::vector<CCell> cells{MakeCell(1, {0, 0, 0, 0}, false)};
    EXPECT_EQ(CellUnderPoint(cells, {0, 0}), std::nullopt);
}

// ---------------------------------------------------------------------------------------
// Candidates

struct ResizeCase {
    std::string name;
    HandleZone zone;
    Point point;
    CellSize minimum;
    Rect expected;
};

class CellResizeTest : public testing::TestWithParam<ResizeCase> {};

TEST_P(CellResizeTest, MovesOnlyTheZoneEdgesAndStopsAtMinimum) {
    EXPECT_EQ(ResizeCandidate(kZoneCell, GetParam().zone, GetParam().point, GetParam().minimum),
              GetParam().expected);
}

constexpr CellSize kEight{8, 8};

INSTANTIATE_TEST_SUITE_P(
    CellCases, CellResizeTest,
    testing::Values(
        ResizeCase{"RightGrows", HandleZone::kRight, {250, 0}, kEight, {100, 100, 250, 180}},
        ResizeCase{
            "RightStopsAtMinimum", HandleZone::kRight, {105, 0}, kEight, {100, 100, 108, 180}},
        ResizeCase{
            "RightNeverCrossesLeft", HandleZone::kRight, {50, 0}, kEight, {100, 100, 108, 180}},
        ResizeCase{"LeftGrows", HandleZone::kLeft, {50, 0}, kEight, {50, 100, 200, 180}},
        ResizeCase{"LeftStopsAtMinimum", HandleZone::kLeft, {195, 0}, kEight, {192, 100, 200, 180}},
        ResizeCase{"TopStopsAtMinimum", HandleZone::kTop, {0, 178}, kEight, {100, 172, 200, 180}},
        ResizeCase{"BottomGrows", HandleZone::kBottom, {0, 300}, kEight, {100, 100, 200, 300}},
        ResizeCase{"TopLeft", HandleZone::kTopLeft, {90, 90}, kEight, {90, 90, 200, 180}},
        ResizeCase{"BottomLeft", HandleZone::kBottomLeft, {90, 170}, kEight, {90, 100, 200, 170}},
        ResizeCase{"TopRight", HandleZone::kTopRight, {210, 90}, kEight, {100, 90, 210, 180}},
        ResizeCase{"BottomRightStopsAtMinimum",
                   HandleZone::kBottomRight,
                   {101, 101},
                   kEight,
                   {100, 100, 108, 108}},
        ResizeCase{"LargerMinimum",
                   HandleZone::kBottomRight,
                   {101, 101},
                   CellSize{22, 16},
                   {100, 100, 122, 116}},
        ResizeCase{"ZeroMinimumKeepsOnePixel",
                   HandleZone::kRight,
                   {100, 0},
                   CellSize{0, 0},
                   {100, 100, 101, 180}},
        ResizeCase{"InsideChangesNothing", HandleZone::kInside, {0, 0}, kEight, kZoneCell},
        ResizeCase{"NoZoneChangesNothing", HandleZone::kNone, {0, 0}, kEight, kZoneCell}),
    [](const testing::TestParamInfo<ResizeCase>& info) { return info.param.name; });

TEST(CellCandidate, MoveShiftsTheRectangle) {
    EXPECT_EQ(MoveCandidate({10, 20, 30, 40}, 5, -7), (Rect{15, 13, 35, 33}));
}

struct AcceptCase {
    std::string name;
    Rect candidate;
    bool accepted;
};

class CellAcceptTest : public testing::TestWithParam<AcceptCase> {};

TEST_P(CellAcceptTest, OnlyChangedCandidatesInsideTheClient) {
    EXPECT_EQ(CandidateAccepted({10, 10, 50, 50}, GetParam().candidate, kInputClient),
              GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    CellCases, CellAcceptTest,
    testing::Values(AcceptCase{"Unchanged", {10, 10, 50, 50}, false},
                    AcceptCase{"AtLeftTopEdges", {0, 0, 40, 40}, true},
                    AcceptCase{"AtRightBottomEdges", {310, 210, 350, 250}, true},
                    AcceptCase{"LeftNegative", {-1, 10, 39, 50}, false},
                    AcceptCase{"TopNegative", {10, -1, 50, 39}, false},
                    AcceptCase{"BeyondRight", {311, 10, 351, 50}, false},
                    AcceptCase{"BeyondBottom", {10, 211, 50, 251}, false}),
    [](const testing::TestParamInfo<AcceptCase>& info) { return info.param.name; });

struct ConfineCase {
    std::string name;
    Rect cell;
    Point press;
    Rect expected;
};

class CellConfineTest : public testing::TestWithParam<ConfineCase> {};

TEST_P(CellConfineTest, MoveKeepsTheCellInsideTheClient) {
    EXPECT_EQ(MoveConfinement(GetParam().cell, GetParam().press, kInputClient),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CellCases, CellConfineTest,
    testing::Values(ConfineCase{"Ordinary", {50, 25, 150, 75}, {60, 30}, {10, 5, 261, 206}},
                    ConfineCase{
                        "CellWiderThanClient", {0, 0, 400, 100}, {10, 10}, {10, 10, 11, 161}}),
    [](const testing::TestParamInfo<ConfineCase>& info) { return info.param.name; });

TEST(CellCandidate, ConfinePointClampsToTheLastPixel) {
    EXPECT_EQ(ConfinePoint({500, -3}, {10, 5, 261, 206}), (Point{260, 5}));
    EXPECT_EQ(ConfinePoint({20, 30}, {10, 5, 261, 206}), (Point{20, 30}));
}

// ---------------------------------------------------------------------------------------
// Applying a drag

struct ApplyCase {
    std::string name;
    DragMode mode;
    HandleZone zone;
    Rect cell;  // after the drag
    DeviceRect record;
    Scales scales;
    Extents extents;
    Rect client;
    DeviceRect expected;
};

class CellApplyTest : public testing::TestWithParam<ApplyCase> {};

TEST_P(CellApplyTest, GivesTheNewRecordRectangle) {
    const ApplyCase& c = GetParam();
    EXPECT_EQ(ApplyDrag({c.mode, c.zone, c.cell, c.record, c.scales, c.extents, c.client}),
              c.expected);
}

// The card at position 101 (hs = 2): its cell is (50, 25, 150, 75).
constexpr DeviceRect kCard{101, 51, 200, 100};

INSTANTIATE_TEST_SUITE_P(
    CellCases, CellApplyTest,
    testing::Values(ApplyCase{"MoveTenPixelsRight",
                              DragMode::kMove,
                              HandleZone::kInside,
                              {60, 25, 160, 75},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {121, 51, 200, 100}},
                    ApplyCase{"MoveToPixelZero",
                              DragMode::kMove,
                              HandleZone::kInside,
                              {0, 0, 100, 50},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {0, 0, 200, 100}},
                    ApplyCase{"MoveToPixelOne",
                              DragMode::kMove,
                              HandleZone::kInside,
                              {1, 1, 101, 51},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {1, 1, 200, 100}},
                    ApplyCase{"MoveToPixelTwo",
                              DragMode::kMove,
                              HandleZone::kInside,
                              {2, 25, 102, 75},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {5, 51, 200, 100}},
                    ApplyCase{"MoveToRightBorderIsFlush",
                              DragMode::kMove,
                              HandleZone::kInside,
                              {500, 25, 600, 75},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {1000, 51, 200, 100}},
                    ApplyCase{"MoveToBottomBorderIsFlush",
                              DragMode::kMove,
                              HandleZone::kInside,
                              {50, 350, 150, 400},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {101, 700, 200, 100}},
                    // A card wider than the frame is not put before position 0.
                    ApplyCase{"MoveOfOversizedCardStaysAtZero",
                              DragMode::kMove,
                              HandleZone::kInside,
                              {0, 10, 600, 60},
                              DeviceRect{0, 0, 1400, 100},
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {0, 20, 1400, 100}},
                    ApplyCase{"ResizeRightToBorderGivesExtent",
                              DragMode::kResize,
                              HandleZone::kRight,
                              {50, 25, 599, 75},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {101, 51, 1099, 100}},
                    ApplyCase{"ResizeCornerToBordersGivesExtents",
                              DragMode::kResize,
                              HandleZone::kBottomRight,
                              {34, 32, 349, 249},
                              DeviceRect{100, 100, 500, 400},
                              kInputScales,
                              Extents{1024, 768},
                              kInputClient,
                              {100, 100, 924, 668}},
                    ApplyCase{"ResizeBottomInside",
                              DragMode::kResize,
                              HandleZone::kBottom,
                              {50, 25, 150, 85},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {101, 51, 200, 120}},
                    ApplyCase{"ResizeLeft",
                              DragMode::kResize,
                              HandleZone::kLeft,
                              {40, 25, 150, 75},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {81, 51, 220, 100}},
                    ApplyCase{"ResizeLeftToPixelOneGivesZero",
                              DragMode::kResize,
                              HandleZone::kLeft,
                              {1, 25, 150, 75},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {0, 51, 301, 100}},
                    ApplyCase{"ResizeTopLeft",
                              DragMode::kResize,
                              HandleZone::kTopLeft,
                              {40, 20, 150, 75},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {81, 41, 220, 110}},
                    ApplyCase{"ResizeBottomLeft",
                              DragMode::kResize,
                              HandleZone::kBottomLeft,
                              {40, 25, 150, 85},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {81, 51, 220, 120}},
                    ApplyCase{"ResizeTopRight",
                              DragMode::kResize,
                              HandleZone::kTopRight,
                              {50, 20, 160, 75},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {101, 41, 220, 110}},
                    // The left edge at device 1 stays there: the width follows the pixels exactly.
                    ApplyCase{"ResizeRightOfCardAtOneKeepsLeft",
                              DragMode::kResize,
                              HandleZone::kRight,
                              {0, 0, 105, 50},
                              DeviceRect{1, 0, 200, 100},
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {1, 0, 210, 100}},
                    // A cell whose left lies past the card's right edge keeps one device unit.
                    ApplyCase{"ResizeLeftPastRightKeepsOneUnit",
                              DragMode::kResize,
                              HandleZone::kLeft,
                              {200, 25, 210, 75},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              {300, 51, 1, 100}},
                    ApplyCase{"NoScalesChangeNothing",
                              DragMode::kResize,
                              HandleZone::kRight,
                              {50, 25, 599, 75},
                              kCard,
                              Scales{0.0, 0.0},
                              Extents{0, 0},
                              kWideClient,
                              kCard},
                    ApplyCase{"NoDragChangesNothing",
                              DragMode::kNone,
                              HandleZone::kNone,
                              {60, 25, 160, 75},
                              kCard,
                              kTwo,
                              kWideExtents,
                              kWideClient,
                              kCard}),
    [](const testing::TestParamInfo<ApplyCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------
// Drawing helpers

struct LabelCase {
    std::string name;
    int cardId;
    bool pip;
    std::string label;
    std::string image;
};

class CellLabelTest : public testing::TestWithParam<LabelCase> {};

TEST_P(CellLabelTest, LabelAndPicture) {
    CCell cell;
    cell.cardId = GetParam().cardId;
    cell.pictureInPicture = GetParam().pip ? 1 : 0;
    EXPECT_EQ(CellLabel(cell), GetParam().label);
    EXPECT_EQ(std::string(CellImageName(cell)), GetParam().image);
    EXPECT_EQ(CellBrush(cell), GetParam().pip ? kPictureInPictureBrush : kNormalBrush);
}

INSTANTIATE_TEST_SUITE_P(
    CellCases, CellLabelTest,
    testing::Values(LabelCase{"Input", 129, false, "INPUT1", "ronghe.bmp"},
                    LabelCase{"InputPip", 130, true, "INPUT2:PIP", "ronghe.bmp"},
                    LabelCase{"Output", 3, false, "OUTPUT3", "pinjie.bmp"},
                    LabelCase{"LastInput", 255, false, "INPUT127", "ronghe.bmp"}),
    [](const testing::TestParamInfo<LabelCase>& info) { return info.param.name; });

TEST(CellDrawing, SelectedCellRepaintsGrownAreaInRed) {
    CCell cell = MakeCell(1, {10, 20, 30, 40}, false);
    EXPECT_EQ(SelectionRepaintRect(cell), (Rect{10, 20, 30, 40}));
    EXPECT_EQ(CellBorderColour(cell), kBorderColour);
    EXPECT_EQ(CellLabelColour(cell), kLabelColour);
    cell.SetSelected(true);
    EXPECT_EQ(SelectionRepaintRect(cell), (Rect{6, 15, 35, 44}));
    EXPECT_EQ(CellBorderColour(cell), kSelectedColour);
    EXPECT_EQ(CellLabelColour(cell), kSelectedColour);
}

TEST(CellDrawing, BrushColours) {
    EXPECT_EQ(kNormalBrush, (Rgb{0, 128, 192}));
    EXPECT_EQ(kPictureInPictureBrush, (Rgb{192, 192, 192}));
}

}  // namespace
}  // namespace kov::diagram

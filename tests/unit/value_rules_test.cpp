#include "store/value_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace kov {
namespace {

struct PositionCase {
    const char* name;
    std::int32_t value, extent, limit, expected;
};

class FitPositionTest : public testing::TestWithParam<PositionCase> {};

TEST_P(FitPositionTest, KeepsTheWindowInsideTheFrame) {
    const auto& c = GetParam();
    EXPECT_EQ(FitPosition(c.value, c.extent, c.limit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitPositionTest,
                         testing::Values(PositionCase{"Inside", 100, 800, 1024, 100},
                                         PositionCase{"EndsAtTheEdge", 224, 800, 1024, 224},
                                         PositionCase{"PastTheEdgeMovesBack", 2000, 1024, 1024, 0},
                                         PositionCase{"FullWidthBaseMap", 100, 1920, 1920, 0},
                                         PositionCase{"WiderThanTheFrameStartsAtZero", 10, 1064,
                                                      1024, 0},
                                         PositionCase{"HugeTypedNumber", INT_MAX, 100, 1024, 924},
                                         // The unsigned sum wraps: a negative extent from a damaged
                                         // file lets the value through as the device would.
                                         PositionCase{"NegativeExtentWraps", 20, -10, 1024, 20}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ExtentCase {
    const char* name;
    std::int32_t value, position, limit, minimum, expected;
};

class FitExtentTest : public testing::TestWithParam<ExtentCase> {};

TEST_P(FitExtentTest, CutsToTheFrameThenRaisesToTheMinimum) {
    const auto& c = GetParam();
    EXPECT_EQ(FitExtent(c.value, c.position, c.limit, c.minimum), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitExtentTest,
    testing::Values(ExtentCase{"Inside", 640, 0, 1024, kMinWindowWidth, 640},
                    ExtentCase{"CutAtTheEdge", 1024, 100, 1024, kMinWindowWidth, 924},
                    ExtentCase{"BelowMinimumWidth", 10, 0, 1024, kMinWindowWidth, 64},
                    ExtentCase{"BelowMinimumHeight", 10, 0, 768, kMinWindowHeight, 48},
                    ExtentCase{"NotANumberIsZero", 0, 0, 768, kMinWindowHeight, 48},
                    // 1000 + 10 fits, then the minimum makes the window reach 1064.
                    ExtentCase{"MinimumReachesPastTheFrame", 10, 1000, 1024, kMinWindowWidth, 64},
                    ExtentCase{"PositionPastTheFrame", 500, 2000, 1024, kMinWindowWidth, 64}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FitWindowField, FitsEachFieldAgainstItsPartnerInTheSameDirection) {
    const WindowValues window = {100, 800, 50, 600};  // h position, width, v position, height
    EXPECT_EQ(FitWindowField(window, WindowField::kHLocation, 500, 1024, 768), 224);
    EXPECT_EQ(FitWindowField(window, WindowField::kHWidth, 2000, 1024, 768), 924);
    EXPECT_EQ(FitWindowField(window, WindowField::kVLocation, 500, 1024, 768), 168);
    EXPECT_EQ(FitWindowField(window, WindowField::kVHeight, 10, 1024, 768), kMinWindowHeight);
}

struct SpliceCase {
    const char* name;
    std::int32_t value, position, limit, expected;
};

class FitSpliceExtentTest : public testing::TestWithParam<SpliceCase> {};

TEST_P(FitSpliceExtentTest, StaysBetweenTheMinimumAndTheWholeScreen) {
    const auto& c = GetParam();
    EXPECT_EQ(FitSpliceExtent(c.value, c.position, c.limit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitSpliceExtentTest,
                         testing::Values(SpliceCase{"Inside", 1920, 0, 3840, 1920},
                                         SpliceCase{"CutAtTheEdge", 3000, 1920, 3840, 1920},
                                         SpliceCase{"BelowMinimum", 10, 0, 3840, 64},
                                         SpliceCase{"SmallWholeScreen", 10, 0, 50, 50},
                                         // 100 + 10 fits, then the minimum reaches past the screen.
                                         SpliceCase{"MinimumPastTheScreen", 10, 100, 128, 64},
                                         SpliceCase{"PositionPastTheScreen", 500, 4000, 3840, 64}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FitWholeScreen, IsAtLeast128) {
    EXPECT_EQ(FitWholeScreen(100), 128);
    EXPECT_EQ(FitWholeScreen(0), 128);
    EXPECT_EQ(FitWholeScreen(1920), 1920);
}

TEST(FitSpliceField, FitsEachFieldIntoTheWholeScreen) {
    const WindowValues splice = {1920, 1920, 0, 1080};  // h position, width, v position, height
    EXPECT_EQ(FitSpliceField(splice, WindowField::kHLocation, 2000, 3840, 2160), 1920);
    EXPECT_EQ(FitSpliceField(splice, WindowField::kHWidth, 10, 3840, 2160), kMinSpliceExtent);
    EXPECT_EQ(FitSpliceField(splice, WindowField::kVLocation, 1500, 3840, 2160), 1080);
    // Heights have the splice minimum of 64, not the window minimum of 48.
    EXPECT_EQ(FitSpliceField(splice, WindowField::kVHeight, 10, 3840, 2160), kMinSpliceExtent);
}

TEST(FitSpliceTotal, RaisesTheTotalAndCutsAnExtentThatNoLongerFits) {
    EXPECT_EQ(FitSpliceTotal(100, 1920), (SpliceTotal{128, 128}));
    EXPECT_EQ(FitSpliceTotal(3840, 1920), (SpliceTotal{3840, std::nullopt}));
    EXPECT_EQ(FitSpliceTotal(1920, 1920), (SpliceTotal{1920, std::nullopt}));
    EXPECT_EQ(FitSpliceTotal(1000, 1920), (SpliceTotal{1000, 1000}));
}

struct RescaleCase {
    const char* name;
    std::int32_t value, oldTotal, newTotal, expected;
};

class RescaleTest : public testing::TestWithParam<RescaleCase> {};

TEST_P(RescaleTest, DividesByTheFactorAndTruncates) {
    const auto& c = GetParam();
    EXPECT_EQ(Rescale(c.value, RescaleFactor(c.oldTotal, c.newTotal)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RescaleTest,
    testing::Values(RescaleCase{"Halved", 1920, 3840, 1920, 960},
                    // 1920 / (1920 / 197.0) is 196.99999999999997 in double precision.
                    RescaleCase{"TruncatedNotRounded", 1920, 1920, 197, 196},
                    RescaleCase{"OldTotalZero", 1920, 0, 1920, 0},
                    RescaleCase{"NegativeIsUnsigned", -1, 2, 1, INT32_MAX},
                    RescaleCase{"Grown", 100, 128, 3840, 3000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClampToRange, HoldsValuesInsideTheBoundsAndSaysWhenItMovedThem) {
    EXPECT_EQ(ClampToRange(150, 0, 100), (ClampedValue{100, true}));
    EXPECT_EQ(ClampToRange(-1, 0, 255), (ClampedValue{0, true}));
    EXPECT_EQ(ClampToRange(0, 0, 24), (ClampedValue{0, false}));
    EXPECT_EQ(ClampToRange(24, 0, 24), (ClampedValue{24, false}));
}

}  // namespace
}  // namespace kov

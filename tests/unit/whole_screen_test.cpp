// A whole-screen change rescales every output card's splice along its axis.

#include "store/whole_screen.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

OutputCardRecord Spliced(std::int32_t hPosition, std::int32_t width, std::int32_t vPosition,
                         std::int32_t height) {
    OutputCardRecord r;
    r.spliceHLocation = hPosition;
    r.spliceHWidth = width;
    r.spliceVLocation = vPosition;
    r.spliceVHeight = height;
    return r;
}

TEST(ChangeWholeScreen, HalvingTheWidthHalvesEveryHorizontalSpliceOnly) {
    WholeScreen screen{3840, 2160};
    std::vector<OutputCardRecord> records = {Spliced(0, 1920, 0, 1080),
                                             Spliced(1920, 1920, 1080, 1080)};
    EXPECT_EQ(ChangeWholeScreen(screen, records, ScreenAxis::kHorizontal, 1920), 1920);
    EXPECT_EQ(screen, (WholeScreen{1920, 2160}));
    for (const auto& r : records) {
        EXPECT_EQ(r.spliceHWidth, 960);
        EXPECT_EQ(r.spliceVHeight, 1080);
        EXPECT_EQ(r.outputHparam, 1920);
        EXPECT_EQ(r.outputVparam, 0);  // the other axis keeps its copy
    }
    EXPECT_EQ(records[1].spliceHLocation, 960);
    EXPECT_EQ(records[1].spliceVLocation, 1080);
}

TEST(ChangeWholeScreen, HeightBelowTheMinimumIsRaisedAndScaledByIt) {
    WholeScreen screen{3840, 256};
    std::vector<OutputCardRecord> records = {Spliced(0, 1920, 128, 128)};
    EXPECT_EQ(ChangeWholeScreen(screen, records, ScreenAxis::kVertical, 100), 128);
    EXPECT_EQ(screen.height, 128);
    EXPECT_EQ(records[0].spliceVLocation, 64);
    EXPECT_EQ(records[0].spliceVHeight, 64);
    EXPECT_EQ(records[0].outputVparam, 128);
    EXPECT_EQ(records[0].spliceHWidth, 1920);
}

TEST(ChangeWholeScreen, FromAZeroWidthEverySpliceBecomesZero) {
    WholeScreen screen{0, 1080};
    std::vector<OutputCardRecord> records = {Spliced(100, 1920, 0, 1080)};
    ChangeWholeScreen(screen, records, ScreenAxis::kHorizontal, 1920);
    EXPECT_EQ(records[0].spliceHLocation, 0);
    EXPECT_EQ(records[0].spliceHWidth, 0);
    EXPECT_EQ(screen.width, 1920);
}

}  // namespace
}  // namespace kov

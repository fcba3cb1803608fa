#include "store/tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kov {
namespace {

// U+00D7 MULTIPLICATION SIGN in UTF-8.
constexpr std::string_view kTimes = "\xC3\x97";

TEST(ResolutionTable, HasTwentyOneEntriesThenTheTerminator) {
    const auto table = ResolutionTable();
    ASSERT_EQ(table.size(), kResolutionCount + 1);
    EXPECT_EQ(table.back(), (ResolutionEntry{22, 0, 0, 0, ""}));
    for (std::size_t i = 0; i < kResolutionCount; ++i) {
        EXPECT_EQ(static_cast<std::size_t>(table[i].code), i + 1)
            << "code equals the position counted from 1";
    }
}

struct ResolutionCase {
    int code;
    ResolutionEntry expected;
};

class ResolutionRowTest : public testing::TestWithParam<ResolutionCase> {};

TEST_P(ResolutionRowTest, FindReturnsTheWholeEntry) {
    const ResolutionEntry* found = FindResolution(GetParam().code);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ResolutionRowTest,
                         testing::Values(ResolutionCase{1,
                                                        {1, 1024, 768, 60,
                                                         "1024\xC3\x97"
                                                         "768 60HZ"}},
                                         ResolutionCase{5,
                                                        {5, 1024, 768, 120,
                                                         "1024\xC3\x97"
                                                         "768 120HZ"}},
                                         ResolutionCase{8,
                                                        {8, 1600, 1200, 60,
                                                         "1600\xC3\x97"
                                                         "1200 60HZ"}},
                                         ResolutionCase{9,
                                                        {9, 1600, 1200, 60,
                                                         "1600\xC3\x97"
                                                         "1200 60HZ Reduced"}},
                                         ResolutionCase{12,
                                                        {12, 1920, 1080, 50,
                                                         "1920\xC3\x97"
                                                         "1080 50HZ"}},
                                         ResolutionCase{17,
                                                        {17, 2408, 1152, 60,
                                                         "2048\xC3\x97"
                                                         "1152 60HZ"}},
                                         ResolutionCase{19,
                                                        {19, 1536, 1536, 60,
                                                         "1536\xC3\x97"
                                                         "1536 60Hz"}},
                                         ResolutionCase{20,
                                                        {20, 1200, 1900, 60,
                                                         "1200\xC3\x97"
                                                         "1920 60Hz"}},
                                         ResolutionCase{21,
                                                        {21, 2720, 1920, 30,
                                                         "2720\xC3\x97"
                                                         "1920 30Hz"}}),
                         [](const testing::TestParamInfo<ResolutionCase>& info) {
                             return "Code" + std::to_string(info.param.code);
                         });

// Every label reads "<width>×<height> <rate>H…"; only codes 17 and 20 carry a size that
// differs from their label.
TEST(ResolutionTable, LabelsMatchTheSizeExceptCodes17And20) {
    for (std::size_t i = 0; i < kResolutionCount; ++i) {
        const ResolutionEntry& entry = ResolutionTable()[i];
        SCOPED_TRACE(entry.label);
        const std::size_t times = entry.label.find(kTimes);
        ASSERT_NE(times, std::string::npos);
        const int labelWidth = std::stoi(entry.label.substr(0, times));
        const int labelHeight = std::stoi(entry.label.substr(times + kTimes.size()));
        const std::string rate = " " + std::to_string(entry.refresh) + "H";
        EXPECT_NE(entry.label.find(rate), std::string::npos);
        EXPECT_EQ(labelWidth == entry.width, entry.code != 17);
        EXPECT_EQ(labelHeight == entry.height, entry.code != 20);
    }
}

TEST(ResolutionTable, FindReportsNotFoundForTheTerminatorAndCodesOutsideTheTable) {
    for (int code : {0, 22, 23, 99, 255, 256 + 1, -1}) {
        EXPECT_EQ(FindResolution(code), nullptr) << code;
    }
    for (int code = 1; code <= 21; ++code) {
        ASSERT_NE(FindResolution(code), nullptr) << code;
        EXPECT_EQ(FindResolution(code), &ResolutionTable()[code - 1]);
    }
}

struct SourceLabelCase {
    const char* name;
    bool output;
    int code;
    std::string expected;
};

class SourceLabelTest : public testing::TestWithParam<SourceLabelCase> {};

TEST_P(SourceLabelTest, LooksUpTheLabelOrGivesEmptyText) {
    const SourceLabelCase& c = GetParam();
    EXPECT_EQ(c.output ? OutputSourceLabel(c.code) : InputSourceLabel(c.code), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, SourceLabelTest,
    testing::Values(SourceLabelCase{"InputZeroIsAv", false, 0, "AV"},
                    SourceLabelCase{"OutputZeroIsAv1", true, 0, "E.M.(AV1)"},
                    SourceLabelCase{"InputTerminatorIsEmpty", false, 99, ""},
                    SourceLabelCase{"OutputTerminatorIsEmpty", true, 99, ""},
                    SourceLabelCase{"InputIntSyncIsNotAnInputSource", false, 9, ""},
                    SourceLabelCase{"OutputNineIsIntSync", true, 9, "Int.Sync"},
                    SourceLabelCase{"OutputThirteenIsIntBus", true, 13, "Int.Bus"},
                    SourceLabelCase{"InputThirteenIsIntBus", false, 13, "Int.Bus"},
                    SourceLabelCase{"InputEightIsVga", false, 8, "VGA"},
                    SourceLabelCase{"OutputEightIsExternalVga", true, 8, "E.M.(VGA)"},
                    SourceLabelCase{"InputThreeIsAv3", false, 3, "E.M.(AV3)"},
                    SourceLabelCase{"OutputThreeIsAv4", true, 3, "E.M.(AV4)"},
                    SourceLabelCase{"InputElevenIsDigital", false, 11, "E.M.(Digital)"},
                    SourceLabelCase{"InputUnknownIsEmpty", false, 4, ""},
                    SourceLabelCase{"OutputUnknownIsEmpty", true, 12, ""},
                    SourceLabelCase{"OnlyTheLowByteWouldMatchNot269", false, 269, ""},
                    SourceLabelCase{"NegativeIsEmpty", true, -1, ""}),
    [](const testing::TestParamInfo<SourceLabelCase>& info) { return info.param.name; });

TEST(SourceTables, EndWithTheTerminator) {
    EXPECT_EQ(InputSourceTable().size(), 9u);
    EXPECT_EQ(OutputSourceTable().size(), 10u);
    EXPECT_EQ(InputSourceTable().back(), (SourceEntry{99, ""}));
    EXPECT_EQ(OutputSourceTable().back(), (SourceEntry{99, ""}));
}

TEST(ListItems, ResolutionListHas21ItemsWithPositionAsItemData) {
    const std::vector<ListItem> items = ResolutionListItems();
    ASSERT_EQ(items.size(), 21u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].data, static_cast<int>(i + 1));
        EXPECT_EQ(items[i].label, ResolutionTable()[i].label);
    }
}

TEST(ListItems, SelectingByItemDataTakesTheFirstMatchOrNone) {
    const std::vector<ListItem> items = ResolutionListItems();
    const auto reduced = FindItemByData(items, 9);
    ASSERT_TRUE(reduced.has_value());
    EXPECT_EQ(items[*reduced].label,
              "1600\xC3\x97"
              "1200 60HZ Reduced");
    const auto plain = FindItemByData(items, 8);
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(items[*plain].label,
              "1600\xC3\x97"
              "1200 60HZ");
    EXPECT_FALSE(FindItemByData(items, 22).has_value());
    EXPECT_FALSE(FindItemByData(items, 0).has_value());

    const std::vector<ListItem> twice = {{"a", 3}, {"b", 3}};
    EXPECT_EQ(FindItemByData(twice, 3), 0u);
}

struct SourceListCase {
    const char* name;
    std::vector<ListItem> items;
    std::vector<ListItem> expected;
};

class SourceListTest : public testing::TestWithParam<SourceListCase> {};

TEST_P(SourceListTest, FillsInTableOrderWithCodeAsItemData) {
    EXPECT_EQ(GetParam().items, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lists, SourceListTest,
                         testing::Values(SourceListCase{"Input",
                                                        InputSourceListItems(),
                                                        {{"AV", 0},
                                                         {"VGA", 8},
                                                         {"Int.Bus", 13},
                                                         {"DVI", 10},
                                                         {"E.M.(AV1)", 1},
                                                         {"E.M.(AV2)", 2},
                                                         {"E.M.(AV3)", 3},
                                                         {"E.M.(Digital)", 11}}},
                                         SourceListCase{"Output",
                                                        OutputSourceListItems(),
                                                        {{"Int.Bus", 13},
                                                         {"DVI", 10},
                                                         {"Int.Sync", 9},
                                                         {"E.M.(AV1)", 0},
                                                         {"E.M.(AV2)", 1},
                                                         {"E.M.(AV3)", 2},
                                                         {"E.M.(AV4)", 3},
                                                         {"E.M.(VGA)", 8},
                                                         {"E.M.(Digital)", 11}}},
                                         SourceListCase{"Transparency",
                                                        TransparencyListItems(),
                                                        {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}}}),
                         [](const testing::TestParamInfo<SourceListCase>& info) {
                             return info.param.name;
                         });

TEST(TransparencyLabels, EndWithAnEmptyLabel) {
    const auto labels = TransparencyLabels();
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_EQ(labels[3], "3");
    EXPECT_TRUE(labels[4].empty());
}

}  // namespace
}  // namespace kov

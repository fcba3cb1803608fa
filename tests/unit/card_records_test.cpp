#include "store/card_records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "link/serial_comm.h"
#include "store/card_inventory.h"
#include "store/profile.h"
#include "store/tables.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

const fs::path kShippedDefaults = fs::path(KOV_DATA_DIR) / kDefaultsFileName;
const fs::path kShippedBoardConfig = fs::path(KOV_DATA_DIR) / kBoardConfigFileName;

CardConfiguration Config(std::vector<CardSlot> inputs, std::vector<CardSlot> outputs) {
    CardConfiguration config;
    config.inputCards = std::move(inputs);
    config.outputCards = std::move(outputs);
    return config;
}

// The record with its card ID and slot cleared, to compare it with the defaults.
template <class Record>
Record WithoutIdentity(Record record) {
    record.cardId = 0;
    record.slot = 0;
    return record;
}

class CardRecordsTest : public testing::Test {
protected:
    void WriteDefaults(std::string_view text) const { dir.Write(kDefaultsFileName, text); }
    void ShipDefaults() const {
        fs::copy_file(kShippedDefaults, dir / kDefaultsFileName,
                      fs::copy_options::overwrite_existing);
    }

    test::TempDir dir;
    CardRecords records;
};

TEST_F(CardRecordsTest, EachConfiguredCardGetsACopyOfTheDefaultsInSlotOrder) {
    ShipDefaults();
    dir.Write(kBoardConfigFileName,
              "[Card Slot 2]\r\nCard ID=129\r\n[Card Slot 7]\r\nCard ID=130\r\n"
              "[Card Slot 9]\r\nCard ID=131\r\n[Card Slot 1]\r\nCard ID=1\r\n");
    CardConfiguration config;
    ASSERT_TRUE(ReadCardConfiguration(dir / kBoardConfigFileName, config));
    ASSERT_TRUE(records.Load(config, dir.Path()));

    ASSERT_EQ(records.input.Count(), 3u);
    const std::pair<int, int> expected[] = {{2, 129}, {7, 130}, {9, 131}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(records.input.At(i).slot, expected[i].first);
        EXPECT_EQ(records.input.At(i).cardId, expected[i].second);
        EXPECT_EQ(WithoutIdentity(records.input.At(i)), records.input.Default());
    }
    ASSERT_EQ(records.output.Count(), 1u);
    EXPECT_EQ(WithoutIdentity(records.output.At(0)), records.output.Default());
    EXPECT_EQ(records.input.SlotOf(130), 7);
    EXPECT_EQ(records.input.Find(0), nullptr);
    EXPECT_EQ(records.output.Find(129), nullptr);
}

// ---- Reading the defaults ----

struct DefaultsCase {
    const char* name;
    const char* file;
    std::function<void(const CardRecords&)> check;
};

void PrintTo(const DefaultsCase& c, std::ostream* os) {
    *os << c.name;
}

class CardRecordsDefaults : public CardRecordsTest,
                            public testing::WithParamInterface<DefaultsCase> {};

TEST_P(CardRecordsDefaults, GiveTheDefaultRecords) {
    WriteDefaults(GetParam().file);
    ASSERT_TRUE(records.Load(Config({{3, 129}}, {{1, 1}}), dir.Path()));
    GetParam().check(records);
}

INSTANTIATE_TEST_SUITE_P(
    CardRecords, CardRecordsDefaults,
    testing::Values(
        DefaultsCase{"OutputShownFlagFromTheInputSection",
                     "[InPutCardInfo]\r\npicshow=1\r\n[OutPutCardInfo]\r\npicshow=0\r\n",
                     [](const CardRecords& r) {
                         EXPECT_EQ(r.output.At(0).outputPicshow, 1);
                         EXPECT_EQ(r.input.At(0).inputPicShow, 1);
                     }},
        DefaultsCase{"OutputShownFlagNotFromTheOutputSection", "[OutPutCardInfo]\r\npicshow=1\r\n",
                     [](const CardRecords& r) { EXPECT_EQ(r.output.At(0).outputPicshow, 0); }},
        DefaultsCase{"ResolutionCopiesTheWholeEntry", "[InPutCardInfo]\r\ninputResolution=17\r\n",
                     [](const CardRecords& r) {
                         const ResolutionEntry expected{17, 2408, 1152, 60, "2048×1152 60HZ"};
                         EXPECT_EQ(r.input.At(0).inputResolution, expected);
                     }},
        DefaultsCase{"ScreenParametersSetTheWholeScreen",
                     "[ScreenParam]\r\noutputHparam=3840\r\noutputVparam=2160\r\n",
                     [](const CardRecords& r) {
                         EXPECT_EQ(r.output.Default().outputHparam, 3840);
                         EXPECT_EQ(r.output.At(0).outputVparam, 2160);
                         EXPECT_EQ(r.screen, (WholeScreen{3840, 2160}));
                     }},
        DefaultsCase{"BaseMapSourceKeepsItsLowByte", "[InPutBaseMap]\r\nbaseMapinputSrc=269\r\n",
                     [](const CardRecords& r) {
                         EXPECT_EQ(r.input.At(0).baseMapinputSrc, 13);
                         EXPECT_EQ(InputSourceLabel(r.input.At(0).baseMapinputSrc), "Int.Bus");
                     }},
        DefaultsCase{"ValuesAreCutToFourCharacters",
                     "[InPutLocation]\r\ninputHWidth=10000\r\ninputVHeight=1920a\r\n"
                     "inputHLocation=-1234\r\n",
                     [](const CardRecords& r) {
                         EXPECT_EQ(r.input.At(0).inputHWidth, 1000);
                         EXPECT_EQ(r.input.At(0).inputVHeight, 1920);
                         EXPECT_EQ(r.input.At(0).inputHLocation, -123);
                     }},
        DefaultsCase{"MissingKeysReadAsZero", "[InPutCardInfo]\r\ninputSrc=8\r\n",
                     [](const CardRecords& r) {
                         EXPECT_EQ(r.input.At(0).inputSrc, 8);
                         EXPECT_EQ(r.input.At(0).inputHWidth, 0);
                         EXPECT_EQ(r.output.At(0).OutPutinputSrc, 0);
                         EXPECT_EQ(r.output.At(0).outputReso, ResolutionEntry{});
                         EXPECT_EQ(r.input.At(0).colorTemperatureText,
                                   kStandardColorTemperatureText);
                     }},
        DefaultsCase{"NarrowFieldsKeepTheirLowBits",
                     "[InPutPicWord]\r\npicWordOnoff=300\r\n[OutPutDoublePic]\r\nisOn=257\r\n",
                     [](const CardRecords& r) {
                         EXPECT_EQ(r.input.At(0).picWordOnoff, 44);
                         EXPECT_EQ(r.output.At(0).isOn, 1);
                     }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CardRecordsTest, MissingOrZeroResolutionKeepsThePreviousOne) {
    const CardConfiguration config = Config({{3, 129}}, {});
    const ResolutionEntry r17 = *FindResolution(17);
    const struct {
        const char* file;
        ResolutionEntry resolution;
        int inputSrc;
    } steps[] = {
        {"[InPutCardInfo]\r\ninputResolution=17\r\ninputSrc=8\r\n", r17, 8},
        {"[InPutCardInfo]\r\ninputResolution=0\r\n", r17, 0},
        {"[InPutCardInfo]\r\ninputResolution=22\r\n", r17, 0},
        {"[InPutCardInfo]\r\n", r17, 0},
        {"[InPutCardInfo]\r\ninputResolution=5\r\n", *FindResolution(5), 0},
    };
    for (const auto& step : steps) {
        WriteDefaults(step.file);
        ASSERT_TRUE(records.Load(config, dir.Path()));
        EXPECT_EQ(records.input.At(0).inputResolution, step.resolution) << step.file;
        EXPECT_EQ(records.input.At(0).inputSrc, step.inputSrc) << step.file;
    }
}

TEST_F(CardRecordsTest, LoadingAgainRestoresTheDefaultsAndTheScreen) {
    ShipDefaults();
    const CardConfiguration config = Config({{5, 129}, {6, 130}}, {{1, 1}, {2, 2}});
    ASSERT_TRUE(records.Load(config, dir.Path()));
    const RecordsSnapshot loaded = records.Snapshot();
    {
        auto lock = records.Lock();
        records.input.At(1).inputSrc = 0;
        records.input.At(0).colorTemperatureText.clear();
        records.output.At(0).spliceHLocation = 1920;
        records.output.At(1).outputHparam = 1920;
        records.screen = {1920, 1080};
    }
    ASSERT_TRUE(records.Load(config, dir.Path()));
    const RecordsSnapshot reset = records.Snapshot();
    EXPECT_EQ(reset.inputs, loaded.inputs);
    EXPECT_EQ(reset.outputs, loaded.outputs);
    EXPECT_EQ(reset.screen, (WholeScreen{3840, 2160}));
    for (const auto& record : reset.outputs) {
        EXPECT_EQ(WithoutIdentity(record), records.output.Default());
    }
}

TEST_F(CardRecordsTest, MissingDefaultsFileStillBuildsTheRecords) {
    const CardConfiguration config = Config({{5, 129}}, {{1, 1}});
    EXPECT_FALSE(records.Load(config, dir.Path()));
    ASSERT_EQ(records.input.Count(), 1u);
    EXPECT_EQ(records.input.At(0).cardId, 129);
    EXPECT_EQ(WithoutIdentity(records.input.At(0)), InputCardRecord{});

    ShipDefaults();
    ASSERT_TRUE(records.Load(config, dir.Path()));
    const InputCardRecord loaded = records.input.Default();
    fs::remove(dir / kDefaultsFileName);
    EXPECT_FALSE(records.Load(config, dir.Path()));
    EXPECT_EQ(records.input.Default(), loaded) << "the defaults stay as they were";
}

TEST_F(CardRecordsTest, ShippedDefaultsHoldEveryKeyWithShortValues) {
    const std::pair<const char*, std::vector<const char*>> sections[] = {
        {"InPutCardInfo", {"inputResolution", "inputSrc", "inputtranspy", "picshow"}},
        {"InPutLocation", {"inputHLocation", "inputHWidth", "inputVLocation", "inputVHeight"}},
        {"InPutFrameAdjust",
         {"inputFrameLight", "inputFrameContrast", "inputFrameSaturation", "inputFrameDefinition",
          "inputFrameColorTemperation"}},
        {"InPutPicWord",
         {"picWordOnoff", "picWordMode", "picWordAboveOn", "picWordAndOr", "picWordRed",
          "picWordGreen", "picWordBlue"}},
        {"InPutBaseMap",
         {"baseMapinputSrc", "baseMapHLocation", "baseMapHWidth", "baseMapVLocation",
          "baseMapVHeight"}},
        {"OutPutCardInfo", {"OutPutinputSrc", "outputReso"}},
        {"ScreenParam", {"outputHparam", "outputVparam"}},
        {"SpliceParam", {"spliceHLocation", "spliceHWidth", "spliceVLocation", "spliceVHeight"}},
        {"OutPutSetting", {"outputHLocation", "outputHWidth", "outputVLocation", "outputVHeight"}},
        {"OutPutFrame",
         {"outputFrameLight", "outputFrameContrast", "outputFrameSaturation",
          "outputFrameDefinition", "outputFrameColorTemperation", "outputFrameGamma"}},
        {"OutPutDoublePic",
         {"isOn", "DoublePicinputSrc", "doublePicHLocation", "doublePicHWidth",
          "doublePicVLocation", "doublePicVHeight", "doublePictranspy", "isSpliceDouble",
          "doubleSpliceHparam", "doubleSpliceVparam", "doubleSpliceHLocation", "doubleSpliceHWidth",
          "doubleSpliceVLocation", "doubleSpliceVHeight"}},
    };
    for (const auto& [section, keys] : sections) {
        for (const char* key : keys) {
            const std::string value =
                ReadProfileString(kShippedDefaults, section, key, "missing!", 100);
            EXPECT_LE(value.size(), 4u) << section << " " << key << " = " << value;
            EXPECT_FALSE(value.empty()) << section << " " << key;
        }
    }
    ShipDefaults();
    ASSERT_TRUE(records.Load(Config({{5, 129}}, {{1, 1}}), dir.Path()));
    EXPECT_EQ(records.screen, (WholeScreen{3840, 2160}));
    const InputCardRecord& in = records.input.At(0);
    EXPECT_EQ(in.inputResolution, *FindResolution(11));
    EXPECT_EQ((std::array{in.inputHLocation, in.inputVLocation, in.inputHWidth, in.inputVHeight}),
              (std::array{0, 0, 1920, 1080}));
    EXPECT_EQ(records.output.At(0).outputReso, *FindResolution(11));
}

// ---- Card configuration ----

class InventoryTest : public testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(InventoryTest, ReadingFillsTheListsInSlotOrder) {
    const auto file = dir.Write(kBoardConfigFileName,
                                "[Card Slot 12]\r\nCard ID=12\r\n[Card Slot 5]\r\nCard ID=130\r\n"
                                "[Card Slot 1]\r\nCard ID=1\r\n[Card Slot 3]\r\nCard ID=129\r\n"
                                "[Card Slot 4]\r\nCard ID=0\r\n[Card Slot 6]\r\nCard ID=x\r\n"
                                "[Mother Board]\r\nMother Board 1 ID=7\r\n");
    CardConfiguration config;
    ASSERT_TRUE(ReadCardConfiguration(file, config));
    EXPECT_EQ(config.inputCards, (std::vector<CardSlot>{{3, 129}, {5, 130}}));
    EXPECT_EQ(config.outputCards, (std::vector<CardSlot>{{1, 1}, {12, 12}}));
    EXPECT_EQ(config.slotMap,
              (std::map<int, std::string>{{1, "1"}, {3, "129"}, {5, "130"}, {12, "12"}}));
    EXPECT_EQ(config.motherBoardId, 7);
    EXPECT_EQ(config.SlotOf(130), 5);
    EXPECT_EQ(config.SlotOf(99), 0);
}

TEST_F(InventoryTest, MissingFileGivesNoCardsAndKeepsTheMotherBoard) {
    CardConfiguration config;
    config.inputCards = {{1, 129}};
    config.motherBoardId = 9;
    EXPECT_FALSE(ReadCardConfiguration(dir / kBoardConfigFileName, config));
    EXPECT_TRUE(config.inputCards.empty());
    EXPECT_TRUE(config.outputCards.empty());
    EXPECT_EQ(config.motherBoardId, 9);
}

TEST_F(InventoryTest, ShippedConfigurationHoldsFourOutputsAndFourInputs) {
    CardConfiguration config;
    ASSERT_TRUE(ReadCardConfiguration(kShippedBoardConfig, config));
    EXPECT_EQ(config.outputCards, (std::vector<CardSlot>{{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
    EXPECT_EQ(config.inputCards, (std::vector<CardSlot>{{5, 129}, {6, 130}, {7, 131}, {8, 132}}));
    EXPECT_EQ(config.motherBoardId, 0);
}

struct ManualCase {
    const char* name;
    std::vector<int> outputSlots;
    std::vector<int> inputSlots;
    std::array<int, kSlotCount> ids;
};

void PrintTo(const ManualCase& c, std::ostream* os) {
    *os << c.name;
}

class ManualInventory : public testing::TestWithParam<ManualCase> {};

TEST_P(ManualInventory, GivesSlotNumbersAndInputIdsFrom129) {
    std::array<bool, kSlotCount> outputs{}, inputs{};
    for (const int slot : GetParam().outputSlots)
        outputs[slot - 1] = true;
    for (const int slot : GetParam().inputSlots)
        inputs[slot - 1] = true;
    EXPECT_EQ(ManualConfiguration(outputs, inputs), GetParam().ids);
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, ManualInventory,
    testing::Values(ManualCase{"OutputsInOneAndTwoInputsInThreeAndFive",
                               {1, 2},
                               {3, 5},
                               {1, 2, 129, 0, 130, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                    ManualCase{
                        "OutputInTwelve", {12}, {}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0}},
                    ManualCase{"SlotTickedBothWaysIsAnOutput",
                               {4},
                               {4, 14},
                               {0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 129}},
                    ManualCase{"NothingTicked", {}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InventoryTest, WritingNeverCreatesTheFile) {
    std::array<int, kSlotCount> ids{};
    ids[0] = 1;
    EXPECT_FALSE(WriteCardConfiguration(dir / kBoardConfigFileName, ids));
    EXPECT_FALSE(fs::exists(dir / kBoardConfigFileName));
}

TEST_F(InventoryTest, WritingReplacesTheSlotsAndKeepsTheMotherBoard) {
    const auto file = dir.Write(kBoardConfigFileName,
                                "[Card Slot 1]\r\nCard ID=129\r\n[Mother Board]\r\n"
                                "Mother Board 1 ID=7\r\n");
    const std::array<int, kSlotCount> ids{1, 2, 129, 0, 130, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(WriteCardConfiguration(file, ids));
    CardConfiguration config;
    ASSERT_TRUE(ReadCardConfiguration(file, config));
    EXPECT_EQ(config.outputCards, (std::vector<CardSlot>{{1, 1}, {2, 2}}));
    EXPECT_EQ(config.inputCards, (std::vector<CardSlot>{{3, 129}, {5, 130}}));
    EXPECT_EQ(config.motherBoardId, 7);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_EQ(ReadProfileString(file, "Card Slot " + std::to_string(slot), "Card ID", "", 10),
                  std::to_string(ids[slot - 1]));
    }
}

// Detection over a scripted port.
class InventoryDetectionTest : public InventoryTest {
protected:
    InventoryDetectionTest() {
        auto owned = std::make_unique<test::FakePort>();
        port = owned.get();
        link.SetPort(std::move(owned));
        link.SetClock(&clock);
        link.portNumber = 3;
        link.baudRate = 9600;
        link.timeout = 1;
        EXPECT_TRUE(link.Open());
        file = dir.Write(kBoardConfigFileName, "[Card Slot 1]\r\nCard ID=1\r\n");
    }

    // A valid status reply with card 0x81 in slot 3 and card 5 in slot 10.
    static std::vector<std::uint8_t> Reply() {
        std::vector<std::uint8_t> reply(kStatusReplySize, 0);
        reply[0] = kHeader1;
        reply[1] = kHeader2;
        reply[6] = 0x81;
        reply[18] = 0x05;
        return reply;  // both block sums are 0, and so is byte 25
    }

    test::FakeClock clock;
    CSerialComm link;
    test::FakePort* port = nullptr;
    fs::path file;
};

TEST_F(InventoryDetectionTest, AcceptedReplyGivesRowsAndIsWritten) {
    port->Reply(Reply());
    const DetectionOutcome outcome = DetectAndWriteConfiguration(link, file);
    ASSERT_EQ(outcome.result, DetectResult::kOk);
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(DetectedRows(outcome.ids), (std::vector<DetectedRow>{{1, 3, true}, {5, 10, false}}));
    CardConfiguration config;
    ASSERT_TRUE(ReadCardConfiguration(file, config));
    EXPECT_EQ(config.inputCards, (std::vector<CardSlot>{{3, 129}}));
    EXPECT_EQ(config.outputCards, (std::vector<CardSlot>{{10, 5}}));
}

TEST_F(InventoryDetectionTest, NoAcceptedReplyLeavesTheFileAlone) {
    auto bad = Reply();
    bad[25] = 1;
    port->Reply(bad);
    const std::string before = dir.Read(kBoardConfigFileName);
    const DetectionOutcome outcome = DetectAndWriteConfiguration(link, file);
    EXPECT_EQ(outcome.result, DetectResult::kNoValidReply);
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(dir.Read(kBoardConfigFileName), before);
}

TEST_F(InventoryDetectionTest, AcceptedReplyWithoutAFileIsNotWritten) {
    fs::remove(file);
    port->Reply(Reply());
    const DetectionOutcome outcome = DetectAndWriteConfiguration(link, file);
    EXPECT_EQ(outcome.result, DetectResult::kOk);
    EXPECT_FALSE(outcome.written);
    EXPECT_FALSE(fs::exists(file));
}

}  // namespace
}  // namespace kov

#include "link/synchronise.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "link/commands.h"
#include "link/serial_comm.h"
#include "store/card_inventory.h"
#include "store/project_file.h"
#include "store/tables.h"
#include "store/templates.h"
#include "support/fake_link.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

// Parses "ED CB 00 12 ..." into bytes.
Bytes Hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    std::string token;
    while (in >> token)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(token, nullptr, 16)));
    return bytes;
}

// Bytes 0-11 of a composed frame (byte 12, the checksum, is completed on sending).
Bytes Head(const CommandFrame& frame) {
    return {frame.begin(), frame.begin() + 12};
}

// The frame as it goes on the wire.
Bytes Wire(CommandFrame frame) {
    CompleteChecksum(frame);
    return {frame.begin(), frame.end()};
}

std::vector<Bytes> Wire(const std::vector<CommandFrame>& frames) {
    std::vector<Bytes> wire;
    for (const CommandFrame& frame : frames)
        wire.push_back(Wire(frame));
    return wire;
}

ResolutionEntry Resolution(int code) {
    const ResolutionEntry* entry = FindResolution(code);
    EXPECT_NE(entry, nullptr) << code;
    return entry != nullptr ? *entry : ResolutionEntry{};
}

// An input card whose every parameter differs from the others where the frames carry it.
InputCardRecord SampleInput(int cardId) {
    InputCardRecord r;
    r.cardId = cardId;
    r.slot = cardId - 120;
    r.inputPicShow = 1;
    r.inputResolution = Resolution(11);
    r.inputSrc = 10;
    r.inputtranspy = 2;
    r.inputHLocation = 1920;
    r.inputVLocation = 0;
    r.inputHWidth = 1920;
    r.inputVHeight = 1080;
    r.inputFrameLight = 0x32;
    r.inputFrameContrast = 0x33;
    r.inputFrameSaturation = 0x34;
    r.inputFrameDefinition = 0x0C;
    r.inputFrameColorTemperation = 2;
    r.picWordOnoff = 1;
    r.picWordMode = 2;
    r.picWordAboveOn = 1;
    r.picWordAndOr = 0;
    r.picWordRed = 0x10;
    r.picWordGreen = 0x20;
    r.picWordBlue = 0x30;
    r.baseMapinputSrc = 13;
    r.baseMapHLocation = 0;
    r.baseMapVLocation = 0;
    r.baseMapHWidth = 1920;
    r.baseMapVHeight = 1080;
    return r;
}

OutputCardRecord SampleOutput(int cardId) {
    OutputCardRecord r;
    r.cardId = cardId;
    r.slot = cardId;
    r.outputPicshow = 1;
    r.outputReso = Resolution(5);
    r.OutPutinputSrc = 1;
    r.outputHLocation = 0;
    r.outputVLocation = 0;
    r.outputHWidth = 1920;
    r.outputVHeight = 1080;
    r.doublePicHLocation = 100;
    r.doublePicVLocation = 200;
    r.doublePicHWidth = 640;
    r.doublePicVHeight = 480;
    r.isOn = 1;
    r.doublePictranspy = 3;
    r.outputFrameLight = 0x28;
    r.outputFrameContrast = 0x29;
    r.outputFrameSaturation = 0x2A;
    r.outputFrameDefinition = 0x2B;
    r.outputFrameColorTemperation = 1;
    r.outputFrameGamma = 4;
    r.DoublePicinputSrc = 3;
    r.outputHparam = 3840;
    r.spliceHLocation = 1920;
    r.spliceHWidth = 1920;
    r.outputVparam = 2160;
    r.spliceVLocation = 0;
    r.spliceVHeight = 1080;
    r.isSpliceDouble = 1;
    r.doubleSpliceHparam = 3840;
    r.doubleSpliceHLocation = 0;
    r.doubleSpliceHWidth = 960;
    r.doubleSpliceVparam = 2160;
    r.doubleSpliceVLocation = 540;
    r.doubleSpliceVHeight = 540;
    return r;
}

// Input cards 129, 130, ... and output cards 1, 2, ...
RecordsSnapshot Rack(int inputs, int outputs) {
    RecordsSnapshot snapshot;
    for (int i = 0; i < inputs; ++i)
        snapshot.inputs.push_back(SampleInput(129 + i));
    for (int i = 0; i < outputs; ++i)
        snapshot.outputs.push_back(SampleOutput(1 + i));
    snapshot.screen = {3840, 2160};
    return snapshot;
}

// ---- The frame list ----

TEST(SynchroniseFrames, OneInputAndOneOutputCardGiveThirtyOneFramesInOrder) {
    const std::vector<std::string> expected = {
        "ED CB 00 02 0B 55 55 55 55 55 55 55",  // resolution of the first input, whole device
        // input card 129
        "ED CB 81 02 0B 55 55 55 55 55 55 55",  // resolution
        "ED CB 81 04 00 00 00 00 07 80 04 38",  // base map window
        "ED CB 81 05 07 80 00 00 07 80 04 38",  // capture window
        "ED CB 81 06 01 02 00 55 55 55 55 55",  // picture display: shown, transparency 2
        "ED CB 81 03 00 01 32 55 55 55 55 55",  // brightness
        "ED CB 81 03 01 01 33 55 55 55 55 55",  // contrast
        "ED CB 81 03 02 01 34 55 55 55 55 55",  // saturation
        "ED CB 81 03 03 01 0C 55 55 55 55 55",  // definition
        "ED CB 81 03 08 01 02 00 00 00 55 55",  // colour temperature
        "ED CB 81 11 00 0D 55 55 55 55 55 55",  // base map source
        "ED CB 81 11 01 0A 55 55 55 55 55 55",  // picture source
        "ED CB 81 15 01 02 01 00 10 20 30 55",  // picture word
        // output card 1
        "ED CB 01 02 05 55 55 55 55 55 55 55",  // resolution
        "ED CB 01 04 00 00 00 00 07 80 04 38",  // output window
        "ED CB 01 05 00 64 00 C8 02 80 01 E0",  // picture-2 window
        "ED CB 01 06 01 03 00 55 55 55 55 55",  // picture display: picture 2 on, transparency 3
        "ED CB 01 03 00 00 28 55 55 55 55 55",  // brightness
        "ED CB 01 03 01 00 29 55 55 55 55 55",  // contrast
        "ED CB 01 03 02 00 2A 55 55 55 55 55",  // saturation
        "ED CB 01 03 03 00 2B 55 55 55 55 55",  // definition
        "ED CB 01 03 08 00 01 00 00 00 55 55",  // colour temperature
        "ED CB 01 03 0B 55 04 55 55 55 55 55",  // gamma
        "ED CB 01 11 00 01 55 55 55 55 55 55",  // picture 1 source
        "ED CB 01 11 01 03 55 55 55 55 55 55",  // picture 2 source
        "ED CB 01 0B 01 55 55 55 55 55 55 55",  // show output picture
        "ED CB 01 0C 0F 00 07 80 07 80 55 55",  // horizontal splice
        "ED CB 01 0D 08 70 00 00 04 38 55 55",  // vertical splice
        "ED CB 01 1E 01 55 55 55 55 55 55 55",  // picture-2 splice on
        "ED CB 01 1C 0F 00 00 00 03 C0 55 55",  // picture-2 horizontal splice
        "ED CB 01 1D 08 70 02 1C 02 1C 55 55",  // picture-2 vertical splice
    };
    const std::vector<CommandFrame> frames = SynchroniseFrames(Rack(1, 1), {}, {});
    ASSERT_EQ(frames.size(), expected.size());
    for (std::size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ(Head(frames[i]), Hex(expected[i])) << "frame " << i;
}

struct CountCase {
    const char* name;
    int inputs;
    int outputs;
    int frames;
};

class FrameCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(FrameCountTest, IsOnePlusTwelvePerInputPlusEighteenPerOutput) {
    const CountCase& c = GetParam();
    EXPECT_EQ(SynchroniseFrames(Rack(c.inputs, c.outputs), {}, {}).size(),
              static_cast<std::size_t>(c.frames));
    EXPECT_EQ(SynchroniseFrameCount(c.inputs, c.outputs), c.frames);
}

INSTANTIATE_TEST_SUITE_P(
    Racks, FrameCountTest,
    testing::Values(CountCase{"OneAndOne", 1, 1, 31}, CountCase{"DefaultRack", 4, 4, 121},
                    CountCase{"FullRack", 7, 7, 211}, CountCase{"InputsOnly", 3, 0, 37},
                    // No input record: no whole-device resolution, the outputs only.
                    CountCase{"OutputsOnly", 0, 3, 54}, CountCase{"NoCards", 0, 0, 0}),
    [](const testing::TestParamInfo<CountCase>& info) { return info.param.name; });

TEST(SynchroniseFrames, EveryCardsFramesGoToItsOwnAddressInTableOrder) {
    const RecordsSnapshot rack = Rack(7, 7);
    const std::vector<CommandFrame> frames = SynchroniseFrames(rack, {}, {});
    std::vector<int> expected = {kDeviceAddress};
    for (const InputCardRecord& r : rack.inputs)
        expected.insert(expected.end(), kSyncFramesPerInput, r.cardId);
    for (const OutputCardRecord& r : rack.outputs)
        expected.insert(expected.end(), kSyncFramesPerOutput, r.cardId);
    std::vector<int> addresses;
    for (const CommandFrame& frame : frames)
        addresses.push_back(frame[2]);
    EXPECT_EQ(addresses, expected);
}

TEST(SynchroniseFrames, WithoutInputCardsTheOutputsComeFirst) {
    const std::vector<CommandFrame> frames = SynchroniseFrames(Rack(0, 1), {}, {});
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(Head(frames.front()), Hex("ED CB 01 02 05 55 55 55 55 55 55 55"));
}

// A hidden card changes exactly one frame: byte 4 of its display frame becomes 0x00.
struct HiddenCase {
    const char* name;
    std::vector<bool> inputHidden;
    std::vector<bool> outputHidden;
    std::size_t changedFrame;  // index in the list of a 2 + 2 rack
    std::uint8_t changedCommand;
};

class HiddenCardTest : public testing::TestWithParam<HiddenCase> {};

TEST_P(HiddenCardTest, ChangesOnlyTheDisplayByteOfOneFrame) {
    const HiddenCase& c = GetParam();
    const RecordsSnapshot rack = Rack(2, 2);
    const std::vector<CommandFrame> shown = SynchroniseFrames(rack, {}, {});
    const std::vector<CommandFrame> hidden = SynchroniseFrames(rack, c.inputHidden, c.outputHidden);
    ASSERT_EQ(hidden.size(), shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (i != c.changedFrame) {
            EXPECT_EQ(hidden[i], shown[i]) << "frame " << i;
            continue;
        }
        EXPECT_EQ(hidden[i][3], c.changedCommand);
        EXPECT_EQ(shown[i][4], 0x01);
        EXPECT_EQ(hidden[i][4], 0x00);
        CommandFrame restored = hidden[i];
        restored[4] = shown[i][4];
        EXPECT_EQ(restored, shown[i]) << "only byte 4 differs";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, HiddenCardTest,
    testing::Values(
        // Picture display is the 4th frame of an input card, show output picture the 13th
        // of an output card.
        HiddenCase{"FirstInput", {true}, {}, 1 + 3, cmd::kPictureDisplay},
        HiddenCase{"SecondInput", {false, true}, {}, 1 + 12 + 3, cmd::kPictureDisplay},
        HiddenCase{"FirstOutput", {}, {true, false}, 1 + 24 + 12, cmd::kShowOutputPicture},
        HiddenCase{"SecondOutput", {}, {false, true}, 1 + 24 + 18 + 12, cmd::kShowOutputPicture}),
    [](const testing::TestParamInfo<HiddenCase>& info) { return info.param.name; });

TEST(HiddenCellsOf, FollowsTheRecordsDisplayFields) {
    RecordsSnapshot rack = Rack(2, 3);
    rack.inputs[1].inputPicShow = 0;
    rack.outputs[0].outputPicshow = 0;
    const HiddenCells hidden = HiddenCellsOf(rack);
    EXPECT_EQ(hidden.inputs, (std::vector<bool>{false, true}));
    EXPECT_EQ(hidden.outputs, (std::vector<bool>{true, false, false}));
}

// ---- Sending ----

// A link on a scripted port.
class LinkTest : public testing::Test {
protected:
    test::FakeLink fake;
    CSerialComm& link = fake.link;
    test::FakePort* port = fake.port;
};

using SynchroniseTest = LinkTest;

TEST_F(SynchroniseTest, SendsExactlyTheFrameListAndReportsProgress) {
    const RecordsSnapshot rack = Rack(7, 7);
    const std::vector<bool> inputHidden = {false, true};
    const std::vector<bool> outputHidden = {true};
    std::vector<std::pair<int, int>> progress;
    const SyncResult result =
        Synchronise(link, rack, inputHidden, outputHidden,
                    [&progress](int done, int total) { progress.emplace_back(done, total); });

    EXPECT_EQ(port->Frames(), Wire(SynchroniseFrames(rack, inputHidden, outputHidden)));
    EXPECT_EQ(result.sent, 211);
    EXPECT_EQ(result.total, 211);
    ASSERT_EQ(progress.size(), 211u);
    for (std::size_t i = 0; i < progress.size(); ++i)
        EXPECT_EQ(progress[i], std::make_pair(static_cast<int>(i) + 1, 211));
}

TEST_F(SynchroniseTest, LostFramesDoNotStopTheRun) {
    // The port takes five whole frames and part of the sixth, then nothing more.
    port->writeBudget = 5 * kFrameSize + 6;
    int calls = 0;
    const SyncResult result =
        Synchronise(link, Rack(1, 1), {}, {}, [&calls](int, int) { ++calls; });
    EXPECT_EQ(result.sent, 5);
    EXPECT_EQ(result.total, 31);
    EXPECT_EQ(calls, 31);
}

TEST_F(SynchroniseTest, NoCardsSendNothing) {
    const SyncResult result = Synchronise(link, RecordsSnapshot{}, {}, {});
    EXPECT_EQ(result.sent, 0);
    EXPECT_EQ(result.total, 0);
    EXPECT_TRUE(port->written.empty());
}

// ---- Templates ----

// A link on a scripted port, records of one input card (129) and one output card (1) built
// from the shipped defaults, in a temporary program directory.
class TemplateTest : public LinkTest {
protected:
    TemplateTest() {
        CardConfiguration config;
        config.inputCards = {{5, 129}};
        config.outputCards = {{1, 1}};
        EXPECT_TRUE(records.Load(config, KOV_DATA_DIR));
        original = records.Snapshot();
        edited = original;
        edited.inputs[0].inputSrc = 8;
        edited.inputs[0].inputHLocation = 640;
        edited.outputs[0].spliceHWidth = 960;
        edited.outputs[0].outputFrameGamma = 3;
    }

    // Puts a snapshot into the records, as if they had been edited to it.
    void Restore(const RecordsSnapshot& snapshot) {
        auto lock = records.Lock();
        records.input.Records() = snapshot.inputs;
        records.output.Records() = snapshot.outputs;
        records.screen = snapshot.screen;
    }

    // The records a file at path reads into, starting from the original records.
    RecordsSnapshot ReadBack(const fs::path& path) {
        CardRecords fresh;
        CardConfiguration config;
        config.inputCards = {{5, 129}};
        config.outputCards = {{1, 1}};
        EXPECT_TRUE(fresh.Load(config, KOV_DATA_DIR));
        EXPECT_TRUE(ReadProjectFile(path, fresh).Clean());
        return fresh.Snapshot();
    }

    test::TempDir dir;
    CardRecords records;
    RecordsSnapshot original;
    RecordsSnapshot edited;
};

enum class Action { kRecall, kStore };

struct TemplateCase {
    const char* name;
    Action action;
    int n;
    std::string frame;  // the whole frame on the wire
    std::string file;
};

class TemplateActionTest : public TemplateTest, public testing::WithParamInterface<TemplateCase> {};

// Recall carries the file's records into the program; store carries the program's records
// into the file. Either way the edited records end up on the other side.
TEST_P(TemplateActionTest, SendsTheTemplateFrameAndMovesTheRecordsThroughItsFile) {
    const TemplateCase& c = GetParam();
    EXPECT_EQ(TemplateFileName(c.n), c.file);
    if (c.action == Action::kRecall) {
        ASSERT_TRUE(WriteProjectFile(dir / c.file, edited));
        const ProjectReadReport report = RecallTemplate(link, records, dir.Path(), c.n);
        EXPECT_TRUE(report.Clean());
        EXPECT_EQ(records.Snapshot().inputs, edited.inputs);
        EXPECT_EQ(records.Snapshot().outputs, edited.outputs);
    } else {
        dir.Write(c.file, "an older template, replaced as a whole");
        Restore(edited);
        EXPECT_TRUE(StoreTemplate(link, records, dir.Path(), c.n));
        EXPECT_EQ(dir.Read(c.file), ProjectFileBytes(edited));
        const RecordsSnapshot stored = ReadBack(dir / c.file);
        EXPECT_EQ(stored.inputs, edited.inputs);
        EXPECT_EQ(stored.outputs, edited.outputs);
    }
    EXPECT_EQ(port->Frames(), std::vector<Bytes>{Hex(c.frame)});
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, TemplateActionTest,
    testing::Values(TemplateCase{"Recall1", Action::kRecall, 1,
                                 "ED CB 00 01 01 00 55 55 55 55 55 55 00", "Mode1.ini"},
                    TemplateCase{"Recall8", Action::kRecall, 8,
                                 "ED CB 00 01 01 07 55 55 55 55 55 55 07", "Mode8.ini"},
                    TemplateCase{"Recall15", Action::kRecall, 15,
                                 "ED CB 00 01 01 0E 55 55 55 55 55 55 0E", "Mode15.ini"},
                    TemplateCase{"Store1", Action::kStore, 1,
                                 "ED CB 00 01 00 00 55 55 55 55 55 55 FF", "Mode1.ini"},
                    TemplateCase{"Store15", Action::kStore, 15,
                                 "ED CB 00 01 00 0E 55 55 55 55 55 55 0D", "Mode15.ini"}),
    [](const testing::TestParamInfo<TemplateCase>& info) { return info.param.name; });

TEST_F(TemplateTest, RecallWithoutItsFileStillRecallsAndKeepsTheRecords) {
    Restore(edited);
    const ProjectReadReport report = RecallTemplate(link, records, dir.Path(), 8);
    EXPECT_FALSE(report.opened);
    EXPECT_EQ(records.Snapshot().inputs, edited.inputs);
    EXPECT_EQ(records.Snapshot().outputs, edited.outputs);
    EXPECT_EQ(port->Frames(), std::vector<Bytes>{Hex("ED CB 00 01 01 07 55 55 55 55 55 55 07")});
}

struct RefusedCase {
    const char* name;
    Action action;
    int n;
};

class RefusedTemplateTest : public TemplateTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedTemplateTest, SendsNothingAndTouchesNoFile) {
    const RefusedCase& c = GetParam();
    EXPECT_FALSE(IsTemplateNumber(c.n));
    // A file of that name would be read by a recall that did not check the number.
    if (c.action == Action::kRecall) {
        ASSERT_TRUE(WriteProjectFile(dir / TemplateFileName(c.n), edited));
        EXPECT_FALSE(RecallTemplate(link, records, dir.Path(), c.n).opened);
        EXPECT_EQ(records.Snapshot().inputs, original.inputs);
        EXPECT_EQ(records.Snapshot().outputs, original.outputs);
    } else {
        EXPECT_FALSE(StoreTemplate(link, records, dir.Path(), c.n));
        EXPECT_FALSE(fs::exists(dir / TemplateFileName(c.n)));
    }
    EXPECT_TRUE(port->written.empty());
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, RefusedTemplateTest,
                         testing::Values(RefusedCase{"Recall0", Action::kRecall, 0},
                                         RefusedCase{"Recall16", Action::kRecall, 16},
                                         RefusedCase{"Store0", Action::kStore, 0},
                                         RefusedCase{"Store16", Action::kStore, 16},
                                         RefusedCase{"StoreMinus1", Action::kStore, -1}),
                         [](const testing::TestParamInfo<RefusedCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace kov

#include "store/project_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <set>

#include "store/tables.h"
#include "store/text_codec.h"
#include "support/restore_records.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

enum class Encoding { kUtf16, kUtf8 };

void PrintTo(Encoding e, std::ostream* os) {
    *os << (e == Encoding::kUtf16 ? "UTF-16LE" : "UTF-8");
}

// ASCII text as UTF-16LE with byte-order mark, built byte by byte (not with the codec).
std::string WideFile(std::string_view ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

std::string Encode(std::string_view text, Encoding encoding) {
    return encoding == Encoding::kUtf16 ? std::string(kUtf16Bom) + Utf8ToUtf16Le(text)
                                        : std::string(text);
}

std::string Join(const std::vector<std::string>& lines, std::string_view lineEnd) {
    std::string text;
    for (const std::string& line : lines)
        text += line + std::string(lineEnd);
    return text;
}

CardConfiguration Config(std::vector<CardSlot> inputs, std::vector<CardSlot> outputs) {
    CardConfiguration config;
    config.inputCards = std::move(inputs);
    config.outputCards = std::move(outputs);
    return config;
}

template <class Record>
Record& ById(std::vector<Record>& records, int cardId) {
    for (Record& r : records) {
        if (r.cardId == cardId)
            return r;
    }
    throw std::out_of_range("no card " + std::to_string(cardId));
}

// Gives every field of every record a value of its own, derived from the key's position
// and the record's position; some fields get the extremes of their width.
template <class Record>
void Scramble(std::vector<Record>& records, std::span<const ProjectKey<Record>> keys) {
    for (std::size_t r = 0; r < records.size(); ++r) {
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (keys[k].role == KeyRole::kCardId)
                continue;
            const int seed = static_cast<int>(k * 37 + r * 11);
            std::visit(
                [&](auto member) {
                    auto& field = records[r].*member;
                    using Field = std::decay_t<decltype(field)>;
                    if constexpr (std::is_same_v<Field, ResolutionEntry>) {
                        field = *FindResolution(1 + seed % 21);
                    } else if constexpr (std::is_same_v<Field, std::int32_t>) {
                        field = k == 5 ? INT_MIN : k == 6 ? INT_MAX : seed * 97 - 3000;
                    } else {
                        field = static_cast<Field>(std::numeric_limits<Field>::max() - seed);
                    }
                },
                keys[k].field);
        }
    }
}

RecordsSnapshot Scrambled(RecordsSnapshot snapshot) {
    Scramble(snapshot.inputs, InputProjectKeys());
    Scramble(snapshot.outputs, OutputProjectKeys());
    if (!snapshot.outputs.empty()) {
        snapshot.screen = {snapshot.outputs.back().outputHparam,
                           snapshot.outputs.back().outputVparam};
    }
    return snapshot;
}

void ExpectSameRecords(const RecordsSnapshot& read, const RecordsSnapshot& expected) {
    EXPECT_EQ(read.inputs, expected.inputs);
    EXPECT_EQ(read.outputs, expected.outputs);
    EXPECT_EQ(read.screen, expected.screen);
}

// A program directory holding the shipped defaults.
class ProjectFileTest : public testing::Test {
protected:
    ProjectFileTest() {
        fs::copy_file(fs::path(KOV_DATA_DIR) / kDefaultsFileName, dir / kDefaultsFileName);
    }

    std::unique_ptr<CardRecords> Records(const CardConfiguration& config) const {
        auto records = std::make_unique<CardRecords>();
        EXPECT_TRUE(records->Load(config, dir.Path()));
        return records;
    }

    // Two input cards (129 in slot 5, 130 in slot 6) and two output cards (1, 2).
    std::unique_ptr<CardRecords> RackRecords() const {
        return Records(Config({{5, 129}, {6, 130}}, {{1, 1}, {2, 2}}));
    }

    test::TempDir dir;
};

// ---- Writing ----

TEST_F(ProjectFileTest, LayoutIsByteExact) {
    InputCardRecord in;
    in.cardId = 129;
    in.slot = 3;
    in.inputResolution = *FindResolution(11);
    in.inputSrc = 13;
    in.inputtranspy = 65535;
    in.inputPicShow = 1;
    in.inputHLocation = -5;
    in.inputHWidth = 1920;
    in.inputVHeight = 1080;
    in.inputFrameLight = 50;
    in.inputFrameColorTemperation = 200;
    in.picWordOnoff = 255;
    in.picWordBlue = 7;
    in.baseMapinputSrc = 13;
    in.baseMapVHeight = 2147483647;
    OutputCardRecord out;
    out.cardId = 4;
    out.slot = 1;
    out.OutPutinputSrc = 9;
    out.outputReso = *FindResolution(20);
    out.outputHparam = 3840;
    out.outputVparam = 2160;
    out.spliceHWidth = 1920;
    out.outputFrameGamma = 6;
    out.isOn = 1;
    out.doublePictranspy = 3;
    out.doubleSpliceVHeight = -2147483647 - 1;
    const std::string expected =
        "[CardSlot3]\r\nID=129\r\ninputResolution=11\r\ninputSrc=13\r\ninputtranspy=65535\r\n"
        "inputPicShow=1\r\ninputHLocation=-5\r\ninputHWidth=1920\r\ninputVLocation=0\r\n"
        "inputVHeight=1080\r\ninputFrameLight=50\r\ninputFrameContrast=0\r\n"
        "inputFrameSaturation=0\r\ninputFrameDefinition=0\r\ninputFrameColorTemperation=200\r\n"
        "picWordOnoff=255\r\npicWordMode=0\r\npicWordAboveOn=0\r\npicWordAndOr=0\r\n"
        "picWordRed=0\r\npicWordGreen=0\r\npicWordBlue=7\r\nbaseMapinputSrc=13\r\n"
        "baseMapHLocation=0\r\nbaseMapHWidth=0\r\nbaseMapVLocation=0\r\n"
        "baseMapVHeight=2147483647\r\n"
        "[CardSlot1]\r\nID=4\r\nOutPutinputSrc=9\r\noutputReso=20\r\noutputPicshow=0\r\n"
        "outputHparam=3840\r\noutputVparam=2160\r\nspliceHLocation=0\r\nspliceHWidth=1920\r\n"
        "spliceVLocation=0\r\nspliceVHeight=0\r\noutputHLocation=0\r\noutputHWidth=0\r\n"
        "outputVLocation=0\r\noutputVHeight=0\r\noutputFrameLight=0\r\n"
        "outputFrameContrast=0\r\noutputFrameSaturation=0\r\noutputFrameDefinition=0\r\n"
        "outputFrameColorTemperation=0\r\noutputFrameGamma=6\r\nisOn=1\r\n"
        "DoublePicinputSrc=0\r\ndoublePicHLocation=0\r\ndoublePicHWidth=0\r\n"
        "doublePicVLocation=0\r\ndoublePicVHeight=0\r\ndoublePictranspy=3\r\n"
        "isSpliceDouble=0\r\ndoubleSpliceHparam=0\r\ndoubleSpliceVparam=0\r\n"
        "doubleSpliceHLocation=0\r\ndoubleSpliceHWidth=0\r\ndoubleSpliceVLocation=0\r\n"
        "doubleSpliceVHeight=-2147483648\r\n";
    const RecordsSnapshot snapshot{{in}, {out}, {3840, 2160}};
    ASSERT_TRUE(WriteProjectFile(dir / "a.scpx", snapshot));
    EXPECT_EQ(dir.Read("a.scpx"), WideFile(expected));
}

TEST_F(ProjectFileTest, InputSectionsComeFirstInTableOrder) {
    const auto records = Records(Config({{2, 129}, {5, 130}}, {{1, 1}}));
    const std::string text = Utf16LeToUtf8(ProjectFileBytes(records->Snapshot()).substr(2));
    std::vector<std::string> headers;
    for (std::size_t at = text.find('['); at != std::string::npos; at = text.find('[', at + 1)) {
        headers.push_back(text.substr(at, text.find(']', at) - at + 1));
    }
    EXPECT_EQ(headers, (std::vector<std::string>{"[CardSlot2]", "[CardSlot5]", "[CardSlot1]"}));
}

TEST_F(ProjectFileTest, KeyTablesNameEachKeyOnceAndShareOnlyTheId) {
    std::set<std::string_view> inputNames, outputNames;
    for (const auto& key : InputProjectKeys())
        EXPECT_TRUE(inputNames.insert(key.name).second);
    for (const auto& key : OutputProjectKeys())
        EXPECT_TRUE(outputNames.insert(key.name).second);
    std::vector<std::string_view> shared;
    std::set_intersection(inputNames.begin(), inputNames.end(), outputNames.begin(),
                          outputNames.end(), std::back_inserter(shared));
    EXPECT_EQ(shared, std::vector<std::string_view>{"ID"});
    EXPECT_EQ(InputProjectKeys().front().role, KeyRole::kCardId);
    EXPECT_EQ(OutputProjectKeys().front().role, KeyRole::kCardId);
}

// A write that cannot complete returns false and leaves what was there.
struct WriteFailureCase {
    const char* name;
    std::function<fs::path(const test::TempDir&)> target;
    rlim_t fileSizeLimit = 0;  // when not 0, no file may grow beyond it (a full disk)
};

void PrintTo(const WriteFailureCase& c, std::ostream* os) {
    *os << c.name;
}

class ProjectWriteFailure : public ProjectFileTest,
                            public testing::WithParamInterface<WriteFailureCase> {};

// Fails every write that would make a file larger than limit bytes, like a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit low = old_;
        low.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &low);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit old_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_P(ProjectWriteFailure, ReturnsFalseAndKeepsTheOldContent) {
    const auto records = RackRecords();
    dir.Write("keep/old.scpx", "old content");
    dir.Write("plain.txt", "a file, not a folder");
    const RecordsSnapshot snapshot = records->Snapshot();
    {
        std::optional<FileSizeLimit> limit;
        if (GetParam().fileSizeLimit != 0)
            limit.emplace(GetParam().fileSizeLimit);
        EXPECT_FALSE(WriteProjectFile(GetParam().target(dir), snapshot));
    }
    EXPECT_EQ(dir.Read("keep/old.scpx"), "old content");
    EXPECT_EQ(dir.Read("plain.txt"), "a file, not a folder");
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
        names.insert(fs::relative(entry.path(), dir.Path()).string());
    }
    EXPECT_EQ(names,
              (std::set<std::string>{kDefaultsFileName, "keep", "keep/old.scpx", "plain.txt"}))
        << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(
    Project, ProjectWriteFailure,
    testing::Values(
        WriteFailureCase{"ParentIsAFile",
                         [](const test::TempDir& d) { return d / "plain.txt" / "a.scpx"; }},
        WriteFailureCase{"DiskFull", [](const test::TempDir& d) { return d / "keep/old.scpx"; },
                         100},
        WriteFailureCase{"TargetIsAFolder", [](const test::TempDir& d) { return d / "keep"; }}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Round trips ----

struct RoundTripCase {
    const char* name;
    std::vector<CardSlot> inputs;
    std::vector<CardSlot> outputs;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

class ProjectRoundTrip : public ProjectFileTest,
                         public testing::WithParamInterface<RoundTripCase> {};

TEST_P(ProjectRoundTrip, ReadingBackGivesTheSameRecordsAndScreen) {
    const CardConfiguration config = Config(GetParam().inputs, GetParam().outputs);
    const auto written = Records(config);
    const RecordsSnapshot edited = Scrambled(written->Snapshot());
    test::RestoreRecords(*written, edited);
    ASSERT_TRUE(WriteProjectFile(dir / "p.scpx", written->Snapshot()));

    const auto fresh = Records(config);
    const ProjectReadReport report = ReadProjectFile(dir / "p.scpx", *fresh);
    EXPECT_TRUE(report.Clean());
    const RecordsSnapshot read = fresh->Snapshot();
    EXPECT_EQ(read.inputs, edited.inputs);
    EXPECT_EQ(read.outputs, edited.outputs);
    if (!edited.outputs.empty()) {
        EXPECT_EQ(read.screen, edited.screen);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Project, ProjectRoundTrip,
    testing::Values(RoundTripCase{"TwoInputsOneOutput", {{2, 129}, {5, 130}}, {{1, 1}}},
                    RoundTripCase{
                        "FullRack",
                        {{8, 129}, {9, 130}, {10, 131}, {11, 132}, {12, 133}, {13, 134}, {14, 135}},
                        {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}},
                    RoundTripCase{"InputsOnly", {{1, 129}}, {}},
                    RoundTripCase{"OutputsOnly", {}, {{3, 3}, {4, 4}}},
                    RoundTripCase{"DetectedIds", {{2, 255}, {4, 128}}, {{1, 127}, {3, 200 - 128}}},
                    RoundTripCase{"NoCards", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Reading ----

struct ReadCase {
    const char* name;
    std::vector<std::string> lines;
    std::function<void(RecordsSnapshot&)> change;  // what the file does to the records
    std::optional<ReadStop> stop = std::nullopt;
    std::vector<IgnoredLine> ignored = {};
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

InputCardRecord& In(RecordsSnapshot& s, int id) {
    return ById(s.inputs, id);
}
OutputCardRecord& Out(RecordsSnapshot& s, int id) {
    return ById(s.outputs, id);
}
void NoChange(RecordsSnapshot&) {}

const ReadCase kReadCases[] = {
    {"SelectedCardsTakeTheirKeys",
     {"[CardSlot6]", "ID=130", "inputSrc=13", "inputHLocation=-20", "[CardSlot2]", "ID=2",
      "OutPutinputSrc=9", "isOn=1"},
     [](RecordsSnapshot& s) {
         In(s, 130).inputSrc = 13;
         In(s, 130).inputHLocation = -20;
         Out(s, 2).OutPutinputSrc = 9;
         Out(s, 2).isOn = 1;
     }},
    {"SectionsInAnotherOrderWithWrongHeaders",
     {"[CardSlot9]", "ID=2", "spliceHLocation=1920", "[Nonsense", "ID=129", "inputSrc=0",
      "[CardSlot1]", "ID=1", "spliceVLocation=1080"},
     [](RecordsSnapshot& s) {
         Out(s, 2).spliceHLocation = 1920;
         In(s, 129).inputSrc = 0;
         Out(s, 1).spliceVLocation = 1080;
     }},
    {"FileWithoutHeaders",
     {"ID=130", "picWordRed=255", "ID=1", "outputFrameLight=70"},
     [](RecordsSnapshot& s) {
         In(s, 130).picWordRed = 255;
         Out(s, 1).outputFrameLight = 70;
     }},
    {"EachKindKeepsItsCurrentCard",
     {"ID=129", "ID=2", "inputSrc=8", "outputFrameGamma=3"},
     [](RecordsSnapshot& s) {
         In(s, 129).inputSrc = 8;
         Out(s, 2).outputFrameGamma = 3;
     }},
    {"ForeignOutputSectionFirstChangesNothing",
     {"[CardSlot1]", "ID=99", "OutPutinputSrc=9", "[CardSlot5]", "ID=129", "inputSrc=0"},
     NoChange,
     ReadStop{2, 99}},
    {"ForeignInputIdStopsBeforeTheOutputs",
     {"[CardSlot5]", "ID=129", "inputSrc=0", "[CardSlot7]", "ID=131", "inputSrc=1", "[CardSlot1]",
      "ID=1", "OutPutinputSrc=9"},
     [](RecordsSnapshot& s) { In(s, 129).inputSrc = 0; },
     ReadStop{5, 131}},
    {"IdZeroStops",
     {"ID=1", "isOn=1", "ID=0", "isOn=0"},
     [](RecordsSnapshot& s) { Out(s, 1).isOn = 1; },
     ReadStop{3, 0}},
    {"NarrowFieldsKeepTheirLowBits",
     {"ID=129", "inputtranspy=70000", "picWordOnoff=300", "picWordMode=-1", "ID=1",
      "doublePictranspy=-1", "isOn=257"},
     [](RecordsSnapshot& s) {
         In(s, 129).inputtranspy = 4464;
         In(s, 129).picWordOnoff = 44;
         In(s, 129).picWordMode = 255;
         Out(s, 1).doublePictranspy = 65535;
         Out(s, 1).isOn = 1;
     }},
    {"ResolutionCodesOutsideTheTableChangeNothing",
     {"ID=129", "inputResolution=22", "ID=130", "inputResolution=17", "ID=1", "outputReso=0",
      "ID=2", "outputReso=x"},
     [](RecordsSnapshot& s) { In(s, 130).inputResolution = *FindResolution(17); },
     std::nullopt,
     {{2, "inputResolution", IgnoredReason::kUnknownResolution},
      {6, "outputReso", IgnoredReason::kUnknownResolution},
      {8, "outputReso", IgnoredReason::kUnknownResolution}}},
    {"KeysAreComparedExactly",
     {"ID=129", "inputSrc = 1", " inputSrc=2", "inputsrc=3", "InputSrc=8", "inputSrc=0"},
     [](RecordsSnapshot& s) { In(s, 129).inputSrc = 0; },
     std::nullopt,
     {{2, "inputSrc ", IgnoredReason::kUnknownKey},
      {3, " inputSrc", IgnoredReason::kUnknownKey},
      {4, "inputsrc", IgnoredReason::kUnknownKey},
      {5, "InputSrc", IgnoredReason::kUnknownKey}}},
    {"KeysWithoutACurrentCardOfTheirKind",
     {"inputSrc=0", "ID=129", "isOn=1", "inputSrc=1"},
     [](RecordsSnapshot& s) { In(s, 129).inputSrc = 1; },
     std::nullopt,
     {{1, "inputSrc", IgnoredReason::kNoCurrentRecord},
      {3, "isOn", IgnoredReason::kNoCurrentRecord}}},
    {"WholeScreenFollowsTheLastParameters",
     {"ID=1", "outputHparam=1920", "ID=2", "outputVparam=1080"},
     [](RecordsSnapshot& s) {
         Out(s, 1).outputHparam = 1920;
         Out(s, 2).outputVparam = 1080;
         s.screen = {1920, 1080};
     }},
    {"ValuesAreReadAsDecimalNumbers",
     {"ID=129", "inputHWidth=abc", "inputHLocation=  -12xyz", "inputSrc=8=9",
      "inputVHeight=", "picWordGreen=+77", "baseMapHWidth=99999999999"},
     [](RecordsSnapshot& s) {
         In(s, 129).inputHWidth = 0;
         In(s, 129).inputHLocation = -12;
         In(s, 129).inputSrc = 8;
         In(s, 129).inputVHeight = 0;
         In(s, 129).picWordGreen = 77;
         In(s, 129).baseMapHWidth = INT_MAX;
     }},
    {"BlankAndOtherLinesWithoutEquals",
     {"", "  ", "ID=129", "just text", "; comment", "inputSrc=1"},
     [](RecordsSnapshot& s) { In(s, 129).inputSrc = 1; },
     std::nullopt,
     {{4, "just text", IgnoredReason::kNoEquals}, {5, "; comment", IgnoredReason::kNoEquals}}},
};

class ProjectReading
    : public ProjectFileTest,
      public testing::WithParamInterface<std::tuple<ReadCase, Encoding, const char*>> {};

TEST_P(ProjectReading, AppliesWhatTheFileSays) {
    const auto& [c, encoding, lineEnd] = GetParam();
    const auto records = RackRecords();
    RecordsSnapshot expected = records->Snapshot();
    c.change(expected);

    dir.Write("p.scpx", Encode(Join(c.lines, lineEnd), encoding));
    const ProjectReadReport report = ReadProjectFile(dir / "p.scpx", *records);

    EXPECT_TRUE(report.opened);
    EXPECT_EQ(report.stopped, c.stop);
    EXPECT_EQ(report.ignored, c.ignored);
    ExpectSameRecords(records->Snapshot(), expected);
}

// "SelectedCardsTakeTheirKeys_Utf16_CrLf"
std::string ReadingName(
    const testing::TestParamInfo<std::tuple<ReadCase, Encoding, const char*>>& info) {
    const ReadCase& c = std::get<0>(info.param);
    const bool utf16 = std::get<1>(info.param) == Encoding::kUtf16;
    const bool lf = std::string_view(std::get<2>(info.param)) == "\n";
    return std::string(c.name) + (utf16 ? "_Utf16" : "_Utf8") + (lf ? "_Lf" : "_CrLf");
}

INSTANTIATE_TEST_SUITE_P(Project, ProjectReading,
                         testing::Combine(testing::ValuesIn(kReadCases),
                                          testing::Values(Encoding::kUtf16, Encoding::kUtf8),
                                          testing::Values("\r\n", "\n")),
                         ReadingName);

TEST_F(ProjectFileTest, FileThatCannotBeOpenedChangesNothing) {
    const auto records = RackRecords();
    const RecordsSnapshot before = records->Snapshot();
    fs::create_directory(dir / "folder.scpx");
    for (const fs::path& path : {dir / "missing.scpx", dir / "folder.scpx"}) {
        const ProjectReadReport report = ReadProjectFile(path, *records);
        EXPECT_FALSE(report.opened) << path;
        EXPECT_FALSE(report.Clean());
    }
    EXPECT_EQ(records->Snapshot().inputs, before.inputs);
    EXPECT_EQ(records->Snapshot().outputs, before.outputs);
}

// ---- Files that are not project files ----

std::string RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 engine(seed);
    std::string bytes(n, '\0');
    for (char& b : bytes)
        b = static_cast<char>(engine() & 0xFF);
    return bytes;
}

struct JunkCase {
    const char* name;
    std::string bytes;
    std::function<void(RecordsSnapshot&)> change;
};

void PrintTo(const JunkCase& c, std::ostream* os) {
    *os << c.name;
}

class ProjectJunk : public ProjectFileTest, public testing::WithParamInterface<JunkCase> {};

TEST_P(ProjectJunk, ChangesAtMostWhatAValidPrefixSays) {
    const auto records = RackRecords();
    RecordsSnapshot expected = records->Snapshot();
    GetParam().change(expected);
    const ProjectReadReport report = ApplyProjectBytes(GetParam().bytes, *records);
    EXPECT_TRUE(report.opened);
    ExpectSameRecords(records->Snapshot(), expected);
}

const std::string kLongLine(100000, 'x');
constexpr char kNulLines[] = "ID=129\0zz\r\ninputSrc\0=1\r\ninputHWidth=7\0\r\n";
const std::string kLongNumber = "ID=129\r\ninputHWidth=" + std::string(100000, '7') + "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Project, ProjectJunk,
    testing::Values(JunkCase{"Empty", "", NoChange}, JunkCase{"OneByte", "\xFF", NoChange},
                    JunkCase{"OneLetter", "I", NoChange},
                    JunkCase{"MarkOnly", "\xFF\xFE", NoChange},
                    JunkCase{"MarkAndOddByte", "\xFF\xFE\x49", NoChange},
                    JunkCase{"RandomBinary", RandomBytes(65536, 7), NoChange},
                    JunkCase{"RandomBinaryAfterMark", "\xFF\xFE" + RandomBytes(65537, 8), NoChange},
                    JunkCase{"Utf16WithOddByteCount", WideFile("ID=129\r\ninputSrc=0\r\n") + "\x31",
                             [](RecordsSnapshot& s) { In(s, 129).inputSrc = 0; }},
                    JunkCase{"VeryLongNarrowLine", kLongLine + "\r\nID=129\r\ninputSrc=0\r\n",
                             [](RecordsSnapshot& s) { In(s, 129).inputSrc = 0; }},
                    JunkCase{"VeryLongWideLine",
                             WideFile(kLongLine + "\r\nID=129\r\ninputSrc=0\r\n"),
                             [](RecordsSnapshot& s) { In(s, 129).inputSrc = 0; }},
                    JunkCase{"VeryLongNumber", kLongNumber,
                             [](RecordsSnapshot& s) { In(s, 129).inputHWidth = INT_MAX; }},
                    JunkCase{"NulBytesEndTheLine", std::string(kNulLines, sizeof kNulLines - 1),
                             [](RecordsSnapshot& s) { In(s, 129).inputHWidth = 7; }},
                    JunkCase{"NoLineEndAtAll", "ID=1", NoChange}),
    [](const auto& info) { return std::string(info.param.name); });

// A file cut anywhere reads without harm, and the card set never changes.
TEST_F(ProjectFileTest, EveryPrefixOfAFileReadsWithoutHarm) {
    const auto records = Records(Config({{5, 129}}, {{1, 1}}));
    const RecordsSnapshot original = records->Snapshot();
    const RecordsSnapshot target = Scrambled(original);
    const std::string wide = ProjectFileBytes(target);
    const std::string narrow = Utf16LeToUtf8(wide.substr(2));
    for (const std::string* file : {&wide, &narrow}) {
        for (std::size_t n = 0; n <= file->size(); ++n) {
            test::RestoreRecords(*records, original);
            ApplyProjectBytes(std::string_view(*file).substr(0, n), *records);
            const RecordsSnapshot read = records->Snapshot();
            ASSERT_EQ(read.inputs.size(), 1u);
            ASSERT_EQ(read.outputs.size(), 1u);
            ASSERT_EQ(read.inputs[0].cardId, 129);
            ASSERT_EQ(read.inputs[0].slot, 5);
            ASSERT_EQ(read.outputs[0].cardId, 1);
            ASSERT_EQ(read.outputs[0].slot, 1);
        }
        EXPECT_EQ(records->Snapshot().inputs, target.inputs);
        EXPECT_EQ(records->Snapshot().outputs, target.outputs);
    }
}

// A narrow line longer than 4095 bytes is read in pieces of 4095 bytes, each as a line.
TEST_F(ProjectFileTest, LongNarrowLinesAreReadInPieces) {
    const auto records = RackRecords();
    const std::string filler(4095 - 6, ' ');
    const std::string file = "ID=129\r\n" + filler + "abcdefinputSrc=3\r\n";
    const ProjectReadReport report = ApplyProjectBytes(file, *records);
    EXPECT_EQ(records->Snapshot().inputs[0].inputSrc, 3);
    ASSERT_EQ(report.ignored.size(), 1u);
    EXPECT_EQ(report.ignored[0].line, 2);
    EXPECT_EQ(report.ignored[0].reason, IgnoredReason::kNoEquals);
}

}  // namespace
}  // namespace kov

#include "schedule/schedule_file.h"

#include <gtest/gtest.h>

#include "schedule/schedule_list.h"
#include "store/text_codec.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

// The daily channel switch of input card 1 (card ID 129) to source 8, picture 2, at
// 08:30:00, entered while the date picker showed 1 May 2024.
ScheduleEntry ExampleSwitch() {
    ScheduleEntry e;
    e.year = 2024;
    e.month = 5;
    e.day = 1;
    e.hour = 8;
    e.minute = 30;
    e.cycle = kCycleDaily;
    e.method = kMethodChannelSwitch;
    e.source = 8;
    e.cardKey = 129;
    e.picture = 2;
    return e;
}

ScheduleEntry ExampleScript(std::string path) {
    ScheduleEntry e;
    e.year = 2024;
    e.month = 6;
    e.day = 3;
    e.hour = 12;
    e.cycle = kCycleWeekly;
    e.monday = 1;
    e.friday = 1;
    e.scriptPath = std::move(path);
    return e;
}

constexpr std::string_view kExampleLine = "2024,5,1,8,30,0,1,0,0,0,0,0,0,0,1,8,129,2,,\r\n";

TEST(ScheduleFileTest, WritesTheExampleLineByteForByte) {
    EXPECT_EQ(FormatScheduleLine(ExampleSwitch()), kExampleLine);
    std::string expected = "\xFF\xFE";
    for (char c : kExampleLine) {
        expected += c;
        expected += '\0';
    }
    EXPECT_EQ(FormatScheduleFile({ExampleSwitch()}), expected);
}

TEST(ScheduleFileTest, ReadsTheExampleLineInBothEncodings) {
    const std::string utf16 = std::string(kUtf16Bom) + Utf8ToUtf16Le(kExampleLine);
    for (const std::string& bytes : {utf16, std::string(kExampleLine)}) {
        const ScheduleText text = ParseScheduleFile(bytes);
        ASSERT_EQ(text.entries.size(), 1u);
        EXPECT_EQ(text.entries[0], ExampleSwitch());
        EXPECT_TRUE(text.skipped.empty());
    }
}

struct ReadCase {
    const char* name;
    std::string text;          // UTF-8 file content without byte-order mark
    Schedule entries;          // expected entries
    std::vector<int> skipped;  // numbers of the skipped lines
};

class ScheduleReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ScheduleReadTest, FollowsTheLineRules) {
    const ScheduleText text = ParseScheduleFile(GetParam().text);
    EXPECT_EQ(text.entries, GetParam().entries);
    std::vector<int> skipped;
    for (const SkippedLine& line : text.skipped)
        skipped.push_back(line.line);
    EXPECT_EQ(skipped, GetParam().skipped);
}

ScheduleEntry WithScript(std::string path) {
    return ExampleScript(std::move(path));
}

ScheduleEntry Numbers(std::int32_t year, std::int32_t hour) {
    ScheduleEntry e;
    e.year = year;
    e.hour = hour;
    e.cycle = 0;
    e.method = 0;
    e.source = 0;
    return e;
}

const std::string kScriptLine = "2024,6,3,12,0,0,3,1,0,0,0,1,0,0,0,99,0,0,/w/a.scpx,";

INSTANTIATE_TEST_SUITE_P(
    Lines, ScheduleReadTest,
    testing::Values(
        ReadCase{"ScriptLineWithCrLf", kScriptLine + "\r\n", {WithScript("/w/a.scpx")}, {}},
        ReadCase{"LoneLfAndLoneCrEndLines",
                 kScriptLine + "\n" + kScriptLine + "\r" + kScriptLine,
                 {WithScript("/w/a.scpx"), WithScript("/w/a.scpx"), WithScript("/w/a.scpx")},
                 {}},
        ReadCase{"ShortAndEmptyLinesAreSkipped",
                 "1,2,3\r\n\r\n" + std::string(kExampleLine),
                 {ExampleSwitch()},
                 {1, 2}},
        ReadCase{"CommaInThePathCutsItAtTheComma",
                 "2024,6,3,12,0,0,3,1,0,0,0,1,0,0,0,99,0,0,/w/a,b.scpx,\r\n",
                 {WithScript("/w/a")},
                 {}},
        ReadCase{"PathOfMoreThan260BytesIsStoredEmpty",
                 "2024,6,3,12,0,0,3,1,0,0,0,1,0,0,0,99,0,0," + std::string(261, 'p') + ",\r\n",
                 {WithScript("")},
                 {}},
        ReadCase{"PathOf260BytesIsKept",
                 "2024,6,3,12,0,0,3,1,0,0,0,1,0,0,0,99,0,0," + std::string(260, 'p') + ",\r\n",
                 {WithScript(std::string(260, 'p'))},
                 {}},
        ReadCase{"NonNumbersReadAsZeroAndLeadingDigitsCount",
                 "x,,-,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,,\r\n7y,  9,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,,",
                 {Numbers(0, 0),
                  [] {
                      ScheduleEntry e = Numbers(7, 0);
                      e.month = 9;
                      return e;
                  }()},
                 {}},
        ReadCase{"LastCommaMissingStillGivesNineteenPieces",
                 "2024,6,3,12,0,0,3,1,0,0,0,1,0,0,0,99,0,0,/w/a.scpx",
                 {WithScript("/w/a.scpx")},
                 {}},
        ReadCase{
            "EighteenPiecesAreSkipped", "2024,5,1,8,30,0,1,0,0,0,0,0,0,0,1,8,129,2,", {}, {1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleFileTest, SavedFileLoadsBackAndStartsWithTheMark) {
    test::TempDir dir;
    const Schedule schedule = {ExampleSwitch(), ExampleScript("/w/方案 1.scpx")};
    ASSERT_TRUE(SaveSchedule(dir / "plan.smfx", schedule));
    const std::string bytes = dir.Read("plan.smfx");
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(Utf16LeToUtf8(bytes.substr(2)),
              FormatScheduleLine(schedule[0]) + FormatScheduleLine(schedule[1]));
    Schedule loaded = {ExampleSwitch(), ExampleSwitch(), ExampleSwitch()};
    ASSERT_TRUE(LoadSchedule(dir / "plan.smfx", loaded));
    EXPECT_EQ(loaded, schedule);
}

TEST(ScheduleFileTest, FailuresLeaveTheScheduleAndTheFileAlone) {
    test::TempDir dir;
    Schedule schedule = {ExampleSwitch()};
    EXPECT_FALSE(LoadSchedule(dir / "missing.smfx", schedule));
    EXPECT_EQ(schedule, Schedule{ExampleSwitch()});
    EXPECT_FALSE(SaveSchedule(dir / "no such folder" / "plan.smfx", schedule));
    EXPECT_FALSE(std::filesystem::exists(dir / "no such folder"));
}

TEST(ScheduleFileTest, SaveAppendsTheExtensionUnlessPresentInAnyCase) {
    const std::pair<const char*, const char*> cases[] = {{"/w/plan", "/w/plan.smfx"},
                                                         {"/w/plan.SMFX", "/w/plan.SMFX"},
                                                         {"/w/plan.smfx", "/w/plan.smfx"},
                                                         {"/w/plan.txt", "/w/plan.txt.smfx"},
                                                         {"smfx", "smfx.smfx"}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(WithScheduleExtension(in), std::filesystem::path(out)) << in;
}

struct ProblemCase {
    const char* name;
    ScheduleEntry entry;
    bool runnable;
};

ScheduleEntry Changed(ScheduleEntry e, void (*change)(ScheduleEntry&)) {
    change(e);
    return e;
}

class EntryProblemTest : public testing::TestWithParam<ProblemCase> {};

TEST_P(EntryProblemTest, TellsWhetherTheRunnerCanCarryItOut) {
    EXPECT_EQ(!EntryProblem(GetParam().entry).has_value(), GetParam().runnable);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryProblemTest,
    testing::Values(
        ProblemCase{"ChannelSwitch", ExampleSwitch(), true},
        ProblemCase{"Script", ExampleScript("/w/a.scpx"), true},
        ProblemCase{"OutputCardSource9",
                    Changed(ExampleSwitch(), [](ScheduleEntry& e) { e.cardKey = 3, e.source = 9; }),
                    true},
        ProblemCase{"NoCard", Changed(ExampleSwitch(), [](ScheduleEntry& e) { e.cardKey = 0; }),
                    false},
        ProblemCase{"NoPicture", Changed(ExampleSwitch(), [](ScheduleEntry& e) { e.picture = 0; }),
                    false},
        ProblemCase{"NoSource", Changed(ExampleSwitch(), [](ScheduleEntry& e) { e.source = 99; }),
                    false},
        ProblemCase{"OutputOnlySourceOnInputCard",
                    Changed(ExampleSwitch(), [](ScheduleEntry& e) { e.source = 9; }), false},
        ProblemCase{"ScriptWithoutPath", ExampleScript(""), false},
        ProblemCase{"ScriptPathWithComma", ExampleScript("/w/a,b.scpx"), false},
        ProblemCase{"ScriptPathTooLong", ExampleScript(std::string(261, 'p')), false},
        ProblemCase{"CycleZero", Changed(ExampleSwitch(), [](ScheduleEntry& e) { e.cycle = 0; }),
                    false},
        ProblemCase{"Hour24", Changed(ExampleSwitch(), [](ScheduleEntry& e) { e.hour = 24; }),
                    false},
        ProblemCase{"MethodTwo", Changed(ExampleSwitch(), [](ScheduleEntry& e) { e.method = 2; }),
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleListTest, RowTextsOfEachCycleAndMethod) {
    test::TempDir dir;
    Language language(dir.Path());
    language.Load("english");
    ScheduleEntry once = ExampleScript("/w/a.scpx");
    once.cycle = kCycleOnce;
    ScheduleEntry output = ExampleSwitch();
    output.cardKey = 2;
    output.source = 9;
    output.picture = 1;
    output.cycle = 7;
    const std::pair<ScheduleEntry, ScheduleRow> cases[] = {
        {ExampleSwitch(),
         {"0", "Daily", "Every day", "08:30:00", "Switch channel", "VGA,InPutCard1,Picture2"}},
        {ExampleScript("/w/a.scpx"),
         {"0", "Weekly", "Mon,Fri", "12:00:00", "Run script", "/w/a.scpx"}},
        {once, {"0", "Once", "2024-06-03", "12:00:00", "Run script", "/w/a.scpx"}},
        {output, {"0", "", "", "08:30:00", "Switch channel", "Int.Sync,OutPutCard2,Picture1"}},
    };
    for (const auto& [entry, row] : cases)
        EXPECT_EQ(ScheduleRowTexts(0, entry, language), row);
    ScheduleEntry unknown = ExampleSwitch();
    unknown.source = 77;
    EXPECT_EQ(ScheduleRowTexts(4, unknown, language)[5], ",InPutCard1,Picture2");
    EXPECT_EQ(ScheduleRowTexts(4, unknown, language)[0], "4");
}

TEST(ScheduleEntryTest, ChannelSwitchOfCard131Picture1) {
    ScheduleEntry e = ExampleSwitch();
    e.cardKey = 131;
    e.picture = 1;
    e.source = 10;
    const CommandFrame frame = ChannelSwitchFrame(e);
    const std::uint8_t expected[] = {0x83, 0x11, 0x00, 0x0A, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), frame.begin() + 2));
}

}  // namespace
}  // namespace kov

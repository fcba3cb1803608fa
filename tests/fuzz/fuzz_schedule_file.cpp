// Schedule files (*.smfx) as the reader parses them and the runner takes them on. Every line
// is either an entry or skipped with a reason; the entries read survive a write and a read
// unchanged; the runner and the channel-switch frame accept any entry read.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_runner.h"
#include "store/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kov;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ScheduleText read = ParseScheduleFile(bytes);
    fuzz::Check(read.lines.size() == read.entries.size(), "every entry has its line number");
    for (const SkippedLine& skipped : read.skipped)
        fuzz::Check(skipped.line > 0 && !skipped.reason.empty(), "a skipped line says why");

    bool textSurvives = true;
    for (const ScheduleEntry& entry : read.entries) {
        fuzz::Check(entry.scriptPath.size() <= kMaxScriptPathBytes, "script paths fit the file");
        SecondOfDay(entry);
        for (int day = 0; day < 7; ++day)
            WeekdayFlag(entry, day);
        if (!EntryProblem(entry) && entry.method == kMethodChannelSwitch)
            ChannelSwitchFrame(entry);
        // Bytes that are no UTF-8 come back as replacement characters.
        textSurvives =
            textSurvives && Utf16LeToUtf8(Utf8ToUtf16Le(entry.scriptPath)) == entry.scriptPath;
    }
    ScheduleRunner runner(read.entries, [](const std::string&) { return true; });
    const auto start = std::chrono::system_clock::from_time_t(1714543200);  // 1 May 2024
    runner.Begin(start);
    runner.Tick(start + std::chrono::seconds(2));

    if (textSurvives) {
        const ScheduleText again = ParseScheduleFile(FormatScheduleFile(read.entries));
        fuzz::Check(again.entries == read.entries && again.skipped.empty(),
                    "a written schedule reads back the same entries");
    }
    return 0;
}

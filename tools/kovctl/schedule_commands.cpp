#include "schedule_commands.h"

#include <csignal>
#include <iostream>
#include <thread>

#include "link/exchange.h"
#include "link_commands.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_list.h"
#include "schedule/schedule_runner.h"
#include "store/file_io.h"
#include "sync_commands.h"

namespace kovctl {
namespace {

constexpr int kDefaultNextCount = 10;
constexpr int kMaxNextCount = 10000;

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

std::optional<kov::ScheduleText> ReadSchedule(const std::string& file) {
    const auto bytes = kov::ReadWholeFile(file);
    if (!bytes) {
        Fail("the file cannot be found or cannot be read: " + file);
        return std::nullopt;
    }
    return kov::ParseScheduleFile(*bytes);
}

int RunShow(Context& context, const std::string& file) {
    const auto text = ReadSchedule(file);
    if (!text)
        return kExitFailed;
    kov::Language language(context.Folders());
    language.Load("");
    std::string heading;
    for (const char* key : kov::kScheduleColumnKeys)
        heading += (heading.empty() ? "" : "\t") + language.Text(key);
    std::cout << heading << '\n';
    for (std::size_t i = 0; i < text->entries.size(); ++i) {
        const kov::ScheduleRow row =
            kov::ScheduleRowTexts(static_cast<int>(i), text->entries[i], language);
        for (std::size_t c = 0; c < row.size(); ++c)
            std::cout << (c == 0 ? "" : "\t") << row[c];
        std::cout << '\n';
    }
    return kExitOk;
}

int RunCheck(const std::string& file) {
    const auto text = ReadSchedule(file);
    if (!text)
        return kExitFailed;
    int problems = 0;
    for (const kov::SkippedLine& skipped : text->skipped) {
        std::cout << "line " << skipped.line << ": skipped by the reader: " << skipped.reason
                  << '\n';
        ++problems;
    }
    for (std::size_t i = 0; i < text->entries.size(); ++i) {
        const kov::ScheduleEntry& entry = text->entries[i];
        std::optional<std::string> problem = kov::EntryProblem(entry);
        if (!problem && entry.method == kov::kMethodScript &&
            !kov::IsReadable(std::filesystem::u8path(entry.scriptPath)))
            problem = "the script file cannot be found or cannot be read: " + entry.scriptPath;
        if (problem) {
            std::cout << "line " << text->lines[i] << " (entry " << i
                      << "): cannot run: " << *problem << '\n';
            ++problems;
        }
    }
    if (problems > 0)
        return kExitFailed;
    std::cout << "ok: " << text->entries.size() << " entries\n";
    return kExitOk;
}

int RunNext(const std::string& file, const std::vector<std::string>& options) {
    kov::LocalSeconds from = kov::LocalSecondsOf(kov::SystemClock().Now());
    int count = kDefaultNextCount;
    for (std::size_t i = 0; i < options.size(); i += 2) {
        if (i + 1 >= options.size())
            return WrongArguments(options[i] + " needs a value");
        if (options[i] == "--from") {
            const auto parsed = kov::ParseLocalSeconds(options[i + 1]);
            if (!parsed)
                return Fail("--from wants a local time \"YYYY-MM-DD HH:MM:SS\": " + options[i + 1]);
            from = *parsed;
        } else if (options[i] == "--count") {
            const auto parsed = ParseNumber(options[i + 1], 1, kMaxNextCount);
            if (!parsed)
                return Fail("--count wants a number from 1 to " + std::to_string(kMaxNextCount));
            count = *parsed;
        } else {
            return WrongArguments("schedule next: unknown option " + options[i]);
        }
    }
    const auto text = ReadSchedule(file);
    if (!text)
        return kExitFailed;
    const kov::ScheduleRunner runner(text->entries);
    const auto events = runner.Preview(from, static_cast<std::size_t>(count));
    for (const kov::ScheduleEvent& event : events)
        std::cout << kov::DescribeEvent(event, text->entries[event.index]) << '\n';
    if (events.empty())
        std::cout << "nothing fires after " << kov::FormatLocalSeconds(from) << '\n';
    return kExitOk;
}

// Sleeps until just after the next whole second, waking early when a stop is requested.
void SleepToNextSecond() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto target = ceil<seconds>(now + milliseconds(1)) + milliseconds(2);
    while (!stopRequested && system_clock::now() < target)
        std::this_thread::sleep_for(
            std::min<system_clock::duration>(target - system_clock::now(), milliseconds(100)));
}

void Record(kov::CSerialComm& link, const std::string& line) {
    std::cout << line << std::endl;
    if (link.Log() != nullptr)
        link.Log()->WriteLine("Schedule: " + line);
}

int RunForeground(Context& context, const std::string& file) {
    const auto text = ReadSchedule(file);
    if (!text)
        return kExitFailed;
    if (text->entries.empty())
        return Fail("the schedule has no entries: " + file);
    kov::CSerialComm* link = context.OpenLink();
    if (link == nullptr)
        return kExitFailed;
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    kov::ScheduleRunner runner(text->entries);
    runner.Begin(kov::SystemClock().Now());
    Record(*link,
           "run started: " + file + " (" + std::to_string(text->entries.size()) + " entries)");
    while (!stopRequested && !runner.Ended()) {
        // A synchronisation that takes seconds delays the next tick, which then looks at
        // every second it missed.
        for (const kov::ScheduleEvent& event : runner.Tick(kov::SystemClock().Now())) {
            const kov::ScheduleEntry& entry = text->entries[event.index];
            Record(*link, kov::DescribeEvent(event, entry));
            if (event.kind != kov::ScheduleEventKind::kFire)
                continue;
            if (entry.method == kov::kMethodChannelSwitch) {
                kov::SendCommand(*link, kov::ChannelSwitchFrame(entry));
            } else if (SynchroniseFile(context, &entry.scriptPath) != kExitOk) {
                Record(*link, "entry " + std::to_string(event.index) +
                                  ": the script could not be synchronised");
            }
        }
        if (!runner.Ended())
            SleepToNextSecond();
    }
    Record(*link, runner.Ended() ? "run ended: the last entry fired" : "run stopped");
    return kExitOk;
}

}  // namespace

int RunSchedule(Context& context, const std::vector<std::string>& args) {
    constexpr const char* kWants = "schedule wants show|check|next|run FILE";
    if (args.size() < 2)
        return WrongArguments(kWants);
    const std::string& verb = args[0];
    const std::string& file = args[1];
    if (verb == "next")
        return RunNext(file, {args.begin() + 2, args.end()});
    if (args.size() != 2)
        return WrongArguments("schedule " + verb + " takes one FILE");
    if (verb == "show")
        return RunShow(context, file);
    if (verb == "check")
        return RunCheck(file);
    if (verb == "run")
        return RunForeground(context, file);
    return WrongArguments(kWants);
}

}  // namespace kovctl

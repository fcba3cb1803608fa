#include "schedule/schedule_runner.h"

#include <algorithm>
#include <filesystem>

namespace kov {
namespace {

// How far back a long gap is searched for entries to report as missed: a week covers every
// weekday of every weekly entry.
constexpr std::int64_t kMissedSearchSeconds = 8 * 86400;

constexpr std::int64_t kNeverDone = INT64_MIN;

bool FileExists(const std::string& utf8Path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::u8path(utf8Path), ec);
}

std::string ActionText(const ScheduleEntry& entry) {
    if (entry.method == kMethodScript)
        return "script " + entry.scriptPath;
    return "channel switch card " + std::to_string(entry.cardKey) + " picture " +
           std::to_string(entry.picture) + " source " + std::to_string(entry.source);
}

}  // namespace

std::string DescribeEvent(const ScheduleEvent& event, const ScheduleEntry& entry) {
    std::string text = FormatLocalSeconds(event.due) + " entry " + std::to_string(event.index);
    if (event.kind == ScheduleEventKind::kFire) {
        text += " fires: " + ActionText(entry);
        if (event.endsRun)
            text += " (last entry: the run ends)";
        return text;
    }
    return text + " skipped: " + ActionText(entry) + ": " + event.reason;
}

ScheduleRunner::ScheduleRunner(Schedule schedule, ScriptExists scriptExists)
    : schedule_(std::move(schedule)),
      scriptExists_(scriptExists ? std::move(scriptExists) : ScriptExists(FileExists)),
      doneDay_(schedule_.size(), kNeverDone) {
    problems_.reserve(schedule_.size());
    for (std::size_t i = 0; i < schedule_.size(); ++i) {
        problems_.push_back(EntryProblem(schedule_[i]));
        // An entry with a time of day out of range is never due; it is still reported.
        const int second = std::clamp(SecondOfDay(schedule_[i]), 0, 86399);
        bySecond_.emplace_back(second, i);
    }
    std::sort(bySecond_.begin(), bySecond_.end());
}

void ScheduleRunner::Begin(Clock::TimePoint now) {
    lastLocal_ = LocalSecondsOf(now) - 1;
    lastEpoch_ = std::chrono::floor<std::chrono::seconds>(now.time_since_epoch()).count() - 1;
}

std::vector<ScheduleEvent> ScheduleRunner::Tick(Clock::TimePoint now) {
    std::vector<ScheduleEvent> events;
    if (ended_)
        return events;
    if (!lastLocal_)
        Begin(now);
    const LocalSeconds local = LocalSecondsOf(now);
    const std::int64_t epoch =
        std::chrono::floor<std::chrono::seconds>(now.time_since_epoch()).count();
    const std::size_t all = SIZE_MAX;
    if (epoch - lastEpoch_ > kMaxCatchUpSeconds && local > *lastLocal_ + 1) {
        // Asleep, hibernated or the clock set forward: what fell due meanwhile is stale.
        Examine(std::max(*lastLocal_ + 1, local - kMissedSearchSeconds), local - 1, true, events,
                all);
        Examine(local, local, false, events, all);
    } else if (local > *lastLocal_) {
        Examine(*lastLocal_ + 1, local, false, events, all);
    } else if (local < *lastLocal_) {
        // The clock went back: the seconds come again, but nothing fires twice on a date.
        Examine(local, local, false, events, all);
    }
    lastLocal_ = local;
    lastEpoch_ = epoch;
    return events;
}

std::vector<ScheduleEvent> ScheduleRunner::Preview(LocalSeconds from, std::size_t count,
                                                   int horizonDays) const {
    ScheduleRunner copy = *this;
    std::vector<ScheduleEvent> events;
    if (count > 0 && !ended_)
        copy.Examine(from + 1, from + std::int64_t{horizonDays} * 86400, false, events, count);
    return events;
}

void ScheduleRunner::Examine(LocalSeconds first, LocalSeconds last, bool missed,
                             std::vector<ScheduleEvent>& out, std::size_t limit) {
    for (std::int64_t day = DayOf(first); day <= DayOf(last); ++day) {
        const int from = day == DayOf(first) ? SecondOfDayOf(first) : 0;
        const int to = day == DayOf(last) ? SecondOfDayOf(last) : 86399;
        auto it = std::lower_bound(bySecond_.begin(), bySecond_.end(),
                                   std::pair<int, std::size_t>(from, 0));
        while (it != bySecond_.end() && it->first <= to) {
            const int second = it->first;
            ExamineSecond(day * 86400 + second, missed, out);
            if (ended_ || out.size() >= limit)
                return;
            while (it != bySecond_.end() && it->first == second)
                ++it;
        }
    }
}

void ScheduleRunner::ExamineSecond(LocalSeconds second, bool missed,
                                   std::vector<ScheduleEvent>& out) {
    const std::int64_t day = DayOf(second);
    const int ofDay = SecondOfDayOf(second);
    auto begin =
        std::lower_bound(bySecond_.begin(), bySecond_.end(), std::pair<int, std::size_t>(ofDay, 0));
    auto end = std::lower_bound(bySecond_.begin(), bySecond_.end(),
                                std::pair<int, std::size_t>(ofDay + 1, 0));
    // Of the entries due in this second, the last one in file order that is allowed on this
    // date fires; an unrunnable one is reported and passed over.
    std::optional<std::size_t> candidate;
    for (auto it = end; it != begin;) {
        const std::size_t i = (--it)->second;
        if (!AllowedOn(schedule_[i], day))
            continue;
        if (!problems_[i]) {
            candidate = i;
            break;
        }
        if (doneDay_[i] != day) {
            doneDay_[i] = day;
            out.push_back({ScheduleEventKind::kUnrunnable, i, second, *problems_[i], false});
        }
    }
    if (!candidate || doneDay_[*candidate] == day)
        return;
    const std::size_t i = *candidate;
    doneDay_[i] = day;
    const ScheduleEntry& entry = schedule_[i];
    if (missed) {
        out.push_back({ScheduleEventKind::kMissed, i, second,
                       "due while the schedule was not checked for more than two minutes", false});
    } else if (entry.method == kMethodScript && !scriptExists_(entry.scriptPath)) {
        out.push_back({ScheduleEventKind::kMissingScript, i, second,
                       "the script file does not exist", false});
    } else {
        ended_ = i + 1 == schedule_.size();
        out.push_back({ScheduleEventKind::kFire, i, second, {}, ended_});
    }
}

bool ScheduleRunner::AllowedOn(const ScheduleEntry& entry, std::int64_t day) const {
    const LocalDate date = DateOfDay(day);
    switch (entry.cycle) {
        case kCycleDaily:
            return true;
        case kCycleOnce:
            return entry.year == date.year && entry.month == date.month && entry.day == date.day;
        case kCycleWeekly:
            return WeekdayFlag(entry, date.weekday) != 0;
        default:
            return false;
    }
}

}  // namespace kov

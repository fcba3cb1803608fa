#include "schedule/offline_task_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <vector>

#include "schedule/period_text.h"

namespace kov {
namespace {

constexpr std::array<const char*, 7> kDayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Splits text at sep; the parts may be empty.
std::vector<std::string_view> Split(std::string_view text, char sep) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(sep, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos)
            return parts;
        start = at + 1;
    }
}

// Three numbers separated by sep, each of the given width ("2026-12-24", "08:30:00").
std::optional<std::array<int, 3>> Triple(std::string_view text, char sep,
                                         std::array<std::size_t, 3> widths) {
    const auto parts = Split(text, sep);
    if (parts.size() != 3)
        return std::nullopt;
    std::array<int, 3> values{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto value = Number(parts[i]);
        if (!value || parts[i].size() != widths[i])
            return std::nullopt;
        values[i] = *value;
    }
    return values;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

ParsedTask Error(std::string message) {
    return {std::nullopt, std::move(message)};
}

// The value after "key=" in field, or nothing.
std::optional<std::string_view> Value(std::string_view field, std::string_view key) {
    if (field.size() <= key.size() || field.substr(0, key.size()) != key ||
        field[key.size()] != '=') {
        return std::nullopt;
    }
    return field.substr(key.size() + 1);
}

}  // namespace

const char* CycleName(int cycle) {
    switch (cycle) {
        case kCycleDaily:
            return "daily";
        case kCycleOnce:
            return "once";
        case kCycleWeekly:
            return "weekly";
        default:
            return "off";
    }
}

std::string DayNames(const OfflineTask& task) {
    const WeekdayFlags flags = WeekdaysOf(task);
    std::string text;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (flags[i] == 0)
            continue;
        if (!text.empty())
            text += ',';
        text += kDayNames[i];
    }
    return text.empty() ? "-" : text;
}

std::string FormatTaskLine(const OfflineTask& t) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "task %d: %04d-%02d-%02d %02d:%02d:%02d cycle=%s days=%s template=%d", t.index,
                  t.year, t.month, t.day, t.hour, t.minute, t.second, CycleName(t.cycle),
                  DayNames(t).c_str(), t.templateNumber);
    return line;
}

ParsedTask ParseTaskFields(int index, std::string_view date, std::string_view time,
                           std::string_view cycle, std::string_view days,
                           std::string_view templateNumber) {
    OfflineTask task;
    task.index = index;
    const auto ymd = Triple(date, '-', {4, 2, 2});
    if (!ymd)
        return Error("date \"" + std::string(date) + "\" is not YYYY-MM-DD");
    const auto hms = Triple(time, ':', {2, 2, 2});
    if (!hms)
        return Error("time \"" + std::string(time) + "\" is not hh:mm:ss");
    task.year = (*ymd)[0];
    task.month = (*ymd)[1];
    task.day = (*ymd)[2];
    task.hour = (*hms)[0];
    task.minute = (*hms)[1];
    task.second = (*hms)[2];
    task.cycle = -1;
    for (int c = kCycleInvalid; c <= kCycleWeekly; ++c) {
        if (SameLetters(cycle, CycleName(c)))
            task.cycle = c;
    }
    if (task.cycle < 0)
        return Error("cycle \"" + std::string(cycle) + "\" is not off, daily, once or weekly");
    if (days != "-") {
        const auto flags = WeekdayFields(task);
        for (std::string_view name : Split(days, ',')) {
            bool known = false;
            for (std::size_t i = 0; i < kDayNames.size(); ++i) {
                if (SameLetters(name, kDayNames[i])) {
                    *flags[i] = 1;
                    known = true;
                }
            }
            if (!known)
                return Error("day \"" + std::string(name) + "\" is not one of mon ... sun");
        }
    }
    if (task.cycle == kCycleWeekly && DayNames(task) == "-")
        return Error("a weekly task needs at least one day");
    const auto templ = Number(templateNumber);
    if (!templ || *templ < kMinTemplateNumber || *templ > kMaxTemplateNumber)
        return Error("template " + std::string(templateNumber) + " is out of range 1-15");
    task.templateNumber = *templ;
    if (task.year < kMinTaskYear || task.year > kMaxTaskYear)
        return Error("year " + std::to_string(task.year) + " is out of range 2000-2127");
    // A task that is off may keep the unset date the device reports for it.
    const bool realDate = task.month >= 1 && task.month <= 12 && task.day >= 1 && task.day <= 31;
    if (!IsPackableTask(task) || (task.cycle != kCycleInvalid && !realDate))
        return Error("date or time " + std::string(date) + " " + std::string(time) +
                     " is not valid");
    return {task, {}};
}

ParsedTask ParseTaskLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.remove_suffix(1);
    std::vector<std::string_view> fields;
    for (std::string_view f : Split(line, ' ')) {
        if (!f.empty())
            fields.push_back(f);
    }
    if (fields.size() != 7 || fields[0] != "task" || fields[1].empty() || fields[1].back() != ':') {
        return Error("not a task line: \"" + std::string(line) + "\"");
    }
    const auto n = Number(fields[1].substr(0, fields[1].size() - 1));
    if (!n || *n < 0 || *n >= kOfflineTaskCount)
        return Error("task number " + std::string(fields[1].substr(0, fields[1].size() - 1)) +
                     " is out of range 0-127");
    const auto cycle = Value(fields[4], "cycle");
    const auto days = Value(fields[5], "days");
    const auto templ = Value(fields[6], "template");
    if (!cycle || !days || !templ)
        return Error("not a task line: \"" + std::string(line) + "\"");
    return ParseTaskFields(*n, fields[2], fields[3], *cycle, *days, *templ);
}

}  // namespace kov

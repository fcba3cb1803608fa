#include "schedule/schedule_file.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "store/file_io.h"
#include "store/text_codec.h"

namespace kov {
namespace {

constexpr std::size_t kFieldCount = 19;

// Leading decimal number of text (optional blanks and sign); 0 when there is none. Values
// beyond 32 bits saturate.
std::int32_t ReadNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 32);
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

std::vector<std::string_view> SplitPieces(std::string_view line) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            if (start < line.size())
                pieces.push_back(line.substr(start));
            return pieces;
        }
        pieces.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

// Field i (0-17) of the numbers, in file order.
template <class Entry>
auto* NumericField(Entry& e, std::size_t i) {
    decltype(&e.year) fields[] = {&e.year,     &e.month,   &e.day,      &e.hour,    &e.minute,
                                  &e.second,   &e.cycle,   &e.monday,   &e.tuesday, &e.wednesday,
                                  &e.thursday, &e.friday,  &e.saturday, &e.sunday,  &e.method,
                                  &e.source,   &e.cardKey, &e.picture};
    return fields[i];
}

}  // namespace

std::string FormatScheduleLine(const ScheduleEntry& entry) {
    std::string line;
    for (std::size_t i = 0; i + 1 < kFieldCount; ++i)
        line += std::to_string(*NumericField(entry, i)) + ',';
    return line + entry.scriptPath + ",\r\n";
}

std::string FormatScheduleFile(const Schedule& schedule) {
    std::string text;
    for (const ScheduleEntry& entry : schedule)
        text += FormatScheduleLine(entry);
    return std::string(kUtf16Bom) + Utf8ToUtf16Le(text);
}

ScheduleText ParseScheduleFile(std::string_view bytes) {
    const std::string text =
        HasUtf16Bom(bytes) ? Utf16LeToUtf8(bytes.substr(2)) : std::string(bytes);
    ScheduleText result;
    std::size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        std::size_t next = end;
        if (end == std::string::npos) {
            end = next = text.size();
        } else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
            next = end + 2;
        } else {
            next = end + 1;
        }
        ++number;
        const std::string_view line = std::string_view(text).substr(start, end - start);
        start = next;
        const auto pieces = SplitPieces(line);
        if (pieces.size() < kFieldCount) {
            result.skipped.push_back(
                {number, std::to_string(pieces.size()) + " fields instead of 19"});
            continue;
        }
        ScheduleEntry entry;
        for (std::size_t i = 0; i + 1 < kFieldCount; ++i)
            *NumericField(entry, i) = ReadNumber(pieces[i]);
        entry.scriptPath = StoredScriptPath(std::string(pieces[kFieldCount - 1]));
        result.entries.push_back(std::move(entry));
        result.lines.push_back(number);
    }
    return result;
}

bool LoadSchedule(const std::filesystem::path& path, Schedule& schedule) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes)
        return false;
    schedule = ParseScheduleFile(*bytes).entries;
    return true;
}

bool SaveSchedule(const std::filesystem::path& path, const Schedule& schedule) {
    return WriteFileAtomically(path, FormatScheduleFile(schedule));
}

std::filesystem::path WithScheduleExtension(const std::filesystem::path& path) {
    std::string text = path.string();
    std::string tail = text.size() >= 5 ? text.substr(text.size() - 5) : text;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".smfx" ? path : std::filesystem::path(text + ".smfx");
}

std::string StoredScriptPath(std::string path) {
    return path.size() > kMaxScriptPathBytes ? std::string() : path;
}

}  // namespace kov

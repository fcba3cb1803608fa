#pragma once
// Schedule files (".smfx"): one comma-terminated line of 19 fields per entry, written as
// UTF-16LE with a byte-order mark, read as UTF-16LE (with the mark) or as UTF-8.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/schedule_entry.h"

namespace kov {

// A line the reader skipped: its number counted from 1 and why.
struct SkippedLine {
    int line = 0;
    std::string reason;

    friend bool operator==(const SkippedLine&, const SkippedLine&) = default;
};

struct ScheduleText {
    Schedule entries;
    std::vector<int> lines;  // the line number of each entry, counted from 1
    std::vector<SkippedLine> skipped;
};

// The line of one entry, "%d,...,%d,%s,\r\n", as UTF-8.
std::string FormatScheduleLine(const ScheduleEntry& entry);

// The whole file: byte-order mark FF FE, then every line in UTF-16LE.
std::string FormatScheduleFile(const Schedule& schedule);

// Reads the bytes of a schedule file. Each line loses one trailing CR LF, CR or LF, is split
// at every comma (an empty piece after the last comma dropped); a line with fewer than 19
// pieces is skipped, pieces 1-18 are decimal numbers (no number reads as 0) and piece 19 is
// the script path, stored empty when longer than 260 bytes.
ScheduleText ParseScheduleFile(std::string_view bytes);

// Replaces schedule with the entries of the file; false, with schedule untouched, when the
// file cannot be read.
bool LoadSchedule(const std::filesystem::path& path, Schedule& schedule);

// Writes the whole schedule atomically; false when the file cannot be written.
bool SaveSchedule(const std::filesystem::path& path, const Schedule& schedule);

// The path a save goes to: ".smfx" appended unless its last five characters already are
// ".smfx" in any letter case.
std::filesystem::path WithScheduleExtension(const std::filesystem::path& path);

// The script path as a file stores it: UTF-8 cut to nothing when longer than 260 bytes.
std::string StoredScriptPath(std::string path);

}  // namespace kov

#pragma once
// Offline tasks as text lines, the form kovctl prints and reads back:
//   task 5: 2026-12-24 08:30:00 cycle=weekly days=Mon,Fri template=3
// so the device's tasks can be saved to a file, edited and written back.

#include <optional>
#include <string>
#include <string_view>

#include "schedule/offline_task.h"

namespace kov {

// "off", "daily", "once" or "weekly" ("off" for any other cycle value).
const char* CycleName(int cycle);

// The set weekdays as "Mon,Fri", Monday first; "-" when none is set.
std::string DayNames(const OfflineTask& task);

// The task as one line in the form above, numbered with its index.
std::string FormatTaskLine(const OfflineTask& task);

// A task read from text, or why the text is no task.
struct ParsedTask {
    std::optional<OfflineTask> task;
    std::string error;
};

// A task from its fields as typed: DATE "YYYY-MM-DD", TIME "hh:mm:ss", CYCLE
// off|daily|once|weekly, DAYS "mon,fri" (any letter case) or "-", TEMPLATE 1-15. The
// result is packable and a weekly task has at least one day; index becomes the number.
ParsedTask ParseTaskFields(int index, std::string_view date, std::string_view time,
                           std::string_view cycle, std::string_view days,
                           std::string_view templateNumber);

// A task from a line in the form FormatTaskLine writes; the task number must be 0-127.
ParsedTask ParseTaskLine(std::string_view line);

}  // namespace kov

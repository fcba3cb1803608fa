#pragma once
// The texts of one row of the offline schedule list: number, cycle, date or weekdays,
// time of day and template, in the program's language.

#include <array>
#include <string>

#include "schedule/offline_task.h"

namespace kov {

class Language;

inline constexpr int kOfflineColumnCount = 5;
using OfflineRowTexts = std::array<std::string, kOfflineColumnCount>;

// The row texts of task in list row `row`.
OfflineRowTexts OfflineTaskRow(const OfflineTask& task, int row, const Language& language);

// The row texts of a task whose reply failed: its number and the "not read" mark.
OfflineRowTexts UnreadTaskRow(int row, const Language& language);

}  // namespace kov

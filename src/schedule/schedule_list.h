#pragma once
// The texts of the schedule list that the editor, the runner window and kovctl show: one
// row of six columns per entry.

#include <array>
#include <string>

#include "schedule/schedule_entry.h"
#include "store/language.h"

namespace kov {

inline constexpr std::array<const char*, 6> kScheduleColumnKeys = {
    "IDS_SCHEDULE_ID",   "IDS_SCHEDULE_CYCLE",  "IDS_SCHEDULE_PERIOD",
    "IDS_SCHEDULE_TIME", "IDS_SCHEDULE_METHOD", "IDS_SCHEDULE_DESCRIBE"};
inline constexpr std::array<int, 6> kEditorColumnWidths = {40, 90, 180, 80, 80, 300};
inline constexpr std::array<int, 6> kRunnerColumnWidths = {40, 90, 80, 80, 80, 250};

using ScheduleRow = std::array<std::string, 6>;

// Row number, cycle, period, time, method and description of the entry in row `row`.
ScheduleRow ScheduleRowTexts(int row, const ScheduleEntry& entry, const Language& language);

// "InPutCard<n>" (card ID less 128) for an input card, "OutPutCard<n>" for an output card.
std::string ScheduleCardName(int cardKey);

// Text for the time of an entry: "HH:MM:SS".
std::string ScheduleTimeText(const ScheduleEntry& entry);

}  // namespace kov

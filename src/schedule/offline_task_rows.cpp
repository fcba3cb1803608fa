#include "schedule/offline_task_rows.h"

#include "schedule/period_text.h"
#include "store/language.h"

namespace kov {
namespace {

std::string CycleText(int cycle, const Language& language) {
    switch (cycle) {
        case kCycleDaily:
            return language.Named("IDS_EVERYDAY");
        case kCycleOnce:
            return language.Named("IDS_ONCE");
        case kCycleWeekly:
            return language.Named("IDS_EVERYWEEK");
        default:
            return language.Named("IDS_INVALID");
    }
}

}  // namespace

OfflineRowTexts OfflineTaskRow(const OfflineTask& task, int row, const Language& language) {
    return {std::to_string(row), CycleText(task.cycle, language), PeriodTextOf(task, language),
            TimeOfDayText(task.hour, task.minute, task.second),
            std::to_string(task.templateNumber)};
}

OfflineRowTexts UnreadTaskRow(int row, const Language& language) {
    return {std::to_string(row), language.Named("IDS_OFFLINE_NOT_READ_ROW"), {}, {}, {}};
}

}  // namespace kov

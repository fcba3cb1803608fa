#include "schedule/offline_task_rows.h"

#include <cstdio>

#include "store/language.h"

namespace kov {
namespace {

std::string Printed(const char* format, int a, int b, int c) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

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

std::string PeriodText(const OfflineTask& t, const Language& language) {
    switch (t.cycle) {
        case kCycleDaily:
            return language.Named("IDS_EVERYDAT");
        case kCycleOnce:
            return Printed("%04d-%02d-%02d", t.year, t.month, t.day);
        case kCycleWeekly: {
            const std::int32_t flags[] = {t.monday, t.tuesday,  t.wednesday, t.thursday,
                                          t.friday, t.saturday, t.sunday};
            std::string text;
            for (int i = 0; i < 7; ++i) {
                if (flags[i] == 0)
                    continue;
                if (!text.empty())
                    text += ',';
                text += language.Named("IDS_DAY" + std::to_string(i + 1));
            }
            return text;
        }
        default:
            return {};
    }
}

}  // namespace

OfflineRowTexts OfflineTaskRow(const OfflineTask& task, int row, const Language& language) {
    return {std::to_string(row), CycleText(task.cycle, language), PeriodText(task, language),
            Printed("%02d:%02d:%02d", task.hour, task.minute, task.second),
            std::to_string(task.templateNumber)};
}

OfflineRowTexts UnreadTaskRow(int row, const Language& language) {
    return {std::to_string(row), language.Named("IDS_OFFLINE_NOT_READ_ROW"), {}, {}, {}};
}

}  // namespace kov

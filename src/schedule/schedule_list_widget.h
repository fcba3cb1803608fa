#pragma once
// The schedule list as the editor and the runner window show it: six headed columns, one
// full-row-selectable row per entry, numbered from 0.

#include <array>

#include "schedule/schedule_entry.h"

class QTreeWidget;
class QWidget;

namespace kov {
class Language;
}

namespace kov::ui {

QTreeWidget* MakeScheduleList(QWidget* parent, int controlId, const std::array<int, 6>& widths);

// Headings from the language texts.
void LabelScheduleList(QTreeWidget& list, const Language& language);

// One row per entry, in order; the selection mark is kept on row `current` when given.
void FillScheduleList(QTreeWidget& list, const Schedule& schedule, const Language& language,
                      int current = -1);

}  // namespace kov::ui

#include "schedule/schedule_list_widget.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "schedule/schedule_list.h"
#include "store/language.h"
#include "widgets/relabel.h"

namespace kov::ui {

QTreeWidget* MakeScheduleList(QWidget* parent, int controlId, const std::array<int, 6>& widths) {
    auto* list = new QTreeWidget(parent);
    SetControlId(list, controlId);
    list->setColumnCount(6);
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int c = 0; c < 6; ++c)
        list->setColumnWidth(c, widths[c]);
    return list;
}

void LabelScheduleList(QTreeWidget& list, const Language& language) {
    QStringList headings;
    for (const char* key : kScheduleColumnKeys)
        headings << ToQString(language.Text(key));
    list.setHeaderLabels(headings);
}

void FillScheduleList(QTreeWidget& list, const Schedule& schedule, const Language& language,
                      int current) {
    list.clear();
    for (std::size_t i = 0; i < schedule.size(); ++i) {
        auto* item = new QTreeWidgetItem(&list);
        const ScheduleRow row = ScheduleRowTexts(static_cast<int>(i), schedule[i], language);
        for (int c = 0; c < 6; ++c)
            item->setText(c, ToQString(row[static_cast<std::size_t>(c)]));
    }
    if (current >= 0 && current < list.topLevelItemCount())
        list.setCurrentItem(list.topLevelItem(current));
}

}  // namespace kov::ui

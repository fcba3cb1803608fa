#include "widgets/list_fill.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "widgets/relabel.h"

namespace kov::ui {

void FillList(QComboBox& list, const std::vector<ListItem>& items) {
    const QSignalBlocker quiet(list);
    list.clear();
    for (const ListItem& item : items)
        list.addItem(ToQString(item.label), item.data);
}

void SelectListData(QComboBox& list, int data) {
    const QSignalBlocker quiet(list);
    list.setCurrentIndex(list.findData(data));
}

}  // namespace kov::ui

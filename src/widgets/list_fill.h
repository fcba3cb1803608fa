#pragma once
// Filling a list from a table's rows and selecting an item by its data, as the program
// does it: a selection set by the program reports nothing.

#include <vector>

#include "store/tables.h"

class QComboBox;

namespace kov::ui {

// Replaces the items of list by items, each carrying its data; reports nothing.
void FillList(QComboBox& list, const std::vector<ListItem>& items);

// Selects the first item carrying data, or no item when none does; reports nothing.
void SelectListData(QComboBox& list, int data);

}  // namespace kov::ui

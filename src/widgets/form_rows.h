#pragma once
// Building a page's rows: a list or a value box with its caption in a grid row, a button
// in a row of buttons. Each control carries its control ID; the caption its language key.

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace kov::ui {

class DigitsBox;
class OperatorDialogs;

// A list with its caption on the left, in row of grid.
QComboBox* AddList(QGridLayout& grid, int row, int id, const char* captionKey, QWidget* parent);

// A digits box with its caption on the left, in row of grid.
DigitsBox* AddDigitsBox(OperatorDialogs& dialogs, QGridLayout& grid, int row, int id,
                        const char* captionKey, QWidget* parent);

QPushButton* AddButton(QHBoxLayout& row, int id, QWidget* parent);

}  // namespace kov::ui

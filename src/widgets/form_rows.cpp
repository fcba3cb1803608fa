#include "widgets/form_rows.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "widgets/digits_box.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

template <class Control>
Control* AddCaptioned(QGridLayout& grid, int row, Control* control, const char* captionKey,
                      QWidget* parent) {
    auto* caption = new QLabel(parent);
    SetCaptionKey(caption, captionKey);
    caption->setBuddy(control);
    grid.addWidget(caption, row, 0);
    grid.addWidget(control, row, 1);
    return control;
}

}  // namespace

QComboBox* AddList(QGridLayout& grid, int row, int id, const char* captionKey, QWidget* parent) {
    auto* list = new QComboBox(parent);
    SetControlId(list, id);
    return AddCaptioned(grid, row, list, captionKey, parent);
}

DigitsBox* AddDigitsBox(OperatorDialogs& dialogs, QGridLayout& grid, int row, int id,
                        const char* captionKey, QWidget* parent) {
    return AddCaptioned(grid, row, new DigitsBox(dialogs, id, parent), captionKey, parent);
}

QPushButton* AddButton(QHBoxLayout& row, int id, QWidget* parent) {
    auto* button = new QPushButton(parent);
    SetControlId(button, id);
    row.addWidget(button);
    return button;
}

}  // namespace kov::ui

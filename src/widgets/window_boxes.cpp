#include "widgets/window_boxes.h"

#include "widgets/digits_box.h"
#include "widgets/form_rows.h"

namespace kov::ui {

WindowBoxes::WindowBoxes(OperatorDialogs& dialogs, const std::array<int, 4>& ids,
                         const std::array<const char*, 4>& captionKeys, QGridLayout& grid,
                         int firstRow, QWidget* parent)
    : QObject(parent) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        auto* box = AddDigitsBox(dialogs, grid, firstRow + static_cast<int>(i), ids[i],
                                 captionKeys[i], parent);
        const auto field = static_cast<WindowField>(i);
        connect(box, &DigitsBox::applied, this,
                [this, box, field] { emit applied(field, box->Value()); });
        boxes_[i] = box;
    }
}

void WindowBoxes::Show(const WindowValues& window) {
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i]->SetValue(window[i]);
}

void WindowBoxes::Rewrite(WindowField field, int value) {
    Box(field)->SetValue(value);
}

}  // namespace kov::ui

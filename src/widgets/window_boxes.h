#pragma once
// The four boxes of a window (horizontal position and width, vertical position and
// height), each with its caption, applied one at a time on Enter or loss of focus.

#include <QObject>

#include <array>

#include "store/value_rules.h"

class QGridLayout;

namespace kov::ui {

class DigitsBox;
class OperatorDialogs;

class WindowBoxes final : public QObject {
    Q_OBJECT

public:
    // ids and captionKeys in WindowField order; the boxes go into grid from firstRow on,
    // one row each with the caption on the left.
    WindowBoxes(OperatorDialogs& dialogs, const std::array<int, 4>& ids,
                const std::array<const char*, 4>& captionKeys, QGridLayout& grid, int firstRow,
                QWidget* parent);

    void Show(const WindowValues& window);
    void Rewrite(WindowField field, int value);
    DigitsBox* Box(WindowField field) const { return boxes_[static_cast<std::size_t>(field)]; }

signals:
    // The operator is done with the box of field; value is its text read as a number.
    void applied(WindowField field, int value);

private:
    std::array<DigitsBox*, 4> boxes_{};
};

}  // namespace kov::ui

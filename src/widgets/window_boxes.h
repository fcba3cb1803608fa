#pragma once
// The four boxes of a window (horizontal position and width, vertical position and
// height), each with its caption, applied one at a time on Enter or loss of focus.

#include <QObject>

#include <array>
#include <optional>

#include "store/value_rules.h"

class QGridLayout;

namespace kov {
class CardRecords;
struct InputCardRecord;
}  // namespace kov

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

// Fits value into field of the window members of the input card's record and stores it,
// rewriting the box when the fit changed the value. The record afterwards, or nothing
// when cardId is 0 or has no record.
std::optional<InputCardRecord> ApplyInputWindowBox(CardRecords& records, int cardId,
                                                   const WindowMembers<InputCardRecord>& members,
                                                   WindowBoxes& boxes, WindowField field,
                                                   int value);

}  // namespace kov::ui

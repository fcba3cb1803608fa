#pragma once
// The four boxes of a window (horizontal position and width, vertical position and
// height), each with its caption, applied one at a time on Enter or loss of focus.

#include <QObject>

#include <array>
#include <optional>

#include "store/card_records.h"
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

// Applies a typed value to the card's record in table under the records' lock: fit
// stores the value it makes of it into the record and returns it; the box is rewritten
// when that differs from what was typed. The record afterwards, or nothing when cardId is
// 0 or has no record.
template <class Record, class Fit>
std::optional<Record> ApplyBox(CardRecords& records, CardTable<Record>& table, int cardId,
                               WindowBoxes& boxes, WindowField field, int value, Fit fit) {
    if (cardId == 0)
        return std::nullopt;
    Record changed;
    int fitted = 0;
    {
        auto lock = records.Lock();
        Record* record = table.Find(cardId);
        if (!record)
            return std::nullopt;
        fitted = fit(*record);
        changed = *record;
    }
    if (fitted != value)
        boxes.Rewrite(field, fitted);
    return changed;
}

// ApplyBox for a window that must stay inside the frame of the record's resolution.
template <class Record>
std::optional<Record> ApplyWindowBox(CardRecords& records, CardTable<Record>& table, int cardId,
                                     const WindowMembers<Record>& members,
                                     ResolutionEntry Record::*frame, WindowBoxes& boxes,
                                     WindowField field, int value) {
    return ApplyBox(records, table, cardId, boxes, field, value, [&](Record& record) {
        return FitRecordWindow(record, members, field, value, record.*frame);
    });
}

}  // namespace kov::ui

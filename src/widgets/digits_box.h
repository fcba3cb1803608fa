#pragma once
// A value box that takes digits only: any other typed character is refused with a beep,
// pasted text keeps its digits only. Enter and the loss of the keyboard focus apply the
// box, for boxes whose value takes effect only when the operator is done typing.

#include <QLineEdit>

namespace kov::ui {

class OperatorDialogs;

class DigitsBox final : public QLineEdit {
    Q_OBJECT

public:
    DigitsBox(OperatorDialogs& dialogs, int controlId, QWidget* parent = nullptr);

    // The text read as a decimal number; text that is no number reads as 0.
    int Value() const;
    void SetValue(int value);

signals:
    // Enter was pressed in the box or the box lost the keyboard focus.
    void applied();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    OperatorDialogs& dialogs_;
};

}  // namespace kov::ui

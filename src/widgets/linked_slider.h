#pragma once
// A slider and a digits box that show one bounded value. Typing moves the slider, moving
// the slider writes the box; a typed number outside the range is replaced by the nearest
// bound with a beep. Every change of the value, typed, dragged or written by the program,
// is reported once, after that correction.

#include <QWidget>

#include "store/picture_values.h"

class QSlider;

namespace kov::ui {

class DigitsBox;
class OperatorDialogs;

class LinkedSlider final : public QWidget {
    Q_OBJECT

public:
    LinkedSlider(OperatorDialogs& dialogs, int sliderId, int boxId, ValueRange range,
                 QWidget* parent = nullptr);

    // Writes value into the box (and so reports it) when it lies inside the range; a
    // value outside the range leaves the box as it is.
    void Write(int value);
    // Sets the slider's range and ticks again and writes the initial value.
    void Initialise();

    int Value() const;
    const ValueRange& Range() const { return range_; }
    QSlider* Slider() const { return slider_; }
    DigitsBox* Box() const { return box_; }

signals:
    void valueChanged(int value);

private:
    void OnTextChanged(const QString& text);

    OperatorDialogs& dialogs_;
    ValueRange range_;
    QSlider* slider_;
    DigitsBox* box_;
};

}  // namespace kov::ui

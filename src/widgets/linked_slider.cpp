#include "widgets/linked_slider.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSlider>

#include "shell/operator_dialogs.h"
#include "store/value_rules.h"
#include "widgets/digits_box.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {
constexpr int kBoxWidth = 48;
}

LinkedSlider::LinkedSlider(OperatorDialogs& dialogs, int sliderId, int boxId, ValueRange range,
                           QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      range_(range),
      slider_(new QSlider(Qt::Horizontal, this)),
      box_(new DigitsBox(dialogs, boxId, this)) {
    SetControlId(slider_, sliderId);
    slider_->setTickPosition(QSlider::TicksBelow);
    box_->setFixedWidth(kBoxWidth);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(slider_, 1);
    layout->addWidget(box_);
    connect(box_, &DigitsBox::textChanged, this, &LinkedSlider::OnTextChanged);
    connect(slider_, &QSlider::valueChanged, box_, &DigitsBox::SetValue);
    Initialise();
}

void LinkedSlider::Write(int value) {
    if (value >= range_.low && value <= range_.high)
        box_->SetValue(value);
}

void LinkedSlider::Initialise() {
    {
        const QSignalBlocker quiet(slider_);
        slider_->setRange(range_.low, range_.high);
        slider_->setTickInterval(range_.tick);
        slider_->setPageStep(range_.tick);
    }
    Write(range_.initial);
}

int LinkedSlider::Value() const {
    return box_->Value();
}

void LinkedSlider::OnTextChanged(const QString&) {
    const ClampedValue clamped = ClampToRange(box_->Value(), range_.low, range_.high);
    if (clamped.changed) {
        dialogs_.Beep();
        box_->SetValue(clamped.value);  // comes back here in range
        return;
    }
    {
        const QSignalBlocker quiet(slider_);
        slider_->setValue(clamped.value);
    }
    emit valueChanged(clamped.value);
}

}  // namespace kov::ui

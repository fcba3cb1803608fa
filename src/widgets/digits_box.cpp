#include "widgets/digits_box.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

#include "shell/operator_dialogs.h"
#include "store/profile.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

// A key that types something other than a digit (control keys and shortcuts pass).
bool TypesNonDigit(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!c.isPrint())
            return false;
        if (c < u'0' || c > u'9')
            return true;
    }
    return false;
}

}  // namespace

DigitsBox::DigitsBox(OperatorDialogs& dialogs, int controlId, QWidget* parent)
    : QLineEdit(parent), dialogs_(dialogs) {
    SetControlId(this, controlId);
    // Pasted or dropped text that is not all digits is refused as a whole.
    setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this));
    setMaxLength(10);
}

int DigitsBox::Value() const {
    return DecimalValue(text().toStdString());
}

void DigitsBox::SetValue(int value) {
    setText(QString::number(value));
}

void DigitsBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit applied();
        return;
    }
    if (TypesNonDigit(*event)) {
        event->accept();
        dialogs_.Beep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DigitsBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit applied();
}

}  // namespace kov::ui

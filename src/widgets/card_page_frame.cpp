#include "widgets/card_page_frame.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "widgets/relabel.h"

namespace kov::ui {

CardPageFrame::CardPageFrame(int numberBoxId, int tabId, int idOffset, QWidget* parent)
    : QWidget(parent),
      number_(new QLineEdit(this)),
      tabs_(new QTabWidget(this)),
      idOffset_(idOffset) {
    number_->setReadOnly(true);
    SetControlId(number_, numberBoxId);
    SetControlId(tabs_, tabId);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(number_);
    layout->addWidget(tabs_, 1);
}

int CardPageFrame::CurrentCardId() const {
    const QString text = number_->text();
    if (text.isEmpty())
        return 0;
    const int colon = text.indexOf(':');
    if (colon < 0)
        return 0;
    // The number after the colon, read as far as it goes (text that is no number is 0).
    const QString rest = text.mid(colon + 1).trimmed();
    int digits = 0;
    while (digits < rest.size() && rest[digits].isDigit())
        ++digits;
    return rest.left(digits).toInt() + idOffset_;
}

void CardPageFrame::SetCard(int cardId) {
    number_->setText(prefix_ + QString::number(cardId - idOffset_));
    emit cardShown(cardId);
}

void CardPageFrame::SetPrefix(const QString& prefix) {
    const int card = CurrentCardId();
    prefix_ = prefix;
    if (card != 0)
        number_->setText(prefix_ + QString::number(card - idOffset_));
}

}  // namespace kov::ui

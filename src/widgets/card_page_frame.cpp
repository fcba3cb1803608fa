#include "widgets/card_page_frame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "widgets/relabel.h"

namespace kov::ui {

CardPageFrame::CardPageFrame(int numberBoxId, int tabId, int idOffset, QWidget* parent)
    : EditorPage(parent),
      number_(new QLineEdit(this)),
      fields_(new QGridLayout()),
      tabs_(new QTabWidget(this)),
      buttons_(new QHBoxLayout()),
      idOffset_(idOffset) {
    number_->setReadOnly(true);
    number_->setFocusPolicy(Qt::NoFocus);
    SetControlId(number_, numberBoxId);
    SetControlId(tabs_, tabId);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(number_);
    layout->addLayout(fields_);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons_);
}

void CardPageFrame::SetCard(int cardId) {
    currentCard_ = cardId;
    number_->setText(prefix_ + QString::number(cardId - idOffset_));
    emit cardShown(cardId);
}

void CardPageFrame::SetPrefix(const QString& prefix) {
    prefix_ = prefix;
    if (currentCard_ != 0)
        number_->setText(prefix_ + QString::number(currentCard_ - idOffset_));
}

}  // namespace kov::ui

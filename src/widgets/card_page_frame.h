#pragma once
// What the input and the output card page share: the read-only card number box that
// names the card the page shows, and the tab control of its sub-pages. A page keeps no
// card of its own; every handler reads the current card back from the box.

#include <QWidget>

class QLineEdit;
class QTabWidget;

namespace kov::ui {

class CardPageFrame : public QWidget {
    Q_OBJECT

public:
    // idOffset is subtracted from the card ID to give the number shown; the box's prefix
    // (a language text ending in a colon) comes with SetPrefix.
    CardPageFrame(int numberBoxId, int tabId, int idOffset, QWidget* parent = nullptr);

    // The card the page shows, or 0 when none has been shown: the number after the first
    // ':' of the box text plus the offset.
    int CurrentCardId() const;

    // Shows card id in the box with the current prefix text.
    void SetCard(int cardId);

    // Called with the current language's prefix before relabelling; rewrites the box.
    void SetPrefix(const QString& prefix);

    QTabWidget* SubPages() const { return tabs_; }
    QLineEdit* NumberBox() const { return number_; }

signals:
    // The page was asked to show a card; sub-pages follow it.
    void cardShown(int cardId);

protected:
    QLineEdit* number_;
    QTabWidget* tabs_;
    QString prefix_;
    int idOffset_;
};

}  // namespace kov::ui

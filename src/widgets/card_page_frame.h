#pragma once
// What the input and the output card page share: the read-only card number box that
// names the card the page shows, the grid of the page's own fields, the tab control of
// its sub-pages and the row of buttons below it. The page remembers the card it shows;
// the number box only displays it.

#include "widgets/editor_page.h"

class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QTabWidget;

namespace kov::ui {

// The width of a card page beside the diagrams: room for three tab titles.
inline constexpr int kCardPageWidth = 380;

class CardPageFrame : public EditorPage {
    Q_OBJECT

public:
    // idOffset is subtracted from the card ID to give the number shown; the box's prefix
    // (a language text ending in a colon) comes with SetPrefix.
    CardPageFrame(int numberBoxId, int tabId, int idOffset, QWidget* parent = nullptr);

    // The card the page shows, or 0 when none has been shown.
    int CurrentCardId() const { return currentCard_; }

    // Makes cardId the page's card and shows it in the box with the current prefix text.
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
    QGridLayout* fields_;
    QTabWidget* tabs_;
    QHBoxLayout* buttons_;
    QString prefix_;
    int idOffset_;
    int currentCard_ = 0;
};

}  // namespace kov::ui

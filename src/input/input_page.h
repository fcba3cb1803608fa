#pragma once
// The page of the selected input card: its source, transparency, resolution (set in the
// main window) and capture window, the picture adjustment, picture word and base map
// tabs, and the reset and auto adjust buttons. Every edit goes to the record, the saved
// state and the card at once.

#include "store/value_rules.h"
#include "widgets/card_page_frame.h"

class QComboBox;
class QPushButton;

namespace kov::ui {

struct AppContext;
class CIPPageOne;
class CIPPageTwo;
class CIPPageThree;
class WindowBoxes;

class CInPutPage final : public CardPageFrame {
    Q_OBJECT

public:
    explicit CInPutPage(AppContext& context, QWidget* parent = nullptr);

    // Re-reads the language texts: the number prefix, the tab titles and the lists.
    void ApplyTexts();
    // Fills every control of the page and its tabs from the record of cardId (or the
    // first record for 0), the picture tabs back to their initial values.
    void RefreshAll(int cardId);
    // Selects the resolution the main window chose for every input card.
    void SelectResolution(int code);

    CIPPageOne* PicturePage() const { return picture_; }
    CIPPageTwo* PictureWordPage() const { return word_; }
    CIPPageThree* BaseMapPage() const { return baseMap_; }

protected:
    bool event(QEvent* event) override;

private:
    void ShowCard(int cardId);
    void ShowFields(int cardId);
    void OnSourceChosen(int index);
    void OnTransparencyChosen(int index);
    void OnWindowApplied(WindowField field, int value);
    void ResetCard();
    void AutoAdjust();
    void OnResolutionChanged(qintptr wParam, qintptr lParam);

    AppContext& context_;
    QComboBox* source_;
    QComboBox* resolution_;
    QComboBox* transparency_;
    WindowBoxes* window_ = nullptr;
    CIPPageOne* picture_ = nullptr;
    CIPPageTwo* word_ = nullptr;
    CIPPageThree* baseMap_ = nullptr;
    QPushButton* reset_;
    QPushButton* autoAdjust_;
};

}  // namespace kov::ui

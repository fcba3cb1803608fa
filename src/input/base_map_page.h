#pragma once
// The third tab of the input card page: the base map, a second source of the input card
// and the window cut from it.

#include "store/value_rules.h"
#include "widgets/editor_page.h"

class QComboBox;

namespace kov::ui {

struct AppContext;
class CardPageFrame;
class WindowBoxes;

class CIPPageThree final : public EditorPage {
    Q_OBJECT

public:
    CIPPageThree(AppContext& context, const CardPageFrame& owner, QWidget* parent = nullptr);

    // Selects the card's base map source and shows its window.
    void ShowCard(int cardId);
    // As ShowCard; 0 shows the first record.
    void Refresh(int cardId);
    // After the internal bus reset: every input card's base map source becomes "Int.Bus"
    // (its window stays); nothing is sent, the confirmation dialog did that.
    void ResetAllSources();

    QComboBox* SourceList() const { return source_; }

protected:
    bool event(QEvent* event) override;

private:
    void OnSourceChosen(int index);
    void OnWindowApplied(WindowField field, int value);
    // Selects the source and writes the window of the card (the first record for 0);
    // false when there is no such record.
    bool Fill(int cardId);
    // Writes the window boxes from the card's record (the first record for 0); false
    // when there is no such record.
    bool ShowWindow(int cardId);

    AppContext& context_;
    const CardPageFrame& owner_;
    QComboBox* source_;
    WindowBoxes* window_ = nullptr;
};

}  // namespace kov::ui

#pragma once
// The first tab of the output card page: the output window, the rectangle of the card's
// output resolution that its picture occupies.

#include "store/value_rules.h"
#include "widgets/editor_page.h"

namespace kov::ui {

struct AppContext;
class CardPageFrame;
class WindowBoxes;

class COPPageOne final : public EditorPage {
    Q_OBJECT

public:
    COPPageOne(AppContext& context, const CardPageFrame& owner, QWidget* parent = nullptr);

    // Writes the boxes from the card's record; 0 shows the first record without
    // signalling a change.
    void ShowCard(int cardId);

protected:
    bool event(QEvent* event) override;

private:
    void OnWindowApplied(WindowField field, int value);

    AppContext& context_;
    const CardPageFrame& owner_;
    WindowBoxes* window_ = nullptr;
};

}  // namespace kov::ui

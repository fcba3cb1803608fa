#pragma once
// The page of the selected output card. It names the card and hosts the tabs of its
// sub-pages; the output window and the picture and gamma tabs edit the card, the whole
// screen, splice and double picture join it next.

#include "widgets/card_page_frame.h"

namespace kov::ui {

struct AppContext;
class COPPageOne;
class COPPageTwo;

class CPageDlg final : public CardPageFrame {
    Q_OBJECT

public:
    explicit CPageDlg(AppContext& context, QWidget* parent = nullptr);

    void ApplyTexts();
    // Shows the current card again, the picture tab back to its initial values.
    void RefreshAll();

    COPPageOne* WindowPage() const { return window_; }
    COPPageTwo* PicturePage() const { return picture_; }

protected:
    bool event(QEvent* event) override;

private:
    void ShowCard(int cardId);

    AppContext& context_;
    COPPageOne* window_ = nullptr;
    COPPageTwo* picture_ = nullptr;
};

}  // namespace kov::ui

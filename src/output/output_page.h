#pragma once
// The page of the selected output card. It names the card and hosts the tabs of its
// sub-pages; the picture and gamma tab edits the card, the whole screen, splice, output
// window and double picture join it next.

#include "widgets/card_page_frame.h"

namespace kov::ui {

struct AppContext;
class COPPageTwo;

class CPageDlg final : public CardPageFrame {
    Q_OBJECT

public:
    explicit CPageDlg(AppContext& context, QWidget* parent = nullptr);

    void ApplyTexts();
    // Shows the current card again, the picture tab back to its initial values.
    void RefreshAll();

    COPPageTwo* PicturePage() const { return picture_; }

protected:
    bool event(QEvent* event) override;

private:
    void ShowCard(int cardId);

    AppContext& context_;
    COPPageTwo* picture_ = nullptr;
};

}  // namespace kov::ui

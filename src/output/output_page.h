#pragma once
// The page of the selected output card. For now it names the card and hosts the tabs of
// its sub-pages; the editing controls join it card by card.

#include "widgets/card_page_frame.h"

namespace kov::ui {

struct AppContext;

class CPageDlg final : public CardPageFrame {
    Q_OBJECT

public:
    explicit CPageDlg(AppContext& context, QWidget* parent = nullptr);

    void ApplyTexts();
    void RefreshAll();

protected:
    bool event(QEvent* event) override;

private:
    AppContext& context_;
};

}  // namespace kov::ui

#pragma once
// The page of the selected input card. For now it names the card and hosts the tabs of
// its sub-pages; the editing controls join it card by card.

#include <vector>

#include "widgets/card_page_frame.h"

namespace kov::ui {

struct AppContext;

class CInPutPage final : public CardPageFrame {
    Q_OBJECT

public:
    explicit CInPutPage(AppContext& context, QWidget* parent = nullptr);

    // Re-reads the language texts: the number prefix and the sub-page titles.
    void ApplyTexts();
    // Shows the record of the current card again (after a project was read or a reset).
    void RefreshAll();

protected:
    bool event(QEvent* event) override;

private:
    AppContext& context_;
};

}  // namespace kov::ui

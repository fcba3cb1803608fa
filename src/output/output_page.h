#pragma once
// The page of the selected output card: the whole-screen size of the wall (one for all
// cards), the card's source, its resolution (set in the main window) and its splice, the
// output window, picture and double picture tabs, and the reset and auto adjust buttons.
// Every edit goes to the record and the saved state at once; splice and whole-screen
// changes ask the main window to redraw the wall and resend the shown cards' splices.

#include "store/value_rules.h"
#include "store/whole_screen.h"
#include "widgets/card_page_frame.h"

class QComboBox;
class QPushButton;

namespace kov {
struct OutputCardRecord;
}

namespace kov::ui {

struct AppContext;
class COPPageOne;
class COPPageTwo;
class COPPageThree;
class DigitsBox;
class WindowBoxes;

class CPageDlg final : public CardPageFrame {
    Q_OBJECT

public:
    explicit CPageDlg(AppContext& context, QWidget* parent = nullptr);

    // Re-reads the language texts: the number prefix, the tab titles and the lists.
    void ApplyTexts();
    // Fills every control of the page and its tabs from the record of cardId (or the
    // first record and the program-wide whole screen for 0), the picture tab back to its
    // initial values and the double picture switches off.
    void RefreshAll(int cardId);
    // Selects the resolution the main window chose for every output card.
    void SelectResolution(int code);

    COPPageOne* WindowPage() const { return window_; }
    COPPageTwo* PicturePage() const { return picture_; }
    COPPageThree* DoublePicturePage() const { return doublePicture_; }

protected:
    bool event(QEvent* event) override;

private:
    void ShowCard(int cardId);
    void ShowWholeScreen(std::int32_t width, std::int32_t height);
    void ShowSplice(const OutputCardRecord& record);
    void OnSourceChosen(int index);
    void OnSpliceApplied(WindowField field, int value);
    void OnWholeScreenApplied(ScreenAxis axis, DigitsBox& box);
    void ResetCard();
    void AutoAdjust();

    AppContext& context_;
    DigitsBox* screenWidth_ = nullptr;
    DigitsBox* screenHeight_ = nullptr;
    QComboBox* source_ = nullptr;
    QComboBox* resolution_ = nullptr;
    WindowBoxes* splice_ = nullptr;
    COPPageOne* window_ = nullptr;
    COPPageTwo* picture_ = nullptr;
    COPPageThree* doublePicture_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* autoAdjust_ = nullptr;
};

}  // namespace kov::ui

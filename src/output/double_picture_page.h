#pragma once
// The third tab of the output card page: the card's second picture (on or off, its
// source, window and transparency) and whether that picture is itself cut out of a larger
// virtual screen, with the screen's size and the picture's part of it.

#include "store/value_rules.h"
#include "store/whole_screen.h"
#include "widgets/editor_page.h"

class QCheckBox;
class QComboBox;

namespace kov {
struct OutputCardRecord;
}

namespace kov::ui {

struct AppContext;
class CardPageFrame;
class DigitsBox;
class WindowBoxes;

class COPPageThree final : public EditorPage {
    Q_OBJECT

public:
    COPPageThree(AppContext& context, const CardPageFrame& owner, QWidget* parent = nullptr);

    // Shows the card's record with its switches; 0 only rewrites the picture window from
    // the card the page shows (the first record before any), signalling nothing.
    void ShowCard(int cardId);
    // Shows the values of the card's record (the first for 0) with both switches off and
    // every control but the double picture switch disabled; nothing is stored or sent.
    void ResetView(int cardId);

protected:
    bool event(QEvent* event) override;

private:
    void ShowValues(const OutputCardRecord& record);
    void EnablePicture2(bool on);
    void EnableSplice(bool on);
    void OnPicture2Clicked(bool on);
    void OnSpliceClicked(bool on);
    void StoreSpliceSwitch(int card, bool on);
    void OnSourceChosen(int index);
    void OnTransparencyChosen(int index);
    void OnWindowApplied(WindowField field, int value);
    void OnTotalApplied(ScreenAxis axis);
    void OnSpliceApplied(WindowField field, int value);
    void SendSpliceAxis(const OutputCardRecord& record, ScreenAxis axis);

    AppContext& context_;
    const CardPageFrame& owner_;
    QCheckBox* picture2On_ = nullptr;
    QComboBox* source_ = nullptr;
    WindowBoxes* window_ = nullptr;
    QComboBox* transparency_ = nullptr;
    QCheckBox* spliceOn_ = nullptr;
    DigitsBox* totalH_ = nullptr;
    DigitsBox* totalV_ = nullptr;
    WindowBoxes* splice_ = nullptr;
};

}  // namespace kov::ui

#pragma once
// The picture quality of the card its card page shows: brightness, contrast, saturation
// and definition on linked sliders, the colour temperature list, on output cards the
// gamma list, and a button that returns them to their initial values. Input and output
// cards differ only in their control ids, their card kind and the gamma list.

#include <array>

#include "store/picture_values.h"
#include "widgets/editor_page.h"

class QComboBox;
class QGridLayout;
class QPushButton;

namespace kov::ui {

struct AppContext;
class CardPageFrame;
class LatestSender;
class LinkedSlider;

struct PictureControlIds {
    std::array<int, kPictureValueCount> sliders;
    std::array<int, kPictureValueCount> boxes;
    std::array<const char*, kPictureValueCount> captionKeys;
    int colorTemperature;
    const char* colorTemperatureCaptionKey;
    int gamma;  // 0: the card has no gamma
    const char* gammaCaptionKey;
    int reset;
};

class PictureAdjustPage : public EditorPage {
    Q_OBJECT

public:
    PictureAdjustPage(AppContext& context, const CardPageFrame& owner, CardKind kind,
                      const PictureControlIds& ids, QWidget* parent = nullptr);

    // Fills the controls from the card's record; values that differ from those last
    // shown are applied and sent, as if typed.
    void ShowCard(int cardId);
    // Every slider and box back to its initial value (applied while a card is current),
    // then the lists to their first entry.
    void Initialise();
    // Rebuilds the lists in the current language and selects the current card's codes.
    void Relabel();
    // The reset button: initial values on the page, default values in the record.
    void Reset();

    LinkedSlider* Value(PictureValue value) const {
        return values_[static_cast<std::size_t>(value)];
    }

private:
    void OnValueChanged(std::size_t index, int value);
    void OnColorTemperatureChosen(int index);
    void OnGammaChosen(int index);
    void InitialiseValues();
    void SelectCodes(const PictureValues& picture);
    int CurrentCard() const;

    AppContext& context_;
    const CardPageFrame& owner_;
    const CardKind kind_;
    LatestSender* sender_;
    std::array<LinkedSlider*, kPictureValueCount> values_{};
    std::array<int, kPictureValueCount> last_{};
    QComboBox* colorTemperature_ = nullptr;
    QComboBox* gamma_ = nullptr;
    QPushButton* reset_ = nullptr;
};

}  // namespace kov::ui

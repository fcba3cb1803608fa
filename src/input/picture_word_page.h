#pragma once
// The second tab of the input card page: the picture word, a keying function with an
// on/off state, three two-way settings and three colour reference values, which always
// travel together in one command. Every change takes the other six settings from the
// card's record, never from controls that are still being filled.

#include <array>
#include <functional>

#include "widgets/editor_page.h"

class QButtonGroup;
class QGroupBox;

namespace kov {
struct InputCardRecord;
}

namespace kov::ui {

struct AppContext;
class CardPageFrame;
class LatestSender;
class LinkedSlider;

class CIPPageTwo final : public EditorPage {
    Q_OBJECT

public:
    // The four two-way settings, in the order of the command's bytes.
    enum Flag { kState = 0, kMode = 1, kComparison = 2, kCondition = 3 };

    CIPPageTwo(AppContext& context, const CardPageFrame& owner, QWidget* parent = nullptr);

    // Selects the card's settings and writes its colours (applied as if typed).
    void ShowCard(int cardId);
    // Controls back to OFF, "1", Below, And and colours 0; the current card's record
    // takes the same settings, so page and record agree.
    void Initialise();

    LinkedSlider* Colour(int index) const { return colours_[static_cast<std::size_t>(index)]; }

private:
    void OnFlagClicked(Flag flag, int value);
    void OnColourChanged(std::size_t index, int value);
    void SelectFlags(const std::array<int, 4>& flags);
    // Changes the current card's record; the record afterwards, or nothing without one.
    bool ChangeRecord(int cardId, InputCardRecord& changed,
                      const std::function<void(InputCardRecord&)>& change);

    AppContext& context_;
    const CardPageFrame& owner_;
    LatestSender* sender_;
    std::array<QButtonGroup*, 4> flags_{};
    std::array<LinkedSlider*, 3> colours_{};
    std::array<int, 3> last_{};
};

}  // namespace kov::ui

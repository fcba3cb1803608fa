#include "input/picture_word_page.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

#include "link/commands.h"
#include "link/exchange.h"
#include "shell/app_context.h"
#include "store/auto_reset_event.h"
#include "store/card_records.h"
#include "widgets/card_page_frame.h"
#include "widgets/latest_sender.h"
#include "widgets/linked_slider.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

using In = InputCardRecord;

struct FlagGroup {
    const char* captionKey;
    int first;   // button of value 0
    int second;  // button of value 1
    std::uint8_t In::*field;
};

constexpr std::array<FlagGroup, 4> kFlagGroups = {{
    {"IDS_LABEL_PICWORD_STATE", 1075, 1076, &In::picWordOnoff},
    {"IDS_LABEL_PICWORD_MODE", 1218, 1219, &In::picWordMode},
    {"IDS_LABEL_PICWORD_COMPARE", 1079, 1080, &In::picWordAboveOn},
    {"IDS_LABEL_PICWORD_CONDITION", 1081, 1082, &In::picWordAndOr},
}};

struct ColourControl {
    const char* captionKey;
    int slider;
    int box;
    std::int32_t In::*field;
};

constexpr std::array<ColourControl, 3> kColourControls = {{
    {"IDS_1095", 1095, 1083, &In::picWordRed},
    {"IDS_1096", 1096, 1084, &In::picWordGreen},
    {"IDS_1097", 1097, 1085, &In::picWordBlue},
}};

}  // namespace

CIPPageTwo::CIPPageTwo(AppContext& context, const CardPageFrame& owner, QWidget* parent)
    : EditorPage(parent),
      context_(context),
      owner_(owner),
      sender_(new LatestSender(context.link, this)) {
    setObjectName("CIPPageTwo");
    auto* grid = new QGridLayout(this);
    for (std::size_t g = 0; g < kFlagGroups.size(); ++g) {
        const FlagGroup& group = kFlagGroups[g];
        auto* box = new QGroupBox(this);
        SetCaptionKey(box, group.captionKey);
        auto* row = new QHBoxLayout(box);
        auto* buttons = new QButtonGroup(box);
        for (int value = 0; value < 2; ++value) {
            auto* radio = new QRadioButton(box);
            SetControlId(radio, value == 0 ? group.first : group.second);
            buttons->addButton(radio, value);
            row->addWidget(radio);
        }
        const auto flag = static_cast<Flag>(g);
        connect(buttons, &QButtonGroup::idClicked, this,
                [this, flag](int value) { OnFlagClicked(flag, value); });
        flags_[g] = buttons;
        grid->addWidget(box, static_cast<int>(g / 2), static_cast<int>(g % 2) * 2, 1, 2);
    }
    for (std::size_t c = 0; c < kColourControls.size(); ++c) {
        const ColourControl& control = kColourControls[c];
        auto* caption = new QLabel(this);
        SetCaptionKey(caption, control.captionKey);
        colours_[c] =
            new LinkedSlider(context.dialogs, control.slider, control.box, kColourValueRange, this);
        const int row = 2 + static_cast<int>(c);
        grid->addWidget(caption, row, 0);
        grid->addWidget(colours_[c], row, 1, 1, 3);
        connect(colours_[c], &LinkedSlider::valueChanged, this,
                [this, c](int value) { OnColourChanged(c, value); });
    }
    grid->setRowStretch(5, 1);
    Initialise();
}

bool CIPPageTwo::ChangeRecord(int cardId, InputCardRecord& changed,
                              const std::function<void(InputCardRecord&)>& change) {
    return context_.records.EditInput(cardId, [&](InputCardRecord& r) {
        change(r);
        changed = r;
    });
}

void CIPPageTwo::OnFlagClicked(Flag flag, int value) {
    const int card = owner_.CurrentCardId();
    InputCardRecord record;
    if (card == 0 || !ChangeRecord(card, record, [&](InputCardRecord& r) {
            r.*kFlagGroups[flag].field = static_cast<std::uint8_t>(value);
        })) {
        return;
    }
    ShowCard(card);
    // The state button always sends; the other settings only matter while the word is on.
    if (flag == kState || record.picWordOnoff != 0)
        SendCommand(context_.link,
                    PictureWordFrame(static_cast<std::uint8_t>(card), PictureWordOf(record)));
}

void CIPPageTwo::OnColourChanged(std::size_t index, int value) {
    const int card = owner_.CurrentCardId();
    if (card == 0 || value == last_[index])
        return;
    last_[index] = value;
    InputCardRecord record;
    if (!ChangeRecord(card, record,
                      [&](InputCardRecord& r) { r.*kColourControls[index].field = value; })) {
        return;
    }
    context_.stateChanged.Set();
    if (record.picWordOnoff != 0)
        sender_->Send(PictureWordFrame(static_cast<std::uint8_t>(card), PictureWordOf(record)));
}

void CIPPageTwo::SelectFlags(const std::array<int, 4>& flags) {
    for (std::size_t g = 0; g < flags_.size(); ++g)
        flags_[g]->button(flags[g] != 0 ? 1 : 0)->setChecked(true);
}

void CIPPageTwo::ShowCard(int cardId) {
    const auto found = context_.records.InputCopy(cardId);
    if (!found)
        return;
    const InputCardRecord& record = *found;
    std::array<int, 4> flags{};
    for (std::size_t g = 0; g < flags.size(); ++g)
        flags[g] = record.*kFlagGroups[g].field;
    SelectFlags(flags);
    for (std::size_t c = 0; c < colours_.size(); ++c)
        colours_[c]->Write(record.*kColourControls[c].field);
    context_.stateChanged.Set();
}

void CIPPageTwo::Initialise() {
    SelectFlags({0, 0, 0, 0});
    const int card = owner_.CurrentCardId();
    InputCardRecord record;
    if (card != 0 && ChangeRecord(card, record, [](InputCardRecord& r) {
            for (const FlagGroup& g : kFlagGroups)
                r.*g.field = 0;
            for (const ColourControl& c : kColourControls)
                r.*c.field = 0;
        })) {
        context_.stateChanged.Set();
    }
    for (std::size_t c = 0; c < colours_.size(); ++c) {
        colours_[c]->Initialise();
        last_[c] = kColourValueRange.initial;
    }
}

}  // namespace kov::ui

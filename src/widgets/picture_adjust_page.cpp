#include "widgets/picture_adjust_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "link/commands.h"
#include "link/exchange.h"
#include "shell/app_context.h"
#include "store/auto_reset_event.h"
#include "store/language.h"
#include "widgets/card_page_frame.h"
#include "widgets/latest_sender.h"
#include "widgets/linked_slider.h"
#include "widgets/list_fill.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

constexpr const char* kColorTemperatureKeys[] = {"IDS_COLOR_STANDARD", "IDS_COLOR_WARM",
                                                 "IDS_COLOR_COLD", "IDS_COLOR_CUSTOM"};
// Gamma codes 1 to 6; code 0 ("off") takes its text from the language file.
constexpr const char* kGammaLabels[] = {"-1.2", "-1.1", "2.0", "2.2", "2.8", "KOV"};

QLabel* Caption(const char* key, QWidget* parent) {
    auto* label = new QLabel(parent);
    SetCaptionKey(label, key);
    return label;
}

}  // namespace

PictureAdjustPage::PictureAdjustPage(AppContext& context, const CardPageFrame& owner, CardKind kind,
                                     const PictureControlIds& ids, QWidget* parent)
    : EditorPage(parent),
      context_(context),
      owner_(owner),
      kind_(kind),
      sender_(new LatestSender(context.link, this)) {
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (std::size_t i = 0; i < values_.size(); ++i, ++row) {
        values_[i] = new LinkedSlider(context.dialogs, ids.sliders[i], ids.boxes[i],
                                      kPictureValueRanges[i], this);
        grid->addWidget(Caption(ids.captionKeys[i], this), row, 0);
        grid->addWidget(values_[i], row, 1);
        connect(values_[i], &LinkedSlider::valueChanged, this,
                [this, i](int value) { OnValueChanged(i, value); });
        last_[i] = kPictureValueRanges[i].initial;
    }
    colorTemperature_ = new QComboBox(this);
    SetControlId(colorTemperature_, ids.colorTemperature);
    grid->addWidget(Caption(ids.colorTemperatureCaptionKey, this), row, 0);
    grid->addWidget(colorTemperature_, row++, 1);
    connect(colorTemperature_, &QComboBox::currentIndexChanged, this,
            &PictureAdjustPage::OnColorTemperatureChosen);
    if (ids.gamma != 0) {
        gamma_ = new QComboBox(this);
        SetControlId(gamma_, ids.gamma);
        grid->addWidget(Caption(ids.gammaCaptionKey, this), row, 0);
        grid->addWidget(gamma_, row++, 1);
        connect(gamma_, &QComboBox::currentIndexChanged, this, &PictureAdjustPage::OnGammaChosen);
    }
    reset_ = new QPushButton(this);
    SetControlId(reset_, ids.reset);
    grid->addWidget(reset_, row++, 0, 1, 2, Qt::AlignCenter);
    grid->setRowStretch(row, 1);
    connect(reset_, &QPushButton::clicked, this, &PictureAdjustPage::Reset);
    Relabel();
}

int PictureAdjustPage::CurrentCard() const {
    return owner_.CurrentCardId();
}

void PictureAdjustPage::OnValueChanged(std::size_t index, int value) {
    const int card = CurrentCard();
    if (card == 0 || value == last_[index])
        return;
    last_[index] = value;
    if (!UpdatePicture(context_.records, kind_, card,
                       [&](PictureValues& p) { p.values[index] = value; })) {
        return;
    }
    context_.stateChanged.Set();
    sender_->Send(PictureQualityFrame(static_cast<std::uint8_t>(card), kind_,
                                      static_cast<PictureItem>(index), value));
}

void PictureAdjustPage::OnColorTemperatureChosen(int index) {
    const int card = CurrentCard();
    if (card == 0 || index < 0)
        return;
    const int code = colorTemperature_->itemData(index).toInt();
    if (!UpdatePicture(context_.records, kind_, card, [code](PictureValues& p) {
            p.colorTemperature = static_cast<std::uint8_t>(code);
            p.colorTemperatureText.clear();
        })) {
        return;
    }
    context_.stateChanged.Set();
    SendCommand(context_.link, PictureQualityFrame(static_cast<std::uint8_t>(card), kind_,
                                                   PictureItem::kColorTemperature, code));
}

void PictureAdjustPage::OnGammaChosen(int index) {
    const int card = CurrentCard();
    if (card == 0 || index < 0)
        return;
    const int code = gamma_->itemData(index).toInt();
    if (!UpdatePicture(context_.records, kind_, card,
                       [code](PictureValues& p) { p.gamma = static_cast<std::uint8_t>(code); })) {
        return;
    }
    context_.stateChanged.Set();
    SendCommand(context_.link, PictureQualityFrame(static_cast<std::uint8_t>(card), kind_,
                                                   PictureItem::kGamma, code));
}

void PictureAdjustPage::ShowCard(int cardId) {
    const auto picture = FindPicture(context_.records, kind_, cardId);
    if (!picture)
        return;
    for (std::size_t i = 0; i < values_.size(); ++i)
        values_[i]->Write(picture->values[i]);
    SelectCodes(*picture);
    context_.stateChanged.Set();
}

void PictureAdjustPage::SelectCodes(const PictureValues& picture) {
    SelectListData(*colorTemperature_, picture.colorTemperature);
    if (gamma_)
        SelectListData(*gamma_, picture.gamma);
}

void PictureAdjustPage::InitialiseValues() {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        values_[i]->Initialise();
        last_[i] = kPictureValueRanges[i].initial;
    }
}

void PictureAdjustPage::Initialise() {
    InitialiseValues();
    SelectCodes(PictureValues{});
}

void PictureAdjustPage::Reset() {
    InitialiseValues();
    SelectCodes(PictureValues{});
    const int card = CurrentCard();
    if (card == 0)
        return;
    const auto address = static_cast<std::uint8_t>(card);
    SendCommand(context_.link,
                PictureQualityFrame(address, kind_, PictureItem::kColorTemperature, 0));
    if (gamma_)
        SendCommand(context_.link, PictureQualityFrame(address, kind_, PictureItem::kGamma, 0));
    const PictureValues defaults = DefaultPicture(context_.records, kind_);
    if (UpdatePicture(context_.records, kind_, card, [&](PictureValues& p) { p = defaults; }))
        context_.stateChanged.Set();
}

void PictureAdjustPage::Relabel() {
    const Language& language = context_.language;
    {
        const QSignalBlocker quiet(colorTemperature_);
        colorTemperature_->clear();
        for (int code = 0; code < 4; ++code)
            colorTemperature_->addItem(ToQString(language.Named(kColorTemperatureKeys[code])),
                                       code);
    }
    if (gamma_) {
        const QSignalBlocker quiet(gamma_);
        gamma_->clear();
        gamma_->addItem(ToQString(language.Named("IDS_GAMMA_CLOSE")), 0);
        for (int code = 1; code <= 6; ++code)
            gamma_->addItem(QString::fromLatin1(kGammaLabels[code - 1]), code);
    }
    auto picture = FindPicture(context_.records, kind_, CurrentCard());
    if (!picture)
        picture = FirstPicture(context_.records, kind_);
    SelectCodes(picture.value_or(PictureValues{}));
}

}  // namespace kov::ui

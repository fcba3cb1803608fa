#include "input/input_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QTabWidget>

#include "input/base_map_page.h"
#include "input/input_picture_page.h"
#include "input/picture_word_page.h"
#include "link/commands.h"
#include "link/exchange.h"
#include "shell/app_context.h"
#include "shell/confirm_dialogs.h"
#include "shell/operator_dialogs.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_records.h"
#include "store/language.h"
#include "store/picture_values.h"
#include "store/tables.h"
#include "widgets/form_rows.h"
#include "widgets/list_fill.h"
#include "widgets/relabel.h"
#include "widgets/window_boxes.h"

namespace kov::ui {
namespace {

using In = InputCardRecord;

constexpr int kCardNumberBox = 1056;
constexpr int kSubPageTabs = 1062;
constexpr int kInputIdOffset = 128;
constexpr const char* kSubPageTitleKeys[] = {"IDS_TABLE_PICADJUST", "IDS_TABLE_PICWORD",
                                             "IDS_TABLE_BASEMAP"};
constexpr WindowMembers<In> kCaptureWindow = {&In::inputHLocation, &In::inputHWidth,
                                              &In::inputVLocation, &In::inputVHeight};

}  // namespace

CInPutPage::CInPutPage(AppContext& context, QWidget* parent)
    : CardPageFrame(kCardNumberBox, kSubPageTabs, kInputIdOffset, parent),
      context_(context),
      source_(AddList(*fields_, 0, 1057, "IDS_1070", this)),
      resolution_(AddList(*fields_, 1, 1055, "IDS_1055", this)),
      transparency_(AddList(*fields_, 2, 1090, "IDS_1090", this)),
      reset_(AddButton(*buttons_, 1086, this)),
      autoAdjust_(AddButton(*buttons_, 1026, this)) {
    setObjectName("CInPutPage");
    FillList(*source_, InputSourceListItems());
    FillList(*resolution_, ResolutionListItems());
    FillList(*transparency_, TransparencyListItems());
    resolution_->setEnabled(false);
    window_ = new WindowBoxes(context.dialogs, {1059, 1060, 1061, 1025},
                              {"IDS_1071", "IDS_1073", "IDS_1072", "IDS_1025"}, *fields_, 3, this);
    picture_ = new CIPPageOne(context, *this, tabs_);
    word_ = new CIPPageTwo(context, *this, tabs_);
    baseMap_ = new CIPPageThree(context, *this, tabs_);
    tabs_->addTab(picture_, QString());
    tabs_->addTab(word_, QString());
    tabs_->addTab(baseMap_, QString());
    {
        auto lock = context.records.Lock();
        if (context.records.input.Count() > 0) {
            const In& first = context.records.input.At(0);
            SelectListData(*source_, first.inputSrc);
            SelectListData(*resolution_, first.inputResolution.code);
            SelectListData(*transparency_, first.inputtranspy);
        }
    }
    connect(source_, &QComboBox::currentIndexChanged, this, &CInPutPage::OnSourceChosen);
    connect(transparency_, &QComboBox::currentIndexChanged, this,
            &CInPutPage::OnTransparencyChosen);
    connect(window_, &WindowBoxes::applied, this, &CInPutPage::OnWindowApplied);
    connect(reset_, &QPushButton::clicked, this, &CInPutPage::ResetCard);
    connect(autoAdjust_, &QPushButton::clicked, this, &CInPutPage::AutoAdjust);
    ApplyTexts();
}

void CInPutPage::ApplyTexts() {
    SetPrefix(ToQString(context_.language.Named("IDS_INPUTCARD")));
    for (int i = 0; i < tabs_->count(); ++i)
        tabs_->setTabText(i, ToQString(context_.language.Named(kSubPageTitleKeys[i])));
    picture_->Relabel();
}

void CInPutPage::SelectResolution(int code) {
    SelectListData(*resolution_, code);
}

void CInPutPage::ShowCard(int cardId) {
    const auto found = context_.records.InputCopy(cardId);
    if (!found)
        return;
    const In& record = *found;
    SetCard(cardId);
    window_->Show(ReadWindow(record, kCaptureWindow));
    SelectListData(*transparency_, record.inputtranspy);
    SelectListData(*source_, record.inputSrc);
    SelectListData(*resolution_, record.inputResolution.code);
    context_.stateChanged.Set();
    picture_->ShowCard(cardId);
    word_->ShowCard(cardId);
    baseMap_->ShowCard(cardId);
}

// The source, transparency and window of the card (the first record for 0, which also
// selects that record's resolution).
void CInPutPage::ShowFields(int cardId) {
    const auto found = context_.records.InputCopyOrFirst(cardId);
    if (!found)
        return;
    const In& record = *found;
    if (cardId == 0)
        SelectListData(*resolution_, record.inputResolution.code);
    SelectListData(*source_, record.inputSrc);
    SelectListData(*transparency_, record.inputtranspy);
    window_->Show(ReadWindow(record, kCaptureWindow));
}

void CInPutPage::RefreshAll(int cardId) {
    ShowFields(cardId);
    picture_->Initialise();
    word_->Initialise();
    baseMap_->Refresh(cardId);
}

void CInPutPage::OnSourceChosen(int index) {
    const int card = CurrentCardId();
    if (card == 0 || index < 0)
        return;
    const int source = source_->itemData(index).toInt();
    if (!context_.records.EditInput(card, [source](In& r) { r.inputSrc = source; }))
        return;
    context_.stateChanged.Set();
    SendCommand(context_.link,
                SelectSourceFrame(static_cast<std::uint8_t>(card), kInputLayerPicture, source));
}

void CInPutPage::OnTransparencyChosen(int index) {
    const int card = CurrentCardId();
    if (card == 0 || index < 0)
        return;
    const int transparency = transparency_->itemData(index).toInt();
    if (!context_.records.EditInput(card, [transparency](In& r) {
            r.inputtranspy = static_cast<std::uint16_t>(transparency);
        })) {
        return;
    }
    context_.stateChanged.Set();
    PostKovMessage(window(), WM_INPUT_TRANSPARENCY, card, transparency);
}

void CInPutPage::OnWindowApplied(WindowField field, int value) {
    const int card = CurrentCardId();
    const auto changed =
        ApplyWindowBox(context_.records, context_.records.input, card, kCaptureWindow,
                       &In::inputResolution, *window_, field, value);
    if (!changed)
        return;
    context_.stateChanged.Set();
    SendCaptureWindow(context_.link, *changed, static_cast<std::uint8_t>(card));
    PostKovMessage(window(), WM_INPUT_LAYOUT_CHANGED);
}

void CInPutPage::ResetCard() {
    if (!ConfirmCardReset(context_, this))
        return;
    const int card = CurrentCardId();
    if (card == 0)
        return;
    // With no resolution selected the card keeps its resolution and windows.
    const ResolutionEntry* entry = resolution_->currentIndex() < 0
                                       ? nullptr
                                       : FindResolution(resolution_->currentData().toInt());
    {
        auto lock = context_.records.Lock();
        In* record = context_.records.input.Find(card);
        if (!record)
            return;
        const In& defaults = context_.records.input.Default();
        record->inputSrc = defaults.inputSrc;
        record->inputtranspy = defaults.inputtranspy;
        SetPicture(*record, PictureOf(defaults));
        record->picWordOnoff = defaults.picWordOnoff;
        record->picWordMode = defaults.picWordMode;
        record->picWordAboveOn = defaults.picWordAboveOn;
        record->picWordAndOr = defaults.picWordAndOr;
        record->picWordRed = defaults.picWordRed;
        record->picWordGreen = defaults.picWordGreen;
        record->picWordBlue = defaults.picWordBlue;
        record->baseMapinputSrc = defaults.baseMapinputSrc;
        if (entry) {
            record->inputResolution = *entry;
            record->inputHLocation = record->inputVLocation = 0;
            record->inputHWidth = entry->width;
            record->inputVHeight = entry->height;
            record->baseMapHLocation = record->baseMapVLocation = 0;
            record->baseMapHWidth = entry->width;
            record->baseMapVHeight = entry->height;
        }
    }
    context_.stateChanged.Set();
    RefreshAll(card);
    const auto address = static_cast<std::uint8_t>(card);
    SendCommand(context_.link, ResetFrame(address));
    if (entry)
        SendCommand(context_.link, ResolutionFrame(address, entry->code));
    PostKovMessage(window(), WM_CARD_RESET, card);
}

void CInPutPage::AutoAdjust() {
    AutoAdjustCard(context_, this, CurrentCardId());
}

void CInPutPage::OnResolutionChanged(qintptr wParam, qintptr lParam) {
    if (const int card = CurrentCardId()) {
        if (const auto record = context_.records.InputCopy(card))
            window_->Show(ReadWindow(*record, kCaptureWindow));
        context_.stateChanged.Set();
    }
    PostKovMessage(baseMap_, WM_BASEMAP_RELOAD, wParam, lParam);
}

bool CInPutPage::event(QEvent* event) {
    switch (MessageOf(event)) {
        case WM_INPUT_CARD_SHOW:
            ShowCard(static_cast<int>(static_cast<KovMessage*>(event)->wParam));
            return true;
        case WM_INPUT_RESOLUTION_CHANGED: {
            const auto* message = static_cast<KovMessage*>(event);
            OnResolutionChanged(message->wParam, message->lParam);
            return true;
        }
        default:
            return CardPageFrame::event(event);
    }
}

}  // namespace kov::ui

#include "input/base_map_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "link/commands.h"
#include "link/exchange.h"
#include "shell/app_context.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_records.h"
#include "store/tables.h"
#include "widgets/card_page_frame.h"
#include "widgets/list_fill.h"
#include "widgets/relabel.h"
#include "widgets/window_boxes.h"

namespace kov::ui {
namespace {

using In = InputCardRecord;
constexpr WindowMembers<In> kBaseMapWindow = {&In::baseMapHLocation, &In::baseMapHWidth,
                                              &In::baseMapVLocation, &In::baseMapVHeight};

}  // namespace

CIPPageThree::CIPPageThree(AppContext& context, const CardPageFrame& owner, QWidget* parent)
    : EditorPage(parent), context_(context), owner_(owner), source_(new QComboBox(this)) {
    setObjectName("CIPPageThree");
    auto* outer = new QVBoxLayout(this);
    auto* frame = new QGroupBox(this);
    SetCaptionKey(frame, "IDS_LABEL_BASEMAP");
    outer->addWidget(frame);
    outer->addStretch(1);
    auto* grid = new QGridLayout(frame);
    auto* caption = new QLabel(frame);
    SetCaptionKey(caption, "IDS_1070");
    SetControlId(source_, 1070);
    FillList(*source_, InputSourceListItems());
    grid->addWidget(caption, 0, 0);
    grid->addWidget(source_, 0, 1);
    window_ = new WindowBoxes(context.dialogs, {1071, 1073, 1072, 1074},
                              {"IDS_1071", "IDS_1073", "IDS_1072", "IDS_1074"}, *grid, 1, frame);
    connect(source_, &QComboBox::currentIndexChanged, this, &CIPPageThree::OnSourceChosen);
    connect(window_, &WindowBoxes::applied, this, &CIPPageThree::OnWindowApplied);
    Refresh(0);
}

void CIPPageThree::ShowCard(int cardId) {
    if (cardId != 0 && Fill(cardId))
        context_.stateChanged.Set();
}

void CIPPageThree::Refresh(int cardId) {
    if (cardId == 0)
        Fill(0);
    else
        ShowCard(cardId);
}

bool CIPPageThree::Fill(int cardId) {
    const auto record = context_.records.InputCopyOrFirst(cardId);
    if (!record)
        return false;
    SelectListData(*source_, record->baseMapinputSrc);
    window_->Show(ReadWindow(*record, kBaseMapWindow));
    return true;
}

bool CIPPageThree::ShowWindow(int cardId) {
    const auto record = context_.records.InputCopyOrFirst(cardId);
    if (!record)
        return false;
    window_->Show(ReadWindow(*record, kBaseMapWindow));
    return true;
}

void CIPPageThree::ResetAllSources() {
    const int source = kInternalBusSource;
    {
        auto lock = context_.records.Lock();
        for (In& record : context_.records.input.Records())
            record.baseMapinputSrc = source;
    }
    SelectListData(*source_, source);
    context_.stateChanged.Set();
}

void CIPPageThree::OnSourceChosen(int index) {
    const int card = owner_.CurrentCardId();
    if (card == 0 || index < 0)
        return;
    const int source = source_->itemData(index).toInt();
    if (!context_.records.EditInput(card, [source](In& r) { r.baseMapinputSrc = source; }))
        return;
    context_.stateChanged.Set();
    SendCommand(context_.link,
                SelectSourceFrame(static_cast<std::uint8_t>(card), kInputLayerBaseMap, source));
}

void CIPPageThree::OnWindowApplied(WindowField field, int value) {
    const int card = owner_.CurrentCardId();
    const auto changed =
        ApplyWindowBox(context_.records, context_.records.input, card, kBaseMapWindow,
                       &In::inputResolution, *window_, field, value);
    if (!changed)
        return;
    context_.stateChanged.Set();
    SendBaseMapWindow(context_.link, *changed, static_cast<std::uint8_t>(card));
}

bool CIPPageThree::event(QEvent* event) {
    if (MessageOf(event) == WM_BASEMAP_RELOAD) {
        ShowWindow(static_cast<int>(static_cast<KovMessage*>(event)->wParam));
        return true;
    }
    return EditorPage::event(event);
}

}  // namespace kov::ui

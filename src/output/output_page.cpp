#include "output/output_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>

#include "link/commands.h"
#include "link/exchange.h"
#include "output/double_picture_page.h"
#include "output/output_picture_page.h"
#include "output/output_window_page.h"
#include "shell/app_context.h"
#include "shell/confirm_dialogs.h"
#include "shell/operator_dialogs.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_records.h"
#include "store/language.h"
#include "store/picture_values.h"
#include "store/tables.h"
#include "widgets/digits_box.h"
#include "widgets/form_rows.h"
#include "widgets/list_fill.h"
#include "widgets/relabel.h"
#include "widgets/window_boxes.h"

namespace kov::ui {
namespace {

using Out = OutputCardRecord;

constexpr int kCardNumberBox = 1015;
constexpr int kSubPageTabs = 1031;
constexpr const char* kSubPageTitleKeys[] = {"IDS_TABLE_OUTPUTSET", "IDS_TABLE_PICADJUST",
                                             "IDS_TABLE_DOUBLEPIC"};
constexpr WindowMembers<Out> kSplice = {&Out::spliceHLocation, &Out::spliceHWidth,
                                        &Out::spliceVLocation, &Out::spliceVHeight};

// A titled group in row of grid, spanning both columns, with a grid of its own rows.
QGridLayout* AddGroup(QGridLayout& grid, int row, int id, QWidget* parent) {
    auto* group = new QGroupBox(parent);
    SetControlId(group, id);
    grid.addWidget(group, row, 0, 1, 2);
    return new QGridLayout(group);
}

}  // namespace

CPageDlg::CPageDlg(AppContext& context, QWidget* parent)
    : CardPageFrame(kCardNumberBox, kSubPageTabs, 0, parent), context_(context) {
    setObjectName("CPageDlg");
    QGridLayout* screen = AddGroup(*fields_, 0, 1132, this);
    screenWidth_ = AddDigitsBox(context.dialogs, *screen, 0, 1220, "IDS_1220", this);
    screenHeight_ = AddDigitsBox(context.dialogs, *screen, 1, 1020, "IDS_1020", this);
    source_ = AddList(*fields_, 1, 1030, "IDS_1070", this);
    QGridLayout* resolution = AddGroup(*fields_, 2, 1133, this);
    resolution_ = AddList(*resolution, 0, 1028, "IDS_1055", this);
    QGridLayout* splice = AddGroup(*fields_, 3, 1134, this);
    splice_ = new WindowBoxes(context.dialogs, {1221, 1022, 1023, 1222},
                              {"IDS_1221", "IDS_1022", "IDS_1023", "IDS_1222"}, *splice, 0, this);
    reset_ = AddButton(*buttons_, 1087, this);
    autoAdjust_ = AddButton(*buttons_, 1088, this);

    window_ = new COPPageOne(context, *this, tabs_);
    picture_ = new COPPageTwo(context, *this, tabs_);
    doublePicture_ = new COPPageThree(context, *this, tabs_);
    tabs_->addTab(window_, QString());
    tabs_->addTab(picture_, QString());
    tabs_->addTab(doublePicture_, QString());

    FillList(*source_, OutputSourceListItems());
    FillList(*resolution_, ResolutionListItems());
    resolution_->setEnabled(false);
    {
        auto lock = context.records.Lock();
        ShowWholeScreen(context.records.screen.width, context.records.screen.height);
        if (context.records.output.Count() > 0) {
            const Out& first = context.records.output.At(0);
            splice_->Show(ReadWindow(first, kSplice));
            SelectListData(*source_, first.OutPutinputSrc);
            SelectListData(*resolution_, first.outputReso.code);
        }
    }
    connect(screenWidth_, &DigitsBox::applied, this,
            [this] { OnWholeScreenApplied(ScreenAxis::kHorizontal, *screenWidth_); });
    connect(screenHeight_, &DigitsBox::applied, this,
            [this] { OnWholeScreenApplied(ScreenAxis::kVertical, *screenHeight_); });
    connect(source_, &QComboBox::currentIndexChanged, this, &CPageDlg::OnSourceChosen);
    connect(splice_, &WindowBoxes::applied, this, &CPageDlg::OnSpliceApplied);
    connect(reset_, &QPushButton::clicked, this, &CPageDlg::ResetCard);
    connect(autoAdjust_, &QPushButton::clicked, this, &CPageDlg::AutoAdjust);
    ApplyTexts();
}

void CPageDlg::ApplyTexts() {
    SetPrefix(ToQString(context_.language.Named("IDS_OUTPUT")));
    for (int i = 0; i < tabs_->count(); ++i)
        tabs_->setTabText(i, ToQString(context_.language.Named(kSubPageTitleKeys[i])));
    picture_->Relabel();
}

void CPageDlg::SelectResolution(int code) {
    SelectListData(*resolution_, code);
}

void CPageDlg::ShowWholeScreen(std::int32_t width, std::int32_t height) {
    screenWidth_->SetValue(width);
    screenHeight_->SetValue(height);
}

void CPageDlg::ShowSplice(const Out& record) {
    splice_->Show(ReadWindow(record, kSplice));
}

void CPageDlg::ShowCard(int cardId) {
    // Card 0 (after a resolution change) names no record: the page keeps its card, the
    // tabs reload what they show.
    if (const auto record = context_.records.OutputCopy(cardId)) {
        SetCard(cardId);
        ShowSplice(*record);
        ShowWholeScreen(record->outputHparam, record->outputVparam);
        SelectListData(*source_, record->OutPutinputSrc);
        SelectListData(*resolution_, record->outputReso.code);
        context_.stateChanged.Set();
    }
    PostKovMessage(window_, WM_OUTPUT_WINDOW_RELOAD, cardId);
    picture_->ShowCard(cardId);
    PostKovMessage(doublePicture_, WM_DOUBLEPIC_RELOAD, cardId);
}

void CPageDlg::RefreshAll(int cardId) {
    if (const auto record = context_.records.OutputCopyOrFirst(cardId)) {
        SelectListData(*source_, record->OutPutinputSrc);
        SelectListData(*resolution_, record->outputReso.code);
        ShowSplice(*record);
    }
    if (cardId == 0) {
        auto lock = context_.records.Lock();
        ShowWholeScreen(context_.records.screen.width, context_.records.screen.height);
    }
    window_->ShowCard(cardId);
    picture_->Initialise();
    doublePicture_->ResetView(cardId);
}

void CPageDlg::OnSourceChosen(int index) {
    const int card = CurrentCardId();
    if (card == 0 || index < 0)
        return;
    const int source = source_->itemData(index).toInt();
    if (!context_.records.EditOutput(card, [source](Out& r) { r.OutPutinputSrc = source; }))
        return;
    context_.stateChanged.Set();
    SendCommand(context_.link,
                SelectSourceFrame(static_cast<std::uint8_t>(card), kOutputLayerPicture1, source));
}

void CPageDlg::OnSpliceApplied(WindowField field, int value) {
    const auto changed =
        ApplyBox(context_.records, context_.records.output, CurrentCardId(), *splice_, field, value,
                 [&](Out& r) {
                     const WholeScreen& screen = context_.records.screen;
                     return FitRecordSplice(r, kSplice, field, value, screen.width, screen.height);
                 });
    if (!changed)
        return;
    context_.stateChanged.Set();
    PostKovMessage(window(), WM_OUTPUT_LAYOUT_CHANGED);
}

void CPageDlg::OnWholeScreenApplied(ScreenAxis axis, DigitsBox& box) {
    const int typed = box.Value();
    int stored = 0;
    {
        auto lock = context_.records.Lock();
        stored = ChangeWholeScreen(context_.records.screen, context_.records.output.Records(), axis,
                                   typed);
    }
    if (stored != typed)
        box.SetValue(stored);
    if (const auto record = context_.records.OutputCopyOrFirst(CurrentCardId()))
        ShowSplice(*record);
    context_.stateChanged.Set();
    PostKovMessage(window(), WM_OUTPUT_LAYOUT_CHANGED);
}

void CPageDlg::ResetCard() {
    if (!ConfirmCardReset(context_, this))
        return;
    const int card = CurrentCardId();
    if (card == 0)
        return;
    const bool found = context_.records.EditOutput(card, [this](Out& r) {
        const Out& defaults = context_.records.output.Default();
        r.OutPutinputSrc = defaults.OutPutinputSrc;
        r.spliceHLocation = defaults.spliceHLocation;
        r.spliceHWidth = defaults.spliceHWidth;
        r.spliceVLocation = defaults.spliceVLocation;
        r.spliceVHeight = defaults.spliceVHeight;
        SetPicture(r, PictureOf(defaults));
    });
    if (!found)
        return;
    // With no resolution selected the card keeps its resolution and no 0x02 goes out.
    const ResolutionEntry* entry = resolution_->currentIndex() < 0
                                       ? nullptr
                                       : FindResolution(resolution_->currentData().toInt());
    context_.stateChanged.Set();
    RefreshAll(card);
    PostKovMessage(window(), WM_CARD_RESET, card);
    const auto address = static_cast<std::uint8_t>(card);
    SendCommand(context_.link, ResetFrame(address));
    if (entry)
        SendCommand(context_.link, ResolutionFrame(address, entry->code));
}

void CPageDlg::AutoAdjust() {
    AutoAdjustCard(context_, this, CurrentCardId());
}

bool CPageDlg::event(QEvent* event) {
    if (MessageOf(event) == WM_OUTPUT_CARD_SHOW) {
        ShowCard(static_cast<int>(static_cast<KovMessage*>(event)->wParam));
        return true;
    }
    return CardPageFrame::event(event);
}

}  // namespace kov::ui

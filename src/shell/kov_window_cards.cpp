// The main window's card tree, card selection and show/hide, the messages of the pages
// and diagrams, and the resolution list.

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include "diagram/diagram_ctrl.h"
#include "input/input_field_host.h"
#include "input/input_page.h"
#include "link/commands.h"
#include "link/exchange.h"
#include "output/output_field_host.h"
#include "output/output_page.h"
#include "shell/kov_window.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_records.h"
#include "store/language.h"
#include "store/profile.h"
#include "store/tables.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

constexpr int kInputTab = 0;
constexpr int kOutputTab = 1;
constexpr int kSlotRole = Qt::UserRole;

// Tree items do not toggle their check mark themselves: a double click does that.
constexpr Qt::ItemFlags kItemFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;

QIcon TreeIcon(QStyle* style, int level) {
    static constexpr QStyle::StandardPixmap kIcons[] = {QStyle::SP_ComputerIcon, QStyle::SP_DirIcon,
                                                        QStyle::SP_DriveHDIcon};
    return style->standardIcon(kIcons[level]);
}

}  // namespace

void CKovDlg::BuildTree() {
    const Language& language = context_.language;
    tree_->clearSelection();
    tree_->clear();
    pendingItem_ = nullptr;
    doubleClickedItem_ = nullptr;
    auto* root = new QTreeWidgetItem(tree_, {ToQString(language.Named("IDS_TREE_CARDLIST"))});
    root->setIcon(0, TreeIcon(style(), 0));
    const QString slotText = ToQString(language.Named("IDS_TREE_SLOT"));
    for (const bool input : {true, false}) {
        auto* group = new QTreeWidgetItem(
            root, {ToQString(language.Named(input ? "IDS_TREE_INPUTCARDLIST"
                                                  : "IDS_TREE_OUTPUTCARDLIST"))});
        group->setIcon(0, TreeIcon(style(), 1));
        group->setFlags(kItemFlags);
        for (const CardSlot& card :
             input ? context_.config.inputCards : context_.config.outputCards) {
            auto* item = new QTreeWidgetItem(group, {slotText + QString::number(card.slot)});
            item->setIcon(0, TreeIcon(style(), 2));
            item->setFlags(kItemFlags);
            item->setData(0, kSlotRole, card.slot);
            item->setCheckState(0, Qt::Unchecked);
        }
    }
    root->setFlags(kItemFlags);
    tree_->expandAll();
    BringTreeInLine();
    tree_->setStyleSheet("QTreeWidget { background: rgb(240, 240, 240); }");
}

QTreeWidgetItem* CKovDlg::TreeItemOfSlot(int slot) const {
    // Items are found by their text, the slot label of the card's slot.
    const QString text =
        ToQString(context_.language.Named("IDS_TREE_SLOT")) + QString::number(slot);
    const auto found = tree_->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

void CKovDlg::BringTreeInLine() {
    std::vector<std::pair<int, bool>> inputs, outputs;  // (card ID, shown)
    {
        auto lock = context_.records.Lock();
        for (const auto& r : context_.records.input.Records())
            inputs.emplace_back(r.cardId, r.inputPicShow != 0);
        for (const auto& r : context_.records.output.Records())
            outputs.emplace_back(r.cardId, r.outputPicshow != 0);
    }
    auto apply = [this](DiagramCtrl& picture, const std::vector<std::pair<int, bool>>& cards) {
        for (const auto& [cardId, shown] : cards) {
            picture.SetCardHidden(cardId, !shown);
            if (QTreeWidgetItem* item = TreeItemOfSlot(context_.config.SlotOf(cardId))) {
                item->setCheckState(0, shown ? Qt::Checked : Qt::Unchecked);
            }
        }
    };
    apply(inputField_->Picture(), inputs);
    apply(outputField_->Picture(), outputs);
    tree_->viewport()->update();
}

void CKovDlg::OnTreeClicked(QTreeWidgetItem* item) {
    // The release of a double click's second press is not a new single click.
    if (item == doubleClickedItem_) {
        doubleClickedItem_ = nullptr;
        return;
    }
    pendingItem_ = item;
    clickTimer_->start(QApplication::doubleClickInterval());
}

void CKovDlg::OnTreeDoubleClicked(QTreeWidgetItem* item) {
    clickTimer_->stop();
    pendingItem_ = nullptr;
    doubleClickedItem_ = item;
    tree_->setCurrentItem(item);
    const int slot = item->data(0, kSlotRole).toInt();
    if (slot >= 1 && slot <= kSlotCount)
        ToggleCard(slot);
}

void CKovDlg::OnClickTimer() {
    clickTimer_->stop();
    QTreeWidgetItem* item = pendingItem_;
    pendingItem_ = nullptr;
    if (item == nullptr)
        return;
    tree_->setCurrentItem(item);
    const int slot = item->data(0, kSlotRole).toInt();
    if (slot >= 1 && slot <= kSlotCount)
        SelectCard(slot);
}

void CKovDlg::ShowInputPage(bool input) {
    inputPage_->setVisible(input);
    outputPage_->setVisible(!input);
}

void CKovDlg::SelectCard(int slot) {
    const auto it = context_.config.slotMap.find(slot);
    if (it != context_.config.slotMap.end())
        ShowCurrentCard(DecimalValue(it->second));
}

void CKovDlg::ShowCurrentCard(int cardId, qintptr lParam) {
    const bool input = IsInputCardId(cardId);
    PostKovMessage(input ? static_cast<QObject*>(inputPage_) : outputPage_,
                   input ? WM_INPUT_CARD_SHOW : WM_OUTPUT_CARD_SHOW, cardId, lParam);
    HighlightCard(cardId);
}

void CKovDlg::HighlightCard(int cardId) {
    if (cardId == 0) {
        tree_->setCurrentItem(nullptr);
        return;
    }
    const bool input = IsInputCardId(cardId);
    // A cell the diagram itself has just highlighted (a click or a drag) is left alone, so
    // a drag under way is not ended.
    DiagramCtrl& picture = PictureOf(input);
    if (picture.SelectedCardId() != cardId)
        picture.SelectCard(cardId);
    ShowInputPage(input);
    ShowTab(input ? kInputTab : kOutputTab);
    if (QTreeWidgetItem* item = TreeItemOfSlot(context_.config.SlotOf(cardId)))
        tree_->setCurrentItem(item);
}

int CKovDlg::CurrentCardId() const {
    return inputPage_->isVisibleTo(this) ? inputPage_->CurrentCardId()
                                         : outputPage_->CurrentCardId();
}

DiagramCtrl& CKovDlg::PictureOf(bool input) const {
    return input ? static_cast<DiagramCtrl&>(inputField_->Picture()) : outputField_->Picture();
}

void CKovDlg::ShowTab(int tab) {
    if (tabs_->currentIndex() != tab)
        tabs_->setCurrentIndex(tab);
}

bool CKovDlg::SendInputShown(int cardId, bool show) {
    InputCardRecord record;
    {
        auto lock = context_.records.Lock();
        InputCardRecord* r = context_.records.input.Find(cardId);
        if (r == nullptr)
            return false;
        r->inputPicShow = show ? 1 : 0;
        record = *r;
    }
    const auto address = static_cast<std::uint8_t>(cardId);
    SendCommand(context_.link, InputPictureDisplayFrame(address, show, record.inputtranspy));
    SendCaptureWindow(context_.link, record, address);
    return true;
}

bool CKovDlg::SendOutputShown(int cardId, bool show) {
    OutputCardRecord record;
    {
        auto lock = context_.records.Lock();
        OutputCardRecord* r = context_.records.output.Find(cardId);
        if (r == nullptr)
            return false;
        r->outputPicshow = show ? 1 : 0;
        record = *r;
    }
    SendCommand(context_.link, ShowOutputPictureFrame(static_cast<std::uint8_t>(cardId), show));
    SendHorizontalSplice(context_.link, record);
    SendVerticalSplice(context_.link, record);
    return true;
}

void CKovDlg::ToggleCard(int slot) {
    const auto it = context_.config.slotMap.find(slot);
    if (it == context_.config.slotMap.end())
        return;
    const int cardId = DecimalValue(it->second);
    const bool input = IsInputCardId(cardId);
    DiagramCtrl& picture = PictureOf(input);
    const bool show = picture.IsCardHidden(cardId);
    if (!(input ? SendInputShown(cardId, show) : SendOutputShown(cardId, show)))
        return;
    picture.SetCardHidden(cardId, !show);
    if (QTreeWidgetItem* item = TreeItemOfSlot(slot))
        item->setCheckState(0, show ? Qt::Checked : Qt::Unchecked);
    // The tab switches to the card's diagram, and the page follows it.
    ShowCurrentCard(cardId);
    picture.update();
    context_.stateChanged.Set();
}

void CKovDlg::OnTabChosen(int index) {
    if (index != kInputTab && index != kOutputTab)
        return;
    // The page of the chosen kind comes forward with the card it shows.
    const int cardId =
        index == kInputTab ? inputPage_->CurrentCardId() : outputPage_->CurrentCardId();
    ShowInputPage(index == kInputTab);
    if (cardId != 0)
        ShowCurrentCard(cardId);
}

bool CKovDlg::event(QEvent* event) {
    if (IsKovMessage(event)) {
        const auto* message = static_cast<KovMessage*>(event);
        HandleMessage(static_cast<int>(event->type()), message->wParam, message->lParam);
        return true;
    }
    return QMainWindow::event(event);
}

void CKovDlg::HandleMessage(int message, qintptr wParam, qintptr lParam) {
    const int cardId = static_cast<int>(wParam);
    switch (message) {
        case WM_CARD_SELECTED:
            ShowCurrentCard(cardId, lParam);
            break;
        case WM_INPUT_LAYOUT_CHANGED:
            if (wParam != 0)
                inputField_->SetResolutionCode(static_cast<int>(wParam) + 1);
            inputField_->Refresh();
            break;
        case WM_OUTPUT_LAYOUT_CHANGED:
            outputField_->Refresh();
            ResendVisibleSplices();
            break;
        case WM_INPUT_TRANSPARENCY:
            SendCommand(context_.link,
                        InputPictureDisplayFrame(static_cast<std::uint8_t>(cardId),
                                                 !inputField_->Picture().IsCardHidden(cardId),
                                                 static_cast<int>(lParam)));
            break;
        case WM_CARD_RESET: {
            const bool input = IsInputCardId(cardId);
            DiagramCtrl& picture = PictureOf(input);
            picture.SetCardHidden(cardId, true);
            if (QTreeWidgetItem* item = TreeItemOfSlot(context_.config.SlotOf(cardId))) {
                item->setCheckState(0, Qt::Unchecked);
            }
            if (input) {
                inputField_->Refresh();
            } else {
                outputField_->Refresh();
            }
            tree_->viewport()->update();
            break;
        }
        default:
            break;
    }
}

void CKovDlg::ResendVisibleSplices() {
    std::vector<OutputCardRecord> shown;
    {
        auto lock = context_.records.Lock();
        for (const auto& r : context_.records.output.Records()) {
            if (!outputField_->Picture().IsCardHidden(r.cardId))
                shown.push_back(r);
        }
    }
    for (const auto& record : shown) {
        SendHorizontalSplice(context_.link, record);
        SendVerticalSplice(context_.link, record);
    }
}

std::vector<bool> CKovDlg::HiddenFlags(bool input) const {
    std::vector<bool> hidden;
    auto lock = context_.records.Lock();
    if (input) {
        for (const auto& r : context_.records.input.Records())
            hidden.push_back(inputField_->Picture().IsCardHidden(r.cardId));
    } else {
        for (const auto& r : context_.records.output.Records())
            hidden.push_back(outputField_->Picture().IsCardHidden(r.cardId));
    }
    return hidden;
}

void CKovDlg::ChangeResolution(int index) {
    const auto table = ResolutionTable();
    if (index < 0 || index >= static_cast<int>(kResolutionCount))
        return;
    const ResolutionEntry entry = table[static_cast<std::size_t>(index)];
    InputCardRecord first;
    bool haveFirst = false;
    {
        auto lock = context_.records.Lock();
        for (auto& r : context_.records.input.Records()) {
            r.inputHLocation = r.inputVLocation = 0;
            r.inputHWidth = entry.width;
            r.inputVHeight = entry.height;
            r.baseMapHLocation = r.baseMapVLocation = 0;
            r.baseMapHWidth = entry.width;
            r.baseMapVHeight = entry.height;
            r.inputResolution = entry;
        }
        for (auto& r : context_.records.output.Records()) {
            r.outputHLocation = r.outputVLocation = 0;
            r.outputHWidth = entry.width;
            r.outputVHeight = entry.height;
            r.outputReso = entry;
        }
        if (context_.records.input.Count() > 0) {
            first = context_.records.input.At(0);
            haveFirst = true;
        }
    }
    context_.stateChanged.Set();
    SendCommand(context_.link, ResolutionFrame(kDeviceAddress, entry.code));
    if (haveFirst) {
        SendCaptureWindow(context_.link, first, kDeviceAddress);
        SendBaseMapWindow(context_.link, first, kDeviceAddress);
    }
    inputField_->SetResolutionCode(index + 1);
    inputField_->Refresh();
    inputPage_->SelectResolution(entry.code);
    outputPage_->SelectResolution(entry.code);
    // The message names no card: the page reloads whichever card it shows.
    PostKovMessage(inputPage_, WM_INPUT_RESOLUTION_CHANGED, 0);
    PostKovMessage(outputPage_, WM_OUTPUT_CARD_SHOW, 0);
    context_.stateChanged.Set();
}

}  // namespace kov::ui

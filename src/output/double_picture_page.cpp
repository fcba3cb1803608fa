#include "output/double_picture_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QScrollArea>
#include <QVBoxLayout>

#include "link/commands.h"
#include "link/exchange.h"
#include "shell/app_context.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_records.h"
#include "store/tables.h"
#include "widgets/card_page_frame.h"
#include "widgets/digits_box.h"
#include "widgets/form_rows.h"
#include "widgets/list_fill.h"
#include "widgets/relabel.h"
#include "widgets/window_boxes.h"

namespace kov::ui {
namespace {

using Out = OutputCardRecord;
constexpr WindowMembers<Out> kPicture2Window = {&Out::doublePicHLocation, &Out::doublePicHWidth,
                                                &Out::doublePicVLocation, &Out::doublePicVHeight};
constexpr WindowMembers<Out> kPicture2Splice = {
    &Out::doubleSpliceHLocation, &Out::doubleSpliceHWidth, &Out::doubleSpliceVLocation,
    &Out::doubleSpliceVHeight};

bool IsHorizontal(WindowField field) {
    return field == WindowField::kHLocation || field == WindowField::kHWidth;
}

QCheckBox* AddCheckBox(QGridLayout& grid, int row, int id, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    SetControlId(box, id);
    grid.addWidget(box, row, 0, 1, 2);
    return box;
}

}  // namespace

COPPageThree::COPPageThree(AppContext& context, const CardPageFrame& owner, QWidget* parent)
    : EditorPage(parent), context_(context), owner_(owner) {
    setObjectName("COPPageThree");
    // The tab holds more rows than a small window has room for: they scroll.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* rows = new QWidget(scroll);
    auto* grid = new QGridLayout(rows);
    scroll->setWidget(rows);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    picture2On_ = AddCheckBox(*grid, 0, 1043, this);
    source_ = AddList(*grid, 1, 1044, "IDS_1070", this);
    window_ = new WindowBoxes(context.dialogs, {1045, 1046, 1225, 1226},
                              {"IDS_1045", "IDS_1046", "IDS_1225", "IDS_1226"}, *grid, 2, this);
    transparency_ = AddList(*grid, 6, 1047, "IDS_1047", this);

    auto* group = new QGroupBox(this);
    SetControlId(group, 1176);
    grid->addWidget(group, 7, 0, 1, 2);
    auto* splice = new QGridLayout(group);
    spliceOn_ = AddCheckBox(*splice, 0, 1048, this);
    totalH_ = AddDigitsBox(context.dialogs, *splice, 1, 1227, "IDS_1227", this);
    totalV_ = AddDigitsBox(context.dialogs, *splice, 2, 1228, "IDS_1228", this);
    splice_ = new WindowBoxes(context.dialogs, {1229, 1230, 1025, 1231},
                              {"IDS_1229", "IDS_1230", "IDS_1023", "IDS_1231"}, *splice, 3, this);
    grid->setRowStretch(8, 1);

    FillList(*transparency_, TransparencyListItems());
    FillList(*source_, OutputSourceListItems());
    ResetView(0);

    connect(picture2On_, &QCheckBox::clicked, this, &COPPageThree::OnPicture2Clicked);
    connect(spliceOn_, &QCheckBox::clicked, this, &COPPageThree::OnSpliceClicked);
    connect(source_, &QComboBox::currentIndexChanged, this, &COPPageThree::OnSourceChosen);
    connect(transparency_, &QComboBox::currentIndexChanged, this,
            &COPPageThree::OnTransparencyChosen);
    connect(window_, &WindowBoxes::applied, this, &COPPageThree::OnWindowApplied);
    connect(totalH_, &DigitsBox::applied, this,
            [this] { OnTotalApplied(ScreenAxis::kHorizontal); });
    connect(totalV_, &DigitsBox::applied, this, [this] { OnTotalApplied(ScreenAxis::kVertical); });
    connect(splice_, &WindowBoxes::applied, this, &COPPageThree::OnSpliceApplied);
}

// The picture-2 controls follow its switch; the switch itself always stays usable.
void COPPageThree::EnablePicture2(bool on) {
    source_->setEnabled(on);
    for (auto field : {WindowField::kHLocation, WindowField::kHWidth, WindowField::kVLocation,
                       WindowField::kVHeight}) {
        window_->Box(field)->setEnabled(on);
    }
    transparency_->setEnabled(on);
    spliceOn_->setEnabled(on);
}

// The splice boxes follow the splice switch, which is set to match.
void COPPageThree::EnableSplice(bool on) {
    spliceOn_->setChecked(on);
    totalH_->setEnabled(on);
    totalV_->setEnabled(on);
    for (auto field : {WindowField::kHLocation, WindowField::kHWidth, WindowField::kVLocation,
                       WindowField::kVHeight}) {
        splice_->Box(field)->setEnabled(on);
    }
}

void COPPageThree::ShowValues(const Out& record) {
    window_->Show(ReadWindow(record, kPicture2Window));
    totalH_->SetValue(record.doubleSpliceHparam);
    totalV_->SetValue(record.doubleSpliceVparam);
    splice_->Show(ReadWindow(record, kPicture2Splice));
    SelectListData(*transparency_, record.doublePictranspy);
    SelectListData(*source_, record.DoublePicinputSrc);
}

void COPPageThree::ShowCard(int cardId) {
    if (cardId == 0) {
        // Card 0 follows a resolution change: the page keeps showing its own card.
        if (const auto record = context_.records.OutputCopyOrFirst(owner_.CurrentCardId()))
            window_->Show(ReadWindow(*record, kPicture2Window));
        return;
    }
    const auto record = context_.records.OutputCopy(cardId);
    if (!record)
        return;
    ShowValues(*record);
    picture2On_->setChecked(record->isOn != 0);
    EnablePicture2(record->isOn != 0);
    EnableSplice(record->isSpliceDouble != 0);
    context_.stateChanged.Set();
}

void COPPageThree::ResetView(int cardId) {
    const auto record = context_.records.OutputCopyOrFirst(cardId);
    if (!record)
        return;
    ShowValues(*record);
    picture2On_->setChecked(false);
    EnablePicture2(false);
    EnableSplice(false);
}

void COPPageThree::StoreSpliceSwitch(int card, bool on) {
    if (!context_.records.EditOutput(card, [on](Out& r) { r.isSpliceDouble = on ? 1 : 0; }))
        return;
    context_.stateChanged.Set();
    SendCommand(context_.link, Picture2SpliceFrame(static_cast<std::uint8_t>(card), on ? 1 : 0));
}

void COPPageThree::OnPicture2Clicked(bool on) {
    const int card = owner_.CurrentCardId();
    if (on) {
        EnablePicture2(true);
    } else if (spliceOn_->isChecked()) {
        // The second picture's splice goes off before the picture itself.
        EnableSplice(false);
        StoreSpliceSwitch(card, false);
    }
    Out changed;
    const bool found = context_.records.EditOutput(card, [&](Out& r) {
        r.isOn = on ? 1 : 0;
        changed = r;
    });
    if (found) {
        context_.stateChanged.Set();
        SendCommand(context_.link, OutputPictureDisplayFrame(static_cast<std::uint8_t>(card),
                                                             on ? 1 : 0, changed.doublePictranspy));
    }
    if (!on)
        EnablePicture2(false);
}

void COPPageThree::OnSpliceClicked(bool on) {
    EnableSplice(on);
    StoreSpliceSwitch(owner_.CurrentCardId(), on);
}

void COPPageThree::OnSourceChosen(int index) {
    const int card = owner_.CurrentCardId();
    if (index < 0)
        return;
    const int source = source_->itemData(index).toInt();
    if (!context_.records.EditOutput(card, [source](Out& r) { r.DoublePicinputSrc = source; }))
        return;
    context_.stateChanged.Set();
    SendCommand(context_.link,
                SelectSourceFrame(static_cast<std::uint8_t>(card), kOutputLayerPicture2, source));
}

void COPPageThree::OnTransparencyChosen(int index) {
    const int card = owner_.CurrentCardId();
    if (index < 0)
        return;
    const int transparency = transparency_->itemData(index).toInt();
    if (!context_.records.EditOutput(card, [transparency](Out& r) {
            r.doublePictranspy = static_cast<std::uint16_t>(transparency);
        })) {
        return;
    }
    context_.stateChanged.Set();
    // While the second picture is off the device learns its transparency when it goes on.
    if (picture2On_->isChecked()) {
        SendCommand(context_.link,
                    OutputPictureDisplayFrame(static_cast<std::uint8_t>(card), 1, transparency));
    }
}

void COPPageThree::OnWindowApplied(WindowField field, int value) {
    const int card = owner_.CurrentCardId();
    const auto changed = ApplyWindowBox(context_.records, context_.records.output, card,
                                        kPicture2Window, &Out::outputReso, *window_, field, value);
    if (!changed)
        return;
    context_.stateChanged.Set();
    SendPicture2Window(context_.link, *changed, static_cast<std::uint8_t>(card));
}

void COPPageThree::OnTotalApplied(ScreenAxis axis) {
    const bool horizontal = axis == ScreenAxis::kHorizontal;
    DigitsBox& totalBox = horizontal ? *totalH_ : *totalV_;
    DigitsBox& extentBox = *splice_->Box(horizontal ? WindowField::kHWidth : WindowField::kVHeight);
    const int card = owner_.CurrentCardId();
    const int typed = totalBox.Value();
    const SpliceTotal fitted = FitSpliceTotal(typed, extentBox.Value());
    Out changed;
    const bool found = context_.records.EditOutput(card, [&](Out& r) {
        (horizontal ? r.doubleSpliceHparam : r.doubleSpliceVparam) = fitted.total;
        if (fitted.extent)
            (horizontal ? r.doubleSpliceHWidth : r.doubleSpliceVHeight) = *fitted.extent;
        changed = r;
    });
    if (!found)
        return;
    if (fitted.total != typed)
        totalBox.SetValue(fitted.total);
    if (fitted.extent)
        extentBox.SetValue(*fitted.extent);
    context_.stateChanged.Set();
    SendSpliceAxis(changed, axis);
}

void COPPageThree::OnSpliceApplied(WindowField field, int value) {
    const auto changed =
        ApplyBox(context_.records, context_.records.output, owner_.CurrentCardId(), *splice_, field,
                 value, [&](Out& r) {
                     return FitRecordSplice(r, kPicture2Splice, field, value, r.doubleSpliceHparam,
                                            r.doubleSpliceVparam);
                 });
    if (!changed)
        return;
    context_.stateChanged.Set();
    SendSpliceAxis(*changed, IsHorizontal(field) ? ScreenAxis::kHorizontal : ScreenAxis::kVertical);
}

void COPPageThree::SendSpliceAxis(const Out& record, ScreenAxis axis) {
    const auto address = static_cast<std::uint8_t>(owner_.CurrentCardId());
    if (axis == ScreenAxis::kHorizontal)
        SendPicture2HorizontalSplice(context_.link, record, address);
    else
        SendPicture2VerticalSplice(context_.link, record, address);
}

bool COPPageThree::event(QEvent* event) {
    if (MessageOf(event) == WM_DOUBLEPIC_RELOAD) {
        ShowCard(static_cast<int>(static_cast<KovMessage*>(event)->wParam));
        return true;
    }
    return EditorPage::event(event);
}

}  // namespace kov::ui

#include "output/output_window_page.h"

#include <QGridLayout>

#include "link/commands.h"
#include "shell/app_context.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_records.h"
#include "widgets/card_page_frame.h"
#include "widgets/window_boxes.h"

namespace kov::ui {
namespace {

using Out = OutputCardRecord;
constexpr WindowMembers<Out> kOutputWindow = {&Out::outputHLocation, &Out::outputHWidth,
                                              &Out::outputVLocation, &Out::outputVHeight};

}  // namespace

COPPageOne::COPPageOne(AppContext& context, const CardPageFrame& owner, QWidget* parent)
    : EditorPage(parent), context_(context), owner_(owner) {
    setObjectName("COPPageOne");
    auto* grid = new QGridLayout(this);
    window_ = new WindowBoxes(context.dialogs, {1223, 1224, 1035, 1036},
                              {"IDS_1223", "IDS_1224", "IDS_1035", "IDS_1036"}, *grid, 0, this);
    grid->setRowStretch(4, 1);
    connect(window_, &WindowBoxes::applied, this, &COPPageOne::OnWindowApplied);
    ShowCard(0);
}

void COPPageOne::ShowCard(int cardId) {
    const auto record = context_.records.OutputCopyOrFirst(cardId);
    if (!record)
        return;
    window_->Show(ReadWindow(*record, kOutputWindow));
    if (cardId != 0)
        context_.stateChanged.Set();
}

void COPPageOne::OnWindowApplied(WindowField field, int value) {
    const int card = owner_.CurrentCardId();
    const auto changed = ApplyWindowBox(context_.records, context_.records.output, card,
                                        kOutputWindow, &Out::outputReso, *window_, field, value);
    if (!changed)
        return;
    context_.stateChanged.Set();
    SendOutputWindow(context_.link, *changed, static_cast<std::uint8_t>(card));
}

bool COPPageOne::event(QEvent* event) {
    if (MessageOf(event) == WM_OUTPUT_WINDOW_RELOAD) {
        ShowCard(static_cast<int>(static_cast<KovMessage*>(event)->wParam));
        return true;
    }
    return EditorPage::event(event);
}

}  // namespace kov::ui

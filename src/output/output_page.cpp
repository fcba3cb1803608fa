#include "output/output_page.h"

#include <QTabWidget>

#include "output/output_picture_page.h"
#include "output/output_window_page.h"
#include "shell/app_context.h"
#include "shell/window_messages.h"
#include "store/card_records.h"
#include "store/language.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {
constexpr int kCardNumberBox = 1015;
constexpr int kSubPageTabs = 1031;
constexpr const char* kSubPageTitleKeys[] = {"IDS_TABLE_OUTPUTSET", "IDS_TABLE_PICADJUST",
                                             "IDS_TABLE_DOUBLEPIC"};
}  // namespace

CPageDlg::CPageDlg(AppContext& context, QWidget* parent)
    : CardPageFrame(kCardNumberBox, kSubPageTabs, 0, parent), context_(context) {
    setObjectName("CPageDlg");
    window_ = new COPPageOne(context, *this, tabs_);
    picture_ = new COPPageTwo(context, *this, tabs_);
    tabs_->addTab(window_, QString());
    tabs_->addTab(picture_, QString());
    tabs_->addTab(new QWidget(tabs_), QString());
    ApplyTexts();
}

void CPageDlg::ApplyTexts() {
    SetPrefix(ToQString(context_.language.Named("IDS_OUTPUT")));
    for (int i = 0; i < tabs_->count(); ++i) {
        tabs_->setTabText(i, ToQString(context_.language.Named(kSubPageTitleKeys[i])));
    }
    picture_->Relabel();
}

void CPageDlg::ShowCard(int cardId) {
    // Card 0 (after a resolution change) names no record: the page keeps its card.
    if (!context_.records.OutputCopy(cardId))
        return;
    SetCard(cardId);
    PostKovMessage(window_, WM_OUTPUT_WINDOW_RELOAD, cardId);
    picture_->ShowCard(cardId);
}

void CPageDlg::RefreshAll() {
    const int card = CurrentCardId();
    window_->ShowCard(card);
    picture_->Initialise();
    if (card != 0)
        SetCard(card);
}

bool CPageDlg::event(QEvent* event) {
    if (MessageOf(event) == WM_OUTPUT_CARD_SHOW) {
        ShowCard(static_cast<int>(static_cast<KovMessage*>(event)->wParam));
        return true;
    }
    return CardPageFrame::event(event);
}

}  // namespace kov::ui

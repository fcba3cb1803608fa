#include "input/input_page.h"

#include <QTabWidget>

#include "shell/app_context.h"
#include "shell/window_messages.h"
#include "store/language.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {
constexpr int kCardNumberBox = 1056;
constexpr int kSubPageTabs = 1062;
constexpr int kInputIdOffset = 128;
constexpr const char* kSubPageTitleKeys[] = {"IDS_TABLE_PICADJUST", "IDS_TABLE_PICWORD",
                                             "IDS_TABLE_BASEMAP"};
}  // namespace

CInPutPage::CInPutPage(AppContext& context, QWidget* parent)
    : CardPageFrame(kCardNumberBox, kSubPageTabs, kInputIdOffset, parent), context_(context) {
    setObjectName("CInPutPage");
    for (int i = 0; i < 3; ++i)
        tabs_->addTab(new QWidget(tabs_), QString());
    ApplyTexts();
}

void CInPutPage::ApplyTexts() {
    SetPrefix(ToQString(context_.language.Named("IDS_INPUTCARD")));
    for (int i = 0; i < tabs_->count(); ++i) {
        tabs_->setTabText(i, ToQString(context_.language.Named(kSubPageTitleKeys[i])));
    }
}

void CInPutPage::RefreshAll() {
    const int card = CurrentCardId();
    if (card != 0)
        SetCard(card);
}

bool CInPutPage::event(QEvent* event) {
    if (MessageOf(event) == WM_INPUT_CARD_SHOW) {
        SetCard(static_cast<int>(static_cast<KovMessage*>(event)->wParam));
        return true;
    }
    if (MessageOf(event) == WM_INPUT_RESOLUTION_CHANGED) {
        RefreshAll();
        return true;
    }
    return CardPageFrame::event(event);
}

}  // namespace kov::ui

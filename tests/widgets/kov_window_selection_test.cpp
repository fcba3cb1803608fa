// One current card: after every action that chooses a card, the card page, the tree
// selection, the highlighted diagram cell and the visible diagram tab name the same card.

#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <string>
#include <vector>

#include "diagram/diagram_ctrl.h"
#include "fixtures/started_window.h"
#include "input/input_field_host.h"
#include "input/input_page.h"
#include "output/output_field_host.h"
#include "output/output_page.h"
#include "store/templates.h"

using kov::test::Started;

namespace {

// Presses and releases the left button in the middle of a card's cell.
void ClickCell(kov::ui::DiagramCtrl& picture, int cardId) {
    const kov::diagram::CCell* cell = picture.Model().CellOfCard(cardId);
    QVERIFY(cell);
    const kov::diagram::Point centre{(cell->rect.left + cell->rect.right) / 2,
                                     (cell->rect.top + cell->rect.bottom) / 2};
    picture.HandlePress(centre);
    picture.HandleRelease(centre);
}

// Every view's idea of the current card, and the card they should agree on.
void ExpectOneCurrentCard(Started& s, int cardId, const char* action) {
    // A diagram's message reaches the window, whose message then reaches the page.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    const bool input = kov::IsInputCardId(cardId);
    kov::ui::CKovDlg& w = *s.window;
    const kov::ui::CardPageFrame* page =
        input ? static_cast<kov::ui::CardPageFrame*>(w.InputPage()) : w.OutputPage();
    const kov::ui::DiagramCtrl& picture =
        input ? static_cast<kov::ui::DiagramCtrl&>(w.InputDiagram()->Picture())
              : w.OutputDiagram()->Picture();
    QTreeWidgetItem* item = w.Tree()->currentItem();
    const std::string what = std::string(action) + " -> card " + std::to_string(cardId);
    QVERIFY2(page->isVisibleTo(&w), what.c_str());
    QVERIFY2(page->CurrentCardId() == cardId, what.c_str());
    QVERIFY2(w.Tabs()->currentIndex() == (input ? 0 : 1), what.c_str());
    QVERIFY2(picture.SelectedCardId() == cardId, what.c_str());
    QVERIFY2(item && item->data(0, Qt::UserRole).toInt() == s.program.config.SlotOf(cardId),
             what.c_str());
}

}  // namespace

class KovWindowSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void everyViewShowsTheSameCard() {
        // Slots 1-4 hold output cards 1-4, slots 5-8 input cards 129-132.
        struct Case {
            const char* action;
            std::function<void(Started&)> act;
            int expected;
        };
        const std::vector<Case> cases = {
            {"single click on an output card", [](Started& s) { s.window->SelectCard(2); }, 2},
            {"single click on an input card", [](Started& s) { s.window->SelectCard(6); }, 130},
            {"double click on an output card, the page follows the tab",
             [](Started& s) { s.window->ToggleCard(3); }, 3},
            {"double click on an input card while the output page shows",
             [](Started& s) {
                 s.window->SelectCard(2);
                 s.window->ToggleCard(7);
             },
             131},
            {"click in the output diagram",
             [](Started& s) {
                 s.window->SelectCard(1);
                 QCoreApplication::sendPostedEvents();
                 ClickCell(s.window->OutputDiagram()->Picture(), 4);
             },
             4},
            {"drag in the input diagram",
             [](Started& s) {
                 kov::ui::DiagramCtrl& picture = s.window->InputDiagram()->Picture();
                 const kov::diagram::CCell* cell = picture.Model().CellOfCard(132);
                 const kov::diagram::Point from{cell->rect.left + 2, cell->rect.top + 2};
                 picture.HandlePress(from);
                 picture.HandleMove({from.x + 5, from.y + 3});
                 picture.HandleRelease({from.x + 5, from.y + 3});
             },
             132},
            {"choosing the input tab brings the input page's card",
             [](Started& s) {
                 s.window->SelectCard(6);
                 s.window->SelectCard(3);
                 QCoreApplication::sendPostedEvents();
                 emit s.window->Tabs()->tabBarClicked(0);
             },
             130},
            {"opening a project with the output page showing",
             [](Started& s) {
                 s.window->SelectCard(3);
                 const auto path = s.program.dir / "wall.scpx";
                 kov::WriteProjectFile(path, s.program.records.Snapshot());
                 s.program.dialogs.fileAnswers = {QString::fromStdString(path.string())};
                 s.window->OpenProject(false);
             },
             1},
            {"recalling a template",
             [](Started& s) {
                 s.window->SelectCard(8);
                 s.window->StoreTemplate(2);
                 s.window->RecallTemplate(2);
             },
             129},
            {"factory reset",
             [](Started& s) {
                 s.window->SelectCard(4);
                 QCoreApplication::sendPostedEvents();
                 s.window->FactoryReset();
             },
             1},
            {"language switch",
             [](Started& s) {
                 s.window->SelectCard(7);
                 QCoreApplication::sendPostedEvents();
                 s.window->SwitchLanguage("chinese");
             },
             131},
        };
        for (const Case& c : cases) {
            Started s;
            c.act(s);
            ExpectOneCurrentCard(s, c.expected, c.action);
        }
    }
};

QTEST_MAIN(KovWindowSelectionTest)
#include "kov_window_selection_test.moc"

// The schedule editor: its reset state and enabling, the entries it refuses, building a
// list with append, insert, move and delete, and opening and saving schedule files without
// losing unsaved changes.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <QTreeWidget>

#include <string>

#include "fixtures/test_program.h"
#include "schedule/schedule_editor_dialog.h"
#include "schedule/schedule_file.h"
#include "store/text_codec.h"

using kov::ScheduleEntry;
using kov::test::TestProgram;
using kov::ui::CCUSTOMSCHEDULEDLG;

namespace {

struct Editor {
    Editor() : dialog(program.Context()) {}

    template <typename T>
    T* Control(int id) {
        return kov::test::RequireControl<T>(dialog, id);
    }
    QTreeWidget* List() { return Control<QTreeWidget>(1107); }
    void Click(int id) { Control<QPushButton>(id)->click(); }
    void Select(int row) { List()->setCurrentItem(List()->topLevelItem(row)); }
    QString Message(const char* key) const {
        return QString::fromStdString(program.language->Text(key));
    }

    // A channel switch of card `card` (its position in the card list) at hh:mm:ss.
    void ChannelSwitch(int card, int source, int picture, QTime time) {
        Control<QRadioButton>(1078)->click();
        auto* cards = Control<QComboBox>(1105);
        cards->setCurrentIndex(card);
        auto* sources = Control<QComboBox>(1110);
        sources->setCurrentIndex(sources->findData(source));
        Control<QComboBox>(1106)->setCurrentIndex(picture - 1);
        Control<QTimeEdit>(1108)->setTime(time);
    }

    // A script entry for a project file that exists.
    void Script(const std::string& name, QTime time) {
        Control<QRadioButton>(1077)->click();
        Control<QLineEdit>(1015)->setText(
            QString::fromStdString(program.dir.Write(name, "x").string()));
        Control<QTimeEdit>(1108)->setTime(time);
    }

    std::vector<int> Seconds() const {
        std::vector<int> seconds;
        for (const ScheduleEntry& e : dialog.Entries())
            seconds.push_back(e.second);
        return seconds;
    }

    TestProgram program;
    CCUSTOMSCHEDULEDLG dialog;
};

}  // namespace

class ScheduleEditorDialogTest : public QObject {
    Q_OBJECT

private slots:
    void opensResetWithDailyScriptAndTheCardsOfTheRack() {
        Editor e;
        QCOMPARE(e.dialog.objectName(), QString("CCUSTOMSCHEDULEDLG"));
        QVERIFY(e.Control<QRadioButton>(1102)->isChecked());
        QVERIFY(e.Control<QRadioButton>(1077)->isChecked());
        QVERIFY(!e.Control<QDateEdit>(1101)->isEnabled());
        QVERIFY(!e.Control<QCheckBox>(1109)->isEnabled());
        QVERIFY(e.Control<QLineEdit>(1015)->isEnabled());
        QVERIFY(!e.Control<QComboBox>(1105)->isEnabled());
        QVERIFY(e.Control<QLineEdit>(1021)->isReadOnly());
        QCOMPARE(e.List()->headerItem()->text(0), e.Message("IDS_SCHEDULE_ID"));
        QCOMPARE(e.List()->columnWidth(5), 300);

        // Input cards first, as "InPutCard<n>" with the card ID less 128, then output cards.
        auto* cards = e.Control<QComboBox>(1105);
        QCOMPARE(cards->count(), 8);
        QCOMPARE(cards->itemText(0), QString("InPutCard1"));
        QCOMPARE(cards->itemData(0).toInt(), 129);
        QCOMPARE(cards->itemText(4), QString("OutPutCard1"));
        auto* sources = e.Control<QComboBox>(1110);
        QCOMPARE(sources->itemText(0), QString("AV"));
        cards->setCurrentIndex(4);  // an output card has the output sources
        QCOMPARE(sources->itemText(0), QString("Int.Bus"));
        QCOMPARE(sources->currentIndex(), 0);
        QCOMPARE(e.Control<QComboBox>(1106)->itemText(1), QString("Picture2"));

        e.Control<QRadioButton>(1104)->click();  // weekly
        QVERIFY(e.Control<QCheckBox>(1054)->isEnabled());
        e.Control<QRadioButton>(1103)->click();  // once
        QVERIFY(e.Control<QDateEdit>(1101)->isEnabled());
        QVERIFY(!e.Control<QCheckBox>(1054)->isEnabled());
        e.Control<QRadioButton>(1078)->click();  // channel switch
        QVERIFY(!e.Control<QLineEdit>(1015)->isEnabled());
        QVERIFY(!e.Control<QPushButton>(1028)->isEnabled());
        QVERIFY(e.Control<QComboBox>(1110)->isEnabled());

        // Enter and Escape never close the editor, on the dialog or on a focused button.
        e.dialog.show();
        QTest::keyClick(&e.dialog, Qt::Key_Escape);
        QTest::keyClick(&e.dialog, Qt::Key_Return);
        QTest::keyClick(e.Control<QPushButton>(1190), Qt::Key_Return);
        QVERIFY(e.dialog.isVisible());
    }

    void refusesEntriesItCouldNotRun_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("key");
        QTest::newRow("weekly without a day") << "weekly"
                                              << "IDS_ONEDAY";
        QTest::newRow("script that does not exist") << "missing script"
                                                    << "IDS_SCRIPT";
        QTest::newRow("script path with a comma") << "comma"
                                                  << "IDS_SCHEDULE_BADPATH";
        QTest::newRow("script path over 260 bytes") << "long"
                                                    << "IDS_SCHEDULE_BADPATH";
        QTest::newRow("switch without a card") << "no card"
                                               << "IDS_SCHEDULE_NOCARD";
        QTest::newRow("switch without a source") << "no source"
                                                 << "IDS_SOURCE";
    }

    void refusesEntriesItCouldNotRun() {
        QFETCH(QString, what);
        QFETCH(QString, key);
        Editor e;
        if (what == "weekly") {
            e.Script("a.scpx", QTime(8, 0));
            e.Control<QRadioButton>(1104)->click();
        } else if (what == "missing script") {
            e.Control<QLineEdit>(1015)->setText(
                QString::fromStdString((e.program.dir / "none.scpx").string()));
        } else if (what == "comma") {
            e.Script("a,b.scpx", QTime(8, 0));
        } else if (what == "long") {
            e.Script(std::string(250, 'p') + ".scpx", QTime(8, 0));
        } else {
            e.ChannelSwitch(0, 8, 2, QTime(8, 0));
            e.Control<QComboBox>(what == "no card" ? 1105 : 1110)->setCurrentIndex(-1);
        }
        e.Click(1029);
        e.Click(1030);
        QCOMPARE(e.program.dialogs.messages, QStringList({e.Message(key.toUtf8().constData()),
                                                          e.Message(key.toUtf8().constData())}));
        QVERIFY(e.dialog.Entries().empty());
        QCOMPARE(e.List()->topLevelItemCount(), 0);
    }

    void buildsInsertsMovesDeletesAndSavesTheExampleLine() {
        Editor e;
        e.Control<QDateEdit>(1101)->setDate(QDate(2024, 5, 1));
        e.ChannelSwitch(0, 8, 2, QTime(8, 30, 0));
        e.Click(1029);
        QCOMPARE(e.List()->topLevelItem(0)->text(5), QString("VGA,InPutCard1,Picture2"));
        e.program.dialogs.fileAnswers.push_back(
            QString::fromStdString((e.program.dir / "plan").string()));
        e.Click(1213);
        QCOMPARE(e.program.dialogs.messages, QStringList{e.Message("IDS_SAVE_SUCCESS")});
        const std::string saved = e.program.dir.Read("plan.smfx");
        QCOMPARE(saved, std::string(kov::kUtf16Bom) +
                            kov::Utf8ToUtf16Le("2024,5,1,8,30,0,1,0,0,0,0,0,0,0,1,8,129,2,,\r\n"));
        QCOMPARE(e.Control<QLineEdit>(1021)->text().toStdString(),
                 (e.program.dir / "plan.smfx").string());
        QVERIFY(!e.dialog.Modified());

        // Append puts entries at the end; insert before the marked row, which keeps the mark.
        e.ChannelSwitch(1, 0, 1, QTime(8, 30, 1));
        e.Click(1029);
        e.Script("a.scpx", QTime(8, 30, 2));
        e.Select(1);
        e.Click(1030);
        e.Script("b.scpx", QTime(8, 30, 3));
        e.Click(1030);
        QCOMPARE(e.Seconds(), std::vector<int>({0, 2, 3, 1}));
        QCOMPARE(e.List()->topLevelItem(3)->text(0), QString("3"));
        QCOMPARE(e.List()->currentItem(), e.List()->topLevelItem(3));
        QCOMPARE(e.dialog.Entries()[1].method, kov::kMethodScript);
        QCOMPARE(e.dialog.Entries()[1].source, kov::kNoSource);
        QCOMPARE(e.dialog.Entries()[1].cardKey, 0);

        e.Select(0);
        e.Click(1034);  // down
        QCOMPARE(e.Seconds(), std::vector<int>({2, 0, 3, 1}));
        QCOMPARE(e.List()->currentItem(), e.List()->topLevelItem(1));
        e.Select(0);
        e.Click(1033);  // up on the first row
        e.Select(3);
        e.Click(1034);  // down on the last row
        QCOMPARE(e.Seconds(), std::vector<int>({2, 0, 3, 1}));
        e.Select(2);
        e.Click(1031);
        QCOMPARE(e.Seconds(), std::vector<int>({2, 0, 1}));
        QCOMPARE(e.List()->topLevelItem(2)->text(0), QString("2"));

        // The opened file is written back to the same path without a file dialog.
        e.program.dialogs.messages.clear();
        e.Click(1213);
        QVERIFY(e.program.dialogs.fileFilters.size() == 1);
        kov::Schedule back;
        QVERIFY(kov::LoadSchedule(e.program.dir / "plan.smfx", back));
        QCOMPARE(back, e.dialog.Entries());
    }

    void deleteNeedsRowsAndAMark() {
        Editor e;
        e.Click(1031);
        e.Script("a.scpx", QTime(9, 0));
        e.Click(1029);
        e.List()->setCurrentItem(nullptr);
        e.Click(1031);
        QCOMPARE(e.program.dialogs.messages,
                 QStringList({e.Message("IDS_LST_NOCONTENT"), e.Message("IDS_PLS_SELONE")}));
        // Delete all asks first; Cancel keeps the list.
        e.program.dialogs.questionAnswers = {false, true};
        e.Click(1032);
        QCOMPARE(e.dialog.Entries().size(), std::size_t(1));
        e.Click(1032);
        QVERIFY(e.dialog.Entries().empty());
        QCOMPARE(e.program.dialogs.questions.front(), e.Message("IDS_SURE_DELALL"));
    }

    void saveKeepsAnUpperCaseExtensionAndReportsFailure() {
        Editor e;
        e.Click(1213);  // an empty list is not saved
        e.Script("a.scpx", QTime(9, 0));
        e.Click(1029);
        e.program.dialogs.fileAnswers = {
            QString::fromStdString((e.program.dir / "missing/plan.smfx").string()),
            QString::fromStdString((e.program.dir / "plan.SMFX").string())};
        e.Click(1213);
        QVERIFY(e.Control<QLineEdit>(1021)->text().isEmpty());
        e.Click(1213);
        QCOMPARE(
            e.program.dialogs.messages,
            QStringList({e.Message("IDS_LST_NOCONTENT"),
                         e.Message("IDS_SAVE_FAILED") + "\n" +
                             QString::fromStdString((e.program.dir / "missing/plan.smfx").string()),
                         e.Message("IDS_SAVE_SUCCESS")}));
        QVERIFY(std::filesystem::exists(e.program.dir / "plan.SMFX"));
        QVERIFY(!std::filesystem::exists(e.program.dir / "plan.SMFX.smfx"));
    }

    void openReplacesTheListOrLeavesItOnFailure() {
        Editor e;
        kov::Schedule file(2);
        file[1].hour = 7;
        file[0].scriptPath = file[1].scriptPath = "/p.scpx";
        QVERIFY(kov::SaveSchedule(e.program.dir / "two.smfx", file));
        e.program.dialogs.fileAnswers = {
            QString::fromStdString((e.program.dir / "none.smfx").string()),
            QString::fromStdString((e.program.dir / "two.smfx").string())};
        e.Click(1112);
        QCOMPARE(e.program.dialogs.messages, QStringList{e.Message("IDS_FILEOPEN_FAILED")});
        e.Click(1112);
        QCOMPARE(e.dialog.Entries(), file);
        QCOMPARE(e.List()->topLevelItem(1)->text(3), QString("07:00:00"));
        QCOMPARE(e.Control<QLineEdit>(1021)->text().toStdString(),
                 (e.program.dir / "two.smfx").string());
        QCOMPARE(e.program.dialogs.fileFilters.front(), QString("KOV-Q730 Schedule File(*.smfx)"));
        // New empties the list and the file name.
        e.Click(1111);
        QVERIFY(e.dialog.Entries().empty());
        QVERIFY(e.Control<QLineEdit>(1021)->text().isEmpty());
        QVERIFY(e.program.dialogs.questions.isEmpty());  // nothing was changed
    }

    void unsavedChangesAreNotLostSilently_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("new") << 1111;
        QTest::newRow("open") << 1112;
        QTest::newRow("close") << 1190;
    }

    void unsavedChangesAreNotLostSilently() {
        QFETCH(int, button);
        Editor e;
        e.dialog.show();
        e.Script("a.scpx", QTime(9, 0));
        e.Click(1029);
        e.program.dialogs.questionAnswers = {false};
        e.Click(button);
        QCOMPARE(e.program.dialogs.questions, QStringList{e.Message("IDS_SCHEDULE_DISCARD")});
        QCOMPARE(e.dialog.Entries().size(), std::size_t(1));
        QVERIFY(e.dialog.isVisible());
        QVERIFY(e.program.dialogs.fileFilters.isEmpty());
        e.program.dialogs.questionAnswers = {true};
        e.Click(button);
        QCOMPARE(e.program.dialogs.questions.size(), 2);
        QCOMPARE(e.dialog.isVisible(), button != 1190);
        if (button == 1111)
            QVERIFY(e.dialog.Entries().empty());
    }
};

QTEST_MAIN(ScheduleEditorDialogTest)
#include "schedule_editor_dialog_test.moc"

// The card configuration dialog: box pairing, manual configuration, and auto configuration
// on a worker thread against a scripted port.

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "fixtures/test_program.h"
#include "store/card_config_dialog.h"
#include "store/language.h"
#include "store/profile.h"
#include "support/full_disk.h"
#include "widgets/relabel.h"

using kov::test::TestProgram;
using kov::ui::CConfigCardDlg;

namespace {

constexpr int kListId = 1016;
constexpr int kAutoConfigureId = 1236;
constexpr int kManualConfigureId = 1237;
constexpr int kOkId = 1239;
constexpr std::array<int, 14> kOutputBoxIds = {
    1240, 1241, 1242, 1243, 1244, 1245, 1246, 1247, 1248, 1056, 1057, 1058, 1059, 1060,
};
constexpr std::array<int, 14> kInputBoxIds = {
    1044, 1061, 1062, 1063, 1064, 1065, 1066, 1249, 1250, 1251, 1252, 1253, 1254, 1255,
};
constexpr int kDetectionWaitMs = 10000;

QCheckBox* OutputBox(QWidget& dialog, int slot) {
    return kov::test::FindControl<QCheckBox>(dialog, kOutputBoxIds[slot - 1]);
}
QCheckBox* InputBox(QWidget& dialog, int slot) {
    return kov::test::FindControl<QCheckBox>(dialog, kInputBoxIds[slot - 1]);
}
QCheckBox* Box(QWidget& dialog, int slot, bool output) {
    return output ? OutputBox(dialog, slot) : InputBox(dialog, slot);
}

void Press(QWidget& dialog, int buttonId) {
    kov::test::FindControl<QPushButton>(dialog, buttonId)->click();
}

// True when every box and the OK button are enabled (or every one disabled).
bool AllEditable(QWidget& dialog, bool enabled) {
    for (int slot = 1; slot <= 14; ++slot) {
        if (OutputBox(dialog, slot)->isEnabled() != enabled) {
            return false;
        }
        if (InputBox(dialog, slot)->isEnabled() != enabled) {
            return false;
        }
    }
    return kov::test::FindControl<QPushButton>(dialog, kOkId)->isEnabled() == enabled;
}

// The 14 card IDs of "Board Config.ini" (-1 where a slot has no value).
QList<int> StoredIds(const TestProgram& program) {
    QList<int> ids;
    for (int slot = 1; slot <= 14; ++slot) {
        const std::string value =
            kov::ReadProfileString(program.dir / kov::kBoardConfigFileName,
                                   "Card Slot " + std::to_string(slot), "Card ID", "-1", 10);
        ids << kov::DecimalValue(value);
    }
    return ids;
}

// Slot IDs 1-14 from (slot, ID) pairs; the rest 0.
QList<int> Ids(std::initializer_list<std::pair<int, int>> cards) {
    QList<int> ids(14, 0);
    for (const auto& [slot, id] : cards) {
        ids[slot - 1] = id;
    }
    return ids;
}

QStringList Rows(QWidget& dialog) {
    QStringList rows;
    auto* list = kov::test::FindControl<QTreeWidget>(dialog, kListId);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        rows << item->text(0) + "," + item->text(1) + "," + item->text(2);
    }
    return rows;
}

// A 26-byte status reply reporting card 0x81 in slot 3 (byte 6) and card 5 in slot 10
// (byte 18). Slots 1 and 9 are empty, so both checksum blocks are three bytes long: bytes
// 2-4 and bytes 15-17; the fillers make each sum 0x20, the checksum in byte 25.
QByteArray DetectedReply() {
    QByteArray reply(26, '\0');
    reply[0] = char(0xED);
    reply[1] = char(0xCB);
    reply[2] = char(0x00);
    reply[3] = char(0x20);
    reply[6] = char(0x81);
    reply[15] = char(0x10);
    reply[16] = char(0x10);
    reply[18] = char(0x05);
    reply[25] = char(0x20);
    return reply;
}

void Queue(TestProgram& program, const QByteArray& bytes) {
    program.port->Reply(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

QString Named(TestProgram& program, const char* key) {
    return QString::fromStdString(program.language->Named(key));
}

}  // namespace

class CardConfigDialogTest : public QObject {
    Q_OBJECT

private slots:
    void OpensShowingTheConfiguredRackWithBoxesAndOkDisabled() {
        TestProgram program;
        CConfigCardDlg dialog(program.Context());
        QVERIFY(AllEditable(dialog, false));
        QVERIFY(kov::test::FindControl<QPushButton>(dialog, kAutoConfigureId)->isEnabled());
        QVERIFY(kov::test::FindControl<QPushButton>(dialog, kManualConfigureId)->isEnabled());
        QCOMPARE(OutputBox(dialog, 10)->text(), QString("10"));
        QCOMPARE(InputBox(dialog, 14)->text(), QString("14"));
        auto* list = kov::test::FindControl<QTreeWidget>(dialog, kListId);
        // The rack as "Board Config.ini" has it: output cards 1-4 in slots 1-4, input cards
        // 129-132 in slots 5-8.
        QCOMPARE(Rows(dialog), (QStringList{"1,1,Output card", "2,2,Output card", "3,3,Output card",
                                            "4,4,Output card", "1,5,Input card", "2,6,Input card",
                                            "3,7,Input card", "4,8,Input card"}));
        QCOMPARE(list->columnCount(), 3);
        QCOMPARE(list->headerItem()->text(0), Named(program, "IDS_CARD_ID"));
        QCOMPARE(list->headerItem()->text(1), Named(program, "IDS_CARD_SLOT"));
        QCOMPARE(list->headerItem()->text(2), Named(program, "IDS_CARD_TYPE"));
        for (int column = 0; column < 3; ++column) {
            QCOMPARE(list->columnWidth(column), 100);
        }
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(dialog.windowTitle(), QString("Card Configuration"));
    }

    void BoxPairing_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("output");
        QTest::newRow("output box of slot 4") << 4 << true;
        QTest::newRow("input box of slot 4") << 4 << false;
        QTest::newRow("output box of slot 12") << 12 << true;
        QTest::newRow("input box of slot 1") << 1 << false;
    }

    void BoxPairing() {
        QFETCH(int, slot);
        QFETCH(bool, output);
        TestProgram program;
        CConfigCardDlg dialog(program.Context());
        Press(dialog, kManualConfigureId);
        QCheckBox* clicked = Box(dialog, slot, output);
        QCheckBox* other = Box(dialog, slot, !output);

        clicked->click();
        QVERIFY(clicked->isChecked());
        QVERIFY(!other->isChecked());
        QVERIFY(!other->isEnabled());

        clicked->click();
        QVERIFY(!clicked->isChecked());
        QVERIFY(other->isEnabled());
    }

    void TickingTheOtherKindClearsTheFirst() {
        TestProgram program;
        CConfigCardDlg dialog(program.Context());
        Press(dialog, kManualConfigureId);
        OutputBox(dialog, 4)->click();
        // Manual configure enables every box again, whatever is ticked.
        Press(dialog, kManualConfigureId);
        QVERIFY(InputBox(dialog, 4)->isEnabled());

        InputBox(dialog, 4)->click();

        QVERIFY(InputBox(dialog, 4)->isChecked());
        QVERIFY(!OutputBox(dialog, 4)->isChecked());
        QVERIFY(!OutputBox(dialog, 4)->isEnabled());
    }

    void ManualConfigurationIsWritten_data() {
        QTest::addColumn<QList<int>>("outputs");
        QTest::addColumn<QList<int>>("inputs");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("outputs 1, 2 and inputs 3, 5")
            << QList<int>{1, 2} << QList<int>{3, 5} << Ids({{1, 1}, {2, 2}, {3, 129}, {5, 130}});
        QTest::newRow("output in slot 12") << QList<int>{12} << QList<int>{} << Ids({{12, 12}});
        QTest::newRow("inputs only")
            << QList<int>{} << QList<int>{14, 8, 9} << Ids({{8, 129}, {9, 130}, {14, 131}});
        QTest::newRow("nothing ticked") << QList<int>{} << QList<int>{} << Ids({});
    }

    void ManualConfigurationIsWritten() {
        QFETCH(QList<int>, outputs);
        QFETCH(QList<int>, inputs);
        QFETCH(QList<int>, ids);
        TestProgram program;
        const std::string motherBoard = kov::ReadProfileString(
            program.dir / kov::kBoardConfigFileName, "Mother Board", "Mother Board 1 ID", "", 10);
        CConfigCardDlg dialog(program.Context());
        dialog.show();
        Press(dialog, kManualConfigureId);
        QVERIFY(AllEditable(dialog, true));
        for (int slot : outputs) {
            OutputBox(dialog, slot)->click();
        }
        for (int slot : inputs) {
            InputBox(dialog, slot)->click();
        }

        Press(dialog, kOkId);

        QCOMPARE(StoredIds(program), ids);
        QCOMPARE(kov::ReadProfileString(program.dir / kov::kBoardConfigFileName, "Mother Board",
                                        "Mother Board 1 ID", "", 10),
                 motherBoard);
        QVERIFY(program.dialogs.messages.isEmpty());
        QVERIFY(dialog.isVisible());
        // The configuration in memory waits for the next start.
        QCOMPARE(program.config.inputCards.size(), std::size_t(4));
    }

    void MissingFileIsReportedAndNotCreated() {
        TestProgram program;
        std::filesystem::remove(program.dir / kov::kBoardConfigFileName);
        CConfigCardDlg dialog(program.Context());
        Press(dialog, kManualConfigureId);
        OutputBox(dialog, 1)->click();

        Press(dialog, kOkId);

        QCOMPARE(program.dialogs.messages,
                 QStringList{
                     Named(program, "IDS_CONFIGURE_FILE") + "\n" +
                     QString::fromStdString((program.dir / kov::kBoardConfigFileName).string())});
        QVERIFY(!std::filesystem::exists(program.dir / kov::kBoardConfigFileName));
    }

    void AutoConfigureWithTheLinkClosed() {
        TestProgram program;
        program.link.Close();
        CConfigCardDlg dialog(program.Context());
        Press(dialog, kManualConfigureId);

        Press(dialog, kAutoConfigureId);

        QCOMPARE(program.dialogs.messages, QStringList{Named(program, "IDS_OPENPORT")});
        QVERIFY(!dialog.IsDetecting());
        QVERIFY(AllEditable(dialog, false));
        QVERIFY(program.TakeFrames().empty());
    }

    void AutoConfigureListsAndWritesTheDetectedCards() {
        TestProgram program;
        Queue(program, DetectedReply());
        CConfigCardDlg dialog(program.Context());
        QSignalSpy finished(&dialog, &CConfigCardDlg::detectionFinished);
        Press(dialog, kManualConfigureId);

        Press(dialog, kAutoConfigureId);
        QVERIFY(dialog.IsDetecting());
        QVERIFY(AllEditable(dialog, false));
        QVERIFY(finished.wait(kDetectionWaitMs));

        QVERIFY(!dialog.IsDetecting());
        QCOMPARE(Rows(dialog), (QStringList{"1,3,Input card", "5,10,Output card"}));
        QCOMPARE(StoredIds(program), Ids({{3, 0x81}, {10, 5}}));
        QVERIFY(program.dialogs.messages.isEmpty());
        QVERIFY(AllEditable(dialog, false));
        const std::vector<std::vector<std::uint8_t>> detect = {
            {0xED, 0xCB, 0x00, 0x20, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0xC8}};
        QVERIFY(program.TakeFrames() == detect);

        // Manual configure is available again and empties the list.
        Press(dialog, kManualConfigureId);
        QVERIFY(Rows(dialog).isEmpty());
        QVERIFY(AllEditable(dialog, true));
    }

    void FailedDetectionLeavesTheFileAlone_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("sendFails");
        QTest::addColumn<int>("pauses");
        QByteArray badChecksum = DetectedReply();
        badChecksum[25] = char(0x21);
        QByteArray slot1TooHigh = DetectedReply();
        slot1TooHigh[4] = char(22);
        QTest::newRow("port never replies") << QByteArray() << false << 20;
        QTest::newRow("wrong checksum") << badChecksum << false << 20;
        QTest::newRow("slot 1 ID above 21") << slot1TooHigh << false << 20;
        QTest::newRow("frame cannot be sent") << DetectedReply() << true << 0;
    }

    void FailedDetectionLeavesTheFileAlone() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, sendFails);
        QFETCH(int, pauses);
        TestProgram program;
        Queue(program, reply);
        if (sendFails) {
            program.port->writeBudget = 0;
        }
        const std::string before = program.dir.Read(kov::kBoardConfigFileName);
        CConfigCardDlg dialog(program.Context());
        QSignalSpy finished(&dialog, &CConfigCardDlg::detectionFinished);

        Press(dialog, kAutoConfigureId);
        QVERIFY(finished.wait(kDetectionWaitMs));

        QCOMPARE(program.dialogs.messages, QStringList{Named(program, "IDS_DETECT_FAILED")});
        QVERIFY(Rows(dialog).isEmpty());
        QVERIFY(program.dir.Read(kov::kBoardConfigFileName) == before);
        // The retry pauses of 1 s; a sent detect frame is first waited for to leave the
        // computer (13.5 ms at 9600 baud).
        int retryPauses = 0;
        for (auto pause : program.clock.sleeps) {
            if (pause.count() == 1000)
                ++retryPauses;
            else
                QCOMPARE(pause.count(), 14);
        }
        QCOMPARE(retryPauses, pauses);
        QCOMPARE(int(program.clock.sleeps.size()), pauses == 0 ? 0 : pauses + 1);
    }

    // On a full disk the file is there and could not be rewritten: that is what the
    // operator is told, for the manual and the detected configuration alike.
    void FullDiskIsNotBlamedOnAMissingFile() {
        TestProgram program;
        const std::string before = program.dir.Read(kov::kBoardConfigFileName);
        const QString expected = QString::fromStdString(
            kov::TextWithFile(program.language->Text("IDS_CONFIG_WRITE_FAILED"),
                              program.dir / kov::kBoardConfigFileName));
        Queue(program, DetectedReply());
        CConfigCardDlg dialog(program.Context());
        QSignalSpy finished(&dialog, &CConfigCardDlg::detectionFinished);
        {
            kov::test::FullDisk full;
            Press(dialog, kAutoConfigureId);
            QVERIFY(finished.wait(kDetectionWaitMs));
            Press(dialog, kManualConfigureId);
            OutputBox(dialog, 1)->click();
            Press(dialog, kOkId);
        }
        QCOMPARE(program.dialogs.messages, (QStringList{expected, expected}));
        QVERIFY(program.dir.Read(kov::kBoardConfigFileName) == before);
    }

    void DetectedCardsWithoutAFileAreListedAndReported() {
        TestProgram program;
        std::filesystem::remove(program.dir / kov::kBoardConfigFileName);
        Queue(program, DetectedReply());
        CConfigCardDlg dialog(program.Context());
        QSignalSpy finished(&dialog, &CConfigCardDlg::detectionFinished);

        Press(dialog, kAutoConfigureId);
        QVERIFY(finished.wait(kDetectionWaitMs));

        QCOMPARE(Rows(dialog), (QStringList{"1,3,Input card", "5,10,Output card"}));
        QCOMPARE(program.dialogs.messages,
                 QStringList{
                     Named(program, "IDS_CONFIGURE_FILE") + "\n" +
                     QString::fromStdString((program.dir / kov::kBoardConfigFileName).string())});
        QVERIFY(!std::filesystem::exists(program.dir / kov::kBoardConfigFileName));
    }

    void ClosingIsRefusedWhileDetecting() {
        TestProgram program;
        Queue(program, DetectedReply());
        CConfigCardDlg dialog(program.Context());
        QSignalSpy finished(&dialog, &CConfigCardDlg::detectionFinished);
        dialog.show();
        {
            // Holding the link keeps the worker waiting at its first exchange.
            auto busy = program.link.LockExchange();
            Press(dialog, kAutoConfigureId);
            QVERIFY(!kov::test::FindControl<QPushButton>(dialog, kAutoConfigureId)->isEnabled());
            QVERIFY(!kov::test::FindControl<QPushButton>(dialog, kManualConfigureId)->isEnabled());
            dialog.close();
            QTest::keyClick(&dialog, Qt::Key_Escape);
            dialog.reject();
            dialog.accept();
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.IsDetecting());
        }
        QVERIFY(finished.wait(kDetectionWaitMs));

        dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(StoredIds(program), Ids({{3, 0x81}, {10, 5}}));
    }

    void DestroyingTheDialogDuringDetectionWaitsForTheWorker() {
        TestProgram program;
        const std::string before = program.dir.Read(kov::kBoardConfigFileName);
        auto dialog = std::make_unique<CConfigCardDlg>(program.Context());
        Press(*dialog, kAutoConfigureId);
        QVERIFY(dialog->IsDetecting());

        dialog.reset();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();

        // The worker finished (the wait for the frame to leave, then all 20 attempts) and
        // its result was dropped with the dialog.
        QCOMPARE(int(program.clock.sleeps.size()), 21);
        QVERIFY(program.dialogs.messages.isEmpty());
        QVERIFY(program.dir.Read(kov::kBoardConfigFileName) == before);
    }

    void closeButtonClosesAndTheKindsSpeakTheLanguage() {
        TestProgram program;
        program.language->Load("chinese");
        program.language->LoadNamedTexts();
        CConfigCardDlg dialog(program.Context());
        QVERIFY(Rows(dialog).front().endsWith(QString::fromUtf8("输出卡")));
        QVERIFY(Rows(dialog).back().endsWith(QString::fromUtf8("输入卡")));
        auto* close = kov::test::FindControl<QPushButton>(dialog, 2);
        QVERIFY(close);
        QCOMPARE(close->text(), QString::fromUtf8("关闭"));
        dialog.show();
        close->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(CardConfigDialogTest)
#include "card_config_dialog_test.moc"

// The communication settings dialog: port list, stored settings, OK, Cancel and the keys.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <string>

#include "fixtures/test_program.h"
#include "store/comm_settings_dialog.h"
#include "store/settings.h"
#include "widgets/relabel.h"

using kov::test::TestProgram;
using kov::ui::CdlgComn;

namespace {

constexpr int kPortListId = 1004;
constexpr int kBaudRateId = 1019;
constexpr int kTimeoutId = 1023;
constexpr int kOkId = 1186;
constexpr int kCancelId = 1187;
// Never a kernel port (those end at COM96), so never listed unless linked in ports/.
constexpr int kUnlistedPort = 99;

void StoreLinkSettings(const TestProgram& program, int port, const std::string& timeout) {
    kov::Settings(program.dir.Path()).WriteLinkSettings(port, timeout);
}

// The value of key in normalStart.ini as it stands in the file (reading would trim blanks).
QString StoredValue(const TestProgram& program, const QString& key) {
    const QString file = QString::fromStdString(program.dir.Read(kov::kSettingsFileName));
    for (const QString& line : file.split("\r\n")) {
        if (line.startsWith(key + "=")) {
            return line.mid(key.size() + 1);
        }
    }
    return "<none>";
}

QString Named(TestProgram& program, const char* key) {
    return QString::fromStdString(program.language->Named(key));
}

enum class Press { kOkButton, kEnter, kScripted, kCancelButton, kEscape, kCloseBox };

// Works the dialog the way the operator would; the scripted way goes through ShowModal.
void Do(TestProgram& program, CdlgComn& dialog, Press press) {
    switch (press) {
        case Press::kOkButton:
            kov::test::FindControl<QPushButton>(dialog, kOkId)->click();
            break;
        case Press::kEnter:
            QTest::keyClick(&dialog, Qt::Key_Return);
            break;
        case Press::kScripted:
            program.dialogs.ShowModal(dialog);
            break;
        case Press::kCancelButton:
            kov::test::FindControl<QPushButton>(dialog, kCancelId)->click();
            break;
        case Press::kEscape:
            QTest::keyClick(&dialog, Qt::Key_Escape);
            break;
        case Press::kCloseBox:
            dialog.close();
            break;
    }
}

}  // namespace

Q_DECLARE_METATYPE(Press)

class CommSettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void OpensWithTheStoredSettings() {
        TestProgram program;
        program.AddPort(3);
        StoreLinkSettings(program, 3, "12");
        CdlgComn dialog(program.Context());
        auto* ports = kov::test::FindControl<QComboBox>(dialog, kPortListId);
        QVERIFY(ports);
        QCOMPARE(ports->currentData().toInt(), 3);
        QVERIFY(ports->currentText().startsWith("COM3 ("));
        QVERIFY(ports->currentText().contains("ports/COM3)"));
        auto* baud = kov::test::FindControl<QLineEdit>(dialog, kBaudRateId);
        QCOMPARE(baud->text(), QString("9600"));
        QVERIFY(baud->isReadOnly());
        QCOMPARE(kov::test::FindControl<QLineEdit>(dialog, kTimeoutId)->text(), QString("12"));
    }

    void StoredPortNotListedSelectsNothing() {
        TestProgram program;
        program.AddPort(3);
        StoreLinkSettings(program, kUnlistedPort, "1");
        CdlgComn dialog(program.Context());
        auto* ports = kov::test::FindControl<QComboBox>(dialog, kPortListId);
        QVERIFY(ports->findData(3) >= 0);
        QCOMPARE(ports->currentIndex(), -1);
    }

    void OkStoresPortAndTimeout_data() {
        QTest::addColumn<Press>("press");
        QTest::addColumn<QString>("timeout");
        QTest::addColumn<int>("linkTimeout");
        QTest::newRow("OK button, 5") << Press::kOkButton << "5" << 5;
        QTest::newRow("Enter, 5") << Press::kEnter << "5" << 5;
        QTest::newRow("scripted OK, 5") << Press::kScripted << "5" << 5;
        // Outside 1..30 a time-out is brought to the nearest bound, in the link and the file.
        QTest::newRow("not a number") << Press::kOkButton << "abc" << 1;
        QTest::newRow("empty") << Press::kOkButton << "" << 1;
        QTest::newRow("zero") << Press::kOkButton << "0" << 1;
        QTest::newRow("blanks, sign, trailing text") << Press::kOkButton << " -3s" << 1;
        QTest::newRow("blank after the number") << Press::kOkButton << "8 " << 8;
        QTest::newRow("highest") << Press::kOkButton << "30" << 30;
        QTest::newRow("above the highest") << Press::kOkButton << "31" << 30;
        QTest::newRow("beyond 32 bits") << Press::kOkButton << "99999999999" << 30;
    }

    void OkStoresPortAndTimeout() {
        QFETCH(Press, press);
        QFETCH(QString, timeout);
        QFETCH(int, linkTimeout);
        TestProgram program;
        program.AddPort(3);
        program.AddPort(4);
        StoreLinkSettings(program, 4, "1");
        CdlgComn dialog(program.Context());
        dialog.show();
        auto* ports = kov::test::FindControl<QComboBox>(dialog, kPortListId);
        ports->setCurrentIndex(ports->findData(3));
        kov::test::FindControl<QLineEdit>(dialog, kTimeoutId)->setText(timeout);

        Do(program, dialog, press);

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(program.dialogs.messages, QStringList{Named(program, "IDS_PORT_CHANGE")});
        QCOMPARE(StoredValue(program, "port"), QString("3"));
        QCOMPARE(StoredValue(program, "timeout"), QString::number(linkTimeout));
        QCOMPARE(program.link.portNumber, 3);
        QCOMPARE(program.link.timeout, linkTimeout);
    }

    void OkWithoutPortTellsAndStaysOpen() {
        TestProgram program;
        StoreLinkSettings(program, kUnlistedPort, "1");
        const std::string before = program.dir.Read(kov::kSettingsFileName);
        CdlgComn dialog(program.Context());
        dialog.show();

        kov::test::FindControl<QPushButton>(dialog, kOkId)->click();

        QCOMPARE(program.dialogs.messages, QStringList{Named(program, "IDS_PORT")});
        QVERIFY(dialog.isVisible());
        QCOMPARE(program.dir.Read(kov::kSettingsFileName), before);
        QCOMPARE(program.link.portNumber, 7);
        QCOMPARE(program.link.timeout, 1);
    }

    void CancelChangesNothing_data() {
        QTest::addColumn<Press>("press");
        QTest::newRow("Cancel button") << Press::kCancelButton;
        QTest::newRow("Escape") << Press::kEscape;
        QTest::newRow("close box") << Press::kCloseBox;
    }

    void CancelChangesNothing() {
        QFETCH(Press, press);
        TestProgram program;
        program.AddPort(3);
        const std::string before = program.dir.Read(kov::kSettingsFileName);
        CdlgComn dialog(program.Context());
        dialog.show();
        auto* ports = kov::test::FindControl<QComboBox>(dialog, kPortListId);
        ports->setCurrentIndex(ports->findData(3));
        kov::test::FindControl<QLineEdit>(dialog, kTimeoutId)->setText("9");

        Do(program, dialog, press);

        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QVERIFY(program.dialogs.messages.isEmpty());
        QCOMPARE(program.dir.Read(kov::kSettingsFileName), before);
        QCOMPARE(program.link.portNumber, 7);
        QCOMPARE(program.link.timeout, 1);
    }

    void OpenPortStaysOpenOnTheOldPort() {
        TestProgram program;
        program.AddPort(3);
        CdlgComn dialog(program.Context());
        auto* ports = kov::test::FindControl<QComboBox>(dialog, kPortListId);
        ports->setCurrentIndex(ports->findData(3));

        program.dialogs.ShowModal(dialog);

        QVERIFY(program.link.IsOpen());
        QCOMPARE(program.port->openCount, 1);
        QCOMPARE(program.port->lastPort, 7);
        QCOMPARE(program.link.portNumber, 3);
    }

    void EnglishTextsReplaceCaptionsButNotBoxContents() {
        TestProgram program;
        StoreLinkSettings(program, kUnlistedPort, "1");
        CdlgComn dialog(program.Context());
        QCOMPARE(dialog.windowTitle(), QString("Communication Settings"));
        QCOMPARE(kov::test::FindControl<QLabel>(dialog, 1183)->text(), QString("Serial port:"));
        QCOMPARE(kov::test::FindControl<QPushButton>(dialog, kCancelId)->text(), QString("Cancel"));
        // The language file has captions for ids 1019 and 1023 too; boxes keep their text.
        QCOMPARE(kov::test::FindControl<QLineEdit>(dialog, kBaudRateId)->text(), QString("9600"));
        QCOMPARE(kov::test::FindControl<QLineEdit>(dialog, kTimeoutId)->text(), QString("1"));
    }
};

QTEST_MAIN(CommSettingsDialogTest)
#include "comm_settings_dialog_test.moc"

// The main window's status area: what each command did, the port in use and its state,
// and the file a failure is about.

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>

#include "fixtures/started_window.h"
#include "shell/operator_dialogs.h"
#include "store/language.h"
#include "store/settings.h"
#include "store/templates.h"

using kov::test::FindControl;
using kov::test::Started;
using kov::test::TestProgram;

namespace {

QString Filled(const Started& s, const char* key, const std::vector<std::string>& args) {
    return QString::fromStdString(kov::FillText(s.program.language->Text(key), args));
}

// The part of a text before its placeholder %n, filled with the arguments before it.
QString FilledUpTo(const Started& s, const char* key, const char* placeholder,
                   const std::vector<std::string>& args) {
    const std::string text = s.program.language->Text(key);
    return QString::fromStdString(kov::FillText(text.substr(0, text.find(placeholder)), args));
}

QColor LampColour(const Started& s) {
    return s.window->Button(1011)->icon().pixmap(24, 24).toImage().pixelColor(12, 12);
}

}  // namespace

class KovWindowStatusTest : public QObject {
    Q_OBJECT

private slots:
    // Every command that would otherwise end silently says what it did.
    void eachCommandConfirmsWhatItDid() {
        struct Case {
            const char* name;
            std::function<void(Started&)> act;
            std::function<QString(const Started&)> expected;
        };
        const std::string project = "wall.scpx";
        const std::vector<Case> cases = {
            {"save project",
             [&](Started& s) {
                 s.program.dialogs.fileAnswers = {
                     QString::fromStdString((s.program.dir / project).string())};
                 s.window->SaveProject();
             },
             [&](const Started& s) {
                 return Filled(s, "IDS_STATUS_SAVED", {(s.program.dir / project).string()});
             }},
            {"open project",
             [&](Started& s) {
                 const auto path = s.program.dir / project;
                 kov::WriteProjectFile(path, s.program.records.Snapshot());
                 s.program.dialogs.fileAnswers = {QString::fromStdString(path.string())};
                 s.window->OpenProject(true);
             },
             [&](const Started& s) {
                 return Filled(s, "IDS_STATUS_OPENED", {(s.program.dir / project).string()});
             }},
            {"store template", [](Started& s) { s.window->StoreTemplate(4); },
             [](const Started& s) { return Filled(s, "IDS_STATUS_STORED", {"4"}); }},
            {"recall template",
             [](Started& s) {
                 s.window->StoreTemplate(9);
                 s.window->RecallTemplate(9);
             },
             [](const Started& s) { return Filled(s, "IDS_STATUS_RECALLED", {"9"}); }},
            {"manual card configuration",
             [](Started& s) {
                 s.program.dialogs.onDialog = [](QDialog& dialog) {
                     FindControl<QPushButton>(dialog, 1237)->click();      // manual configure
                     FindControl<QAbstractButton>(dialog, 1240)->click();  // output, slot 1
                     FindControl<QPushButton>(dialog, 1239)->click();      // OK
                 };
                 s.window->ConfigureCards();
             },
             [](const Started& s) { return Filled(s, "IDS_STATUS_CONFIGURED", {"1"}); }},
        };
        for (const Case& c : cases) {
            Started s;
            s.program.dialogs.messages.clear();
            c.act(s);
            QVERIFY2(s.program.dialogs.messages.isEmpty(), c.name);
            QCOMPARE(s.window->OutcomeLine()->text(), c.expected(s));
        }
    }

    void synchronisationSaysHowManyFramesWentOut() {
        Started s;
        QSignalSpy done(s.window.get(), &kov::ui::CKovDlg::synchroniseFinished);
        s.window->SynchroniseDevice();
        QVERIFY(done.wait(5000));
        QVERIFY(s.window->OutcomeLine()->text().startsWith(
            FilledUpTo(s, "IDS_STATUS_SYNCED", "%2", {"121"})));
    }

    void synchronisationThatLostFramesSaysSo() {
        Started s;
        s.program.port->writeBudget = 13 * 10;  // the port stalls after ten frames
        QSignalSpy done(s.window.get(), &kov::ui::CKovDlg::synchroniseFinished);
        s.window->SynchroniseDevice();
        QVERIFY(done.wait(20000));
        QCOMPARE(s.window->OutcomeLine()->text(),
                 Filled(s, "IDS_STATUS_SYNC_LOST", {"111", "121"}));
    }

    // The port line names the port and where it leads; a port taken because the
    // configured one is not listed is a warning, on the line and on the lamp.
    void portLineNamesThePortAndWarnsOfAFallBack_data() {
        QTest::addColumn<int>("configured");
        QTest::addColumn<bool>("fallBack");
        QTest::newRow("the configured port") << 7 << false;
        QTest::newRow("COM3 not listed") << 3 << true;
    }

    void portLineNamesThePortAndWarnsOfAFallBack() {
        QFETCH(int, configured);
        QFETCH(bool, fallBack);
        Started s(1, [configured](TestProgram& program) {
            kov::Settings(program.dir.Path()).WriteLinkSettings(configured, "1");
        });
        QVERIFY(s.program.link.IsOpen());
        const std::string open = s.program.language->Text("IDS_STATUS_OPEN");
        // Which port the link falls back to depends on this computer's own serial ports.
        if (fallBack) {
            QVERIFY(s.window->PortLine()->text().startsWith(
                FilledUpTo(s, "IDS_STATUS_FALLBACK", "%2", {"3"})));
            QVERIFY(s.window->PortLine()->text().endsWith(QString::fromStdString(open)));
        } else {
            QCOMPARE(s.window->PortLine()->text(),
                     Filled(s, "IDS_STATUS_PORT", {"COM7", "ports/COM7", open}));
        }
        const QColor lamp = LampColour(s);
        QCOMPARE(lamp.red() > lamp.green(), fallBack);  // amber, not green
        QVERIFY(lamp.green() > 100);

        s.window->TogglePort();
        QCOMPARE(s.window->PortLine()->text().endsWith(
                     QString::fromStdString(s.program.language->Text("IDS_STATUS_CLOSED"))),
                 true);
        QVERIFY(LampColour(s).red() > 150 && LampColour(s).green() < 100);
    }

    void failuresNameTheirFile() {
        Started s;
        const QString missing = QString::fromStdString((s.program.dir / "gone.scpx").string());
        s.program.dialogs.fileAnswers = {missing};
        s.window->OpenProject(false);
        QCOMPARE(
            s.program.dialogs.messages.back(),
            QString::fromStdString(s.program.language->Text("IDS_FIND_FILE")) + "\n" + missing);
        s.window->RecallTemplate(12);
        QCOMPARE(s.program.dialogs.icons.back(), kov::ui::MessageIcon::kWarning);
        QVERIFY(s.program.dialogs.messages.back().endsWith(
            QString::fromStdString((s.program.dir / kov::TemplateFileName(12)).string())));
    }

    // File choosers start in the program directory, then where the last file was chosen.
    void fileChoosersStartInTheProgramDirectoryThenTheLastFolder() {
        kov::ui::QtOperatorDialogs dialogs("/opt/kov-q730");
        QCOMPARE(dialogs.StartFolder(), QString("/opt/kov-q730"));
        dialogs.RememberChoice("/srv/walls/lobby.scpx");
        QCOMPARE(dialogs.StartFolder(), QString("/srv/walls"));
        dialogs.RememberChoice({});  // a cancelled chooser changes nothing
        QCOMPARE(dialogs.StartFolder(), QString("/srv/walls"));
    }

    // Automation finds every page and dialog by its class name: the window's own pages and
    // every dialog a menu command opens carry it as their object name.
    void pagesAndDialogsAreNamedAfterTheirClass() {
        Started s;
        const auto expectNamed = [](const QObject& object) {
            const QString className = QString::fromLatin1(object.metaObject()->className());
            QCOMPARE(object.objectName(), className.section("::", -1));
        };
        for (const QWidget* child : s.window->findChildren<QWidget*>()) {
            if (QString::fromLatin1(child->metaObject()->className()).startsWith("kov::ui::C"))
                expectNamed(*child);
        }
        int opened = 0;
        s.program.dialogs.onDialog = [&](QDialog& dialog) {
            expectNamed(dialog);
            ++opened;
        };
        s.program.dialogs.dialogAnswers = std::deque<int>(9, QDialog::Rejected);
        for (int command : {32790, 32824, 32797, 32798, 32799, 32802, 32792, 32794, 32825})
            s.window->MenuAction(command)->trigger();
        QCOMPARE(opened, 9);
    }
};

QTEST_MAIN(KovWindowStatusTest)
#include "kov_window_status_test.moc"

// Help → User Manual and F1: the manual of the current language goes to the desktop's
// viewer (a recorder here), from the folder of the shipped files; a missing manual, or a
// language without one, gets the help text instead.

#include <QAction>
#include <QTest>

#include <filesystem>

#include "fixtures/test_program.h"
#include "shell/kov_window.h"
#include "store/settings.h"
#include "store/user_manual.h"

using kov::test::TestProgram;
namespace fs = std::filesystem;

namespace {

constexpr int kUserManualCommand = 32803;

// The main window of a program whose shipped folder holds both manuals (placeholders).
struct WithManuals {
    WithManuals() {
        for (const char* name : {kov::kEnglishManualName, kov::kChineseManualName})
            program.dir.Write(name, "%PDF-1.4\n%%EOF\n");
        program.AddPort(7);
        program.link.Close();
        window = std::make_unique<kov::ui::CKovDlg>(program.Context());
        window->Initialise();
        QCoreApplication::sendPostedEvents();
        program.dialogs.messages.clear();
    }

    void SetLanguageName(const char* name) {
        kov::Settings(program.dir.Path()).WriteLanguageName(name);
    }

    void Help() { window->MenuAction(kUserManualCommand)->trigger(); }

    QString HelpText() const {
        return QString::fromStdString(program.language->Text("IDS_Helpstr"));
    }

    TestProgram program;
    std::unique_ptr<kov::ui::CKovDlg> window;
};

}  // namespace

class UserManualTest : public QObject {
    Q_OBJECT

private slots:
    void languageNameChoosesTheManualWhateverItsCase_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("manual");  // empty: none, the help text instead
        QTest::newRow("English") << "English" << kov::kEnglishManualName;
        QTest::newRow("english") << "english" << kov::kEnglishManualName;
        QTest::newRow("ENGLISH") << "ENGLISH" << kov::kEnglishManualName;
        QTest::newRow("Chinese") << "Chinese" << kov::kChineseManualName;
        QTest::newRow("chinese") << "chinese" << kov::kChineseManualName;
        QTest::newRow("other language") << "french"
                                        << "";
        QTest::newRow("near miss") << "englishx"
                                   << "";
    }

    void languageNameChoosesTheManualWhateverItsCase() {
        QFETCH(QString, language);
        QFETCH(QString, manual);
        WithManuals w;
        w.SetLanguageName(language.toUtf8().constData());
        w.Help();
        if (manual.isEmpty()) {
            QVERIFY(w.program.documents.opened.empty());
            QCOMPARE(w.program.dialogs.messages, QStringList{w.HelpText()});
        } else {
            QCOMPARE(w.program.documents.opened.size(), 1u);
            QCOMPARE(w.program.documents.opened.front(), w.program.dir / manual.toStdString());
            QVERIFY(w.program.dialogs.messages.isEmpty());
        }
    }

    void missingManualShowsTheHelpText() {
        WithManuals w;
        fs::remove(w.program.dir / kov::kChineseManualName);
        w.SetLanguageName("chinese");
        w.Help();
        QVERIFY(w.program.documents.opened.empty());
        QCOMPARE(w.program.dialogs.messages, QStringList{w.HelpText()});
    }

    void viewerThatCannotStartIsReported() {
        WithManuals w;
        w.program.documents.succeed = false;
        w.SetLanguageName("english");
        w.Help();
        QCOMPARE(w.program.dialogs.messages.size(), 1);
        const QString expected =
            QString::fromStdString(w.program.language->Text("IDS_HELP_OPEN_FAILED"))
                .arg(QString::fromStdString((w.program.dir / kov::kEnglishManualName).string()));
        QCOMPARE(w.program.dialogs.messages.front(), expected);
    }

    void f1OpensTheManualOfTheLanguageSwitchedTo() {
        WithManuals w;
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        w.window->MenuAction(32801)->trigger();  // English
        QTest::keyClick(w.window.get(), Qt::Key_F1);
        w.window->MenuAction(32800)->trigger();  // Chinese
        QTest::keyClick(w.window.get(), Qt::Key_F1);
        const std::vector<fs::path> expected{w.program.dir / kov::kEnglishManualName,
                                             w.program.dir / kov::kChineseManualName};
        QCOMPARE(w.program.documents.opened, expected);
    }

    void manualComesFromTheShippedFolder() {
        // Installed, the writable files live per user and the manuals stay where the
        // package put them.
        WithManuals w;
        kov::test::TempDir shipped;
        shipped.Write(kov::kEnglishManualName, "%PDF-1.4\n%%EOF\n");
        fs::remove(w.program.dir / kov::kEnglishManualName);
        w.program.Context().shippedDir = shipped.Path();
        w.SetLanguageName("english");
        w.Help();
        QCOMPARE(w.program.documents.opened,
                 std::vector<fs::path>{shipped / kov::kEnglishManualName});
    }
};

QTEST_MAIN(UserManualTest)
#include "user_manual_test.moc"

// The confirmation dialogs and the about box: answers, keys, frames sent on OK, texts.

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "fixtures/test_program.h"
#include "shell/confirm_dialogs.h"
#include "widgets/relabel.h"

using kov::test::TestProgram;

namespace {

// One confirmation class: how to make it, the ids of its controls and what OK sends (hex).
struct Kind {
    const char* name;
    std::unique_ptr<kov::ui::ConfirmDialog> (*make)(kov::ui::AppContext&);
    int textId;
    int okId;
    int cancelId;
    const char* okFrame;
};

template <typename T>
std::unique_ptr<kov::ui::ConfirmDialog> Make(kov::ui::AppContext& context) {
    return std::make_unique<T>(context);
}

const Kind kKinds[] = {
    {"CAutoImprove", &Make<kov::ui::CAutoImprove>, 1203, 1204, 1205, ""},
    {"CCardDefaultDlg", &Make<kov::ui::CCardDefaultDlg>, 1200, 1201, 1202, ""},
    {"CDefaultSetup", &Make<kov::ui::CDefaultSetup>, 1191, 1192, 1193,
     "ED CB 00 13 55 55 55 55 55 55 55 55 BB"},
    {"CIntBusDlg", &Make<kov::ui::CIntBusDlg>, 1197, 1198, 1199,
     "ED CB F0 11 00 0D 55 55 55 55 55 55 0C"},
    {"CTipDlg", &Make<kov::ui::CTipDlg>, 1194, 1195, 1196, ""},
};

const Kind& KindNamed(const QString& name) {
    for (const Kind& kind : kKinds) {
        if (name == kind.name) {
            return kind;
        }
    }
    qFatal("no confirmation named %s", qPrintable(name));
}

enum class Answer {
    kScriptedOk,
    kOkButton,
    kEnter,
    kScriptedCancel,
    kCancelButton,
    kEscape,
    kCloseBox
};

void Give(TestProgram& program, const Kind& kind, QDialog& dialog, Answer answer) {
    switch (answer) {
        case Answer::kScriptedOk:
            program.dialogs.dialogAnswers.push_back(QDialog::Accepted);
            program.dialogs.ShowModal(dialog);
            break;
        case Answer::kScriptedCancel:
            program.dialogs.dialogAnswers.push_back(QDialog::Rejected);
            program.dialogs.ShowModal(dialog);
            break;
        case Answer::kOkButton:
            kov::test::FindControl<QPushButton>(dialog, kind.okId)->click();
            break;
        case Answer::kCancelButton:
            kov::test::FindControl<QPushButton>(dialog, kind.cancelId)->click();
            break;
        case Answer::kEnter:
            QTest::keyClick(&dialog, Qt::Key_Return);
            break;
        case Answer::kEscape:
            QTest::keyClick(&dialog, Qt::Key_Escape);
            break;
        case Answer::kCloseBox:
            dialog.close();
            break;
    }
}

QByteArray Written(const TestProgram& program) {
    return QByteArray(reinterpret_cast<const char*>(program.port->written.data()),
                      qsizetype(program.port->written.size()));
}

}  // namespace

Q_DECLARE_METATYPE(Answer)

class ConfirmDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void OkClosesAfterSendingItsFrame_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QByteArray>("frames");
        const std::pair<const char*, Answer> answers[] = {
            {"scripted OK", Answer::kScriptedOk},
            {"OK button", Answer::kOkButton},
            {"Enter", Answer::kEnter},
        };
        for (const Kind& kind : kKinds) {
            const QByteArray frames = QByteArray::fromHex(kind.okFrame);
            for (const auto& [how, answer] : answers) {
                QTest::addRow("%s, %s", kind.name, how) << kind.name << answer << frames;
            }
        }
    }

    void OkClosesAfterSendingItsFrame() {
        QFETCH(QString, kind);
        QFETCH(Answer, answer);
        QFETCH(QByteArray, frames);
        TestProgram program;
        std::unique_ptr<kov::ui::ConfirmDialog> dialog = KindNamed(kind).make(program.Context());
        dialog->show();
        QByteArray sentWhenClosed = "<not closed>";
        connect(dialog.get(), &QDialog::finished, this, [&] { sentWhenClosed = Written(program); });

        Give(program, KindNamed(kind), *dialog, answer);

        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(sentWhenClosed.toHex(' '), frames.toHex(' '));
        QCOMPARE(Written(program).toHex(' '), frames.toHex(' '));
    }

    void CancelSendsNothing_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Answer>("answer");
        const std::pair<const char*, Answer> answers[] = {
            {"scripted Cancel", Answer::kScriptedCancel},
            {"Cancel button", Answer::kCancelButton},
            {"Escape", Answer::kEscape},
            {"close box", Answer::kCloseBox},
        };
        for (const Kind& kind : kKinds) {
            for (const auto& [how, answer] : answers) {
                QTest::addRow("%s, %s", kind.name, how) << kind.name << answer;
            }
        }
    }

    void CancelSendsNothing() {
        QFETCH(QString, kind);
        QFETCH(Answer, answer);
        TestProgram program;
        std::unique_ptr<kov::ui::ConfirmDialog> dialog = KindNamed(kind).make(program.Context());
        dialog->show();

        Give(program, KindNamed(kind), *dialog, answer);

        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(!dialog->isVisible());
        QVERIFY(program.port->written.empty());
    }

    void TextsComeFromTheLanguage_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("auto adjust") << "CAutoImprove"
                                     << "Auto Adjust"
                                     << "Auto adjustment will be run. Please confirm.";
        QTest::newRow("card reset") << "CCardDefaultDlg"
                                    << "Card Reset"
                                    << "The card will be reset. Please confirm.";
        QTest::newRow("factory reset") << "CDefaultSetup"
                                       << "Factory Reset"
                                       << "Factory settings will be restored. Please confirm.";
        QTest::newRow("internal bus") << "CIntBusDlg"
                                      << "Internal Bus Reset"
                                      << "The internal bus will be reset. Please confirm.";
        QTest::newRow("exit") << "CTipDlg"
                              << "Exit"
                              << "The program will exit. Please confirm.";
    }

    void TextsComeFromTheLanguage() {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(QString, text);
        TestProgram program;
        const Kind& form = KindNamed(kind);
        std::unique_ptr<kov::ui::ConfirmDialog> dialog = form.make(program.Context());
        QCOMPARE(dialog->windowTitle(), title);
        QCOMPARE(kov::test::FindControl<QLabel>(*dialog, form.textId)->text(), text);
        QCOMPARE(kov::test::FindControl<QPushButton>(*dialog, form.okId)->text(), QString("OK"));
        QCOMPARE(kov::test::FindControl<QPushButton>(*dialog, form.cancelId)->text(),
                 QString("Cancel"));
        QVERIFY(kov::test::FindControl<QPushButton>(*dialog, form.okId)->isDefault());
    }

    void DefaultTextsStayWithoutLanguageTexts_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("auto adjust") << "CAutoImprove"
                                     << "将进行自动调整，请确认!";
        QTest::newRow("card reset") << "CCardDefaultDlg"
                                    << "板卡复位,请确认！";
        QTest::newRow("factory reset") << "CDefaultSetup"
                                       << "恢复出厂设置，请确认！";
        QTest::newRow("internal bus") << "CIntBusDlg"
                                      << "内部通道复位，请确认！";
        QTest::newRow("exit") << "CTipDlg"
                              << "系统将退出,请确认！";
    }

    void DefaultTextsStayWithoutLanguageTexts() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        TestProgram program;
        program.dir.Write("Language/Bare.ini", "[Setting]\nLanguage=bare\n[String]\n");
        QCOMPARE(program.language->Load("bare"), std::string("bare"));
        const Kind& form = KindNamed(kind);
        std::unique_ptr<kov::ui::ConfirmDialog> dialog = form.make(program.Context());
        QCOMPARE(kov::test::FindControl<QLabel>(*dialog, form.textId)->text(), text);
        QCOMPARE(kov::test::FindControl<QPushButton>(*dialog, form.okId)->text(), QString("确定"));
        QCOMPARE(kov::test::FindControl<QPushButton>(*dialog, form.cancelId)->text(),
                 QString("取消"));
    }

    void AKeptDialogShowsTheLanguageOfTheMomentItOpens() {
        TestProgram program;
        kov::ui::CTipDlg dialog(program.Context());
        QCOMPARE(kov::test::FindControl<QLabel>(dialog, 1194)->text(),
                 QString("The program will exit. Please confirm."));
        program.language->Load("chinese");

        dialog.show();

        QCOMPARE(dialog.windowTitle(), QString("退出系统"));
        QCOMPARE(kov::test::FindControl<QLabel>(dialog, 1194)->text(),
                 QString("系统将退出，请确认！"));
        QCOMPARE(kov::test::FindControl<QPushButton>(dialog, 1196)->text(), QString("取消"));
    }

    void AboutBoxShowsNameAndVersionAndClosesWithOk() {
        kov::ui::CAboutDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString("关于 KOV-Q730"));
        QStringList lines;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            lines << label->text();
        }
        QVERIFY(lines.contains("KOV-Q730，V2.0"));
        dialog.show();

        kov::test::FindControl<QPushButton>(dialog, 1)->click();

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(ConfirmDialogsTest)
#include "confirm_dialogs_test.moc"

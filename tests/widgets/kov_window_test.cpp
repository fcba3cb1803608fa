// The main window: start-up and shutdown, the card tree, the commands and the language.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "fixtures/frames.h"
#include "fixtures/started_window.h"
#include "fixtures/test_program.h"
#include "input/input_field_host.h"
#include "input/input_page.h"
#include "link/command_log.h"
#include "output/output_field_host.h"
#include "output/output_page.h"
#include "shell/kov_window.h"
#include "store/language.h"
#include "store/project_file.h"
#include "store/settings.h"
#include "store/state_saver.h"
#include "store/text_codec.h"
#include "support/full_disk.h"

using kov::test::FindControl;
using kov::test::Frame;
using kov::test::Started;
using kov::test::TestProgram;
using Frames = std::vector<std::vector<std::uint8_t>>;

class KovWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUpLogsOpensThePortAndMarksTheRun() {
        Started s;
        QVERIFY(s.Log().find("\tInitsystem\r\n") != std::string::npos);
        QCOMPARE(s.Marker(), 0);
        QVERIFY(s.program.link.IsOpen());
        QCOMPARE(s.program.port->lastPort, 7);
        QCOMPARE(s.window->ResolutionList()->currentData().toInt(), 11);
        QCOMPARE(s.window->FadeEdit()->text(), QString("0"));
        // A first start: the shipped settings mark a normal exit and no state file was ever
        // saved, so nothing is asked or said.
        QCOMPARE(kov::Settings(KOV_DATA_DIR).ReadExitMarker(), 1);
        QVERIFY(s.program.dialogs.questions.isEmpty());
        QVERIFY(s.program.dialogs.messages.isEmpty());
    }

    void stateFileThatCannotBeReadIsReported_data() {
        QTest::addColumn<int>("marker");
        QTest::addColumn<QString>("link");  // what useConfig.ini is made: a link, or a folder
        QTest::newRow("folder") << 1 << QString();
        QTest::newRow("read fails after the open") << 1 << QString("/proc/self/mem");
        QTest::newRow("dangling link, after a crash") << 0 << QString("gone.ini");
    }

    void stateFileThatCannotBeReadIsReported() {
        QFETCH(int, marker);
        QFETCH(QString, link);
        TestProgram program;
        kov::Settings(program.dir.Path()).WriteExitMarker(marker);
        const auto state = program.dir / kov::kStateFileName;
        if (link.isEmpty())
            std::filesystem::create_directory(state);
        else
            std::filesystem::create_symlink(link.toStdString(), state);
        program.dialogs.questionAnswers = {true};
        program.link.Close();
        kov::ui::CKovDlg window(program.Context());
        window.Initialise();
        QCOMPARE(program.dialogs.questions.size(), marker == 0 ? 1 : 0);
        QCOMPARE(program.dialogs.messages, QStringList{QString::fromStdString(kov::TextWithFile(
                                               program.language->Named("IDS_FIND_FILE"), state))});
    }

    // A full disk: the failing automatic save and the lost command-log lines are each said
    // once in the status bar, and again when writing works; the save is retried by itself.
    void storageFaultsAreSaidOnceAndAgainWhenTheyRecover() {
        Started s;
        QLabel& bar = *s.window->OutcomeLine();
        auto text = [&](const char* key) {
            return QString::fromStdString(s.program.language->Text(key));
        };
        {
            kov::test::FullDisk full;
            s.program.stateChanged.Set();
            QTRY_COMPARE(bar.text(), text("IDS_STATE_SAVE_FAILED"));
            bar.clear();
            QTest::qWait(600);  // two more watcher ticks
            QCOMPARE(bar.text(), QString());
        }
        QTRY_COMPARE_WITH_TIMEOUT(bar.text(), text("IDS_STATE_SAVE_BACK"), 5000);
        QVERIFY(s.SavedInputShown(0) >= 0);
        {
            kov::test::FullDisk full;
            s.window->CommandLog()->WriteLine("lost");
            QTRY_COMPARE(bar.text(), text("IDS_LOG_DROPPED"));
            bar.clear();
            QTest::qWait(600);
            QCOMPARE(bar.text(), QString());
        }
        s.window->CommandLog()->WriteLine("kept");
        QTRY_COMPARE(bar.text(), text("IDS_LOG_BACK"));
        QVERIFY(s.Log().find("\tkept\r\n") != std::string::npos);
    }

    void abnormalEndAsksBeforeRestoring_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("restore") << true;
        QTest::newRow("keep defaults") << false;
    }

    void abnormalEndAsksBeforeRestoring() {
        QFETCH(bool, answer);
        TestProgram program;
        kov::Settings(program.dir.Path()).WriteExitMarker(0);
        {
            auto lock = program.records.Lock();
            program.records.input.At(0).inputFrameLight = 33;
        }
        kov::WriteProjectFile(program.dir / kov::kStateFileName, program.records.Snapshot());
        program.records.Load(program.config, program.dir.Path());
        program.dialogs.questionAnswers = {answer};
        program.link.Close();
        kov::ui::CKovDlg window(program.Context());
        window.Initialise();
        QCOMPARE(program.dialogs.questions.size(), 1);
        QCOMPARE(program.dialogs.questions.front().toStdString(),
                 program.language->Named("IDS_RESTART"));
        // Either way the input diagram shows the frame of the cards' resolution.
        QCOMPARE(window.InputDiagram()->ResolutionCode(), 11);
        auto lock = program.records.Lock();
        QCOMPARE(program.records.input.At(0).inputFrameLight, answer ? 33 : 50);
        QCOMPARE(kov::Settings(program.dir.Path()).ReadExitMarker(), 0);
    }

    void shutdownCancelledKeepsRunning() {
        Started s;
        s.program.dialogs.dialogAnswers = {QDialog::Rejected};
        QVERIFY(!s.window->close());
        QCOMPARE(s.program.dialogs.modalDialogs.back(), QString("kov::ui::CTipDlg"));
        QCOMPARE(s.Marker(), 0);
        QVERIFY(s.Log().find("ExitSystem") == std::string::npos);
        QVERIFY(s.program.link.IsOpen());
    }

    void shutdownConfirmedSavesAndMarksTheNormalEnd() {
        Started s;
        {
            auto lock = s.program.records.Lock();
            s.program.records.output.At(2).spliceHWidth = 1234;
        }
        QVERIFY(s.window->close());
        QCOMPARE(s.Marker(), 1);
        QVERIFY(s.Log().find("\tExitSystem\r\n") != std::string::npos);
        QVERIFY(!s.program.link.IsOpen());
        QVERIFY(s.program.dir.Read(kov::kStateFileName).size() > 2);
        kov::CardRecords readBack;
        readBack.Load(s.program.config, s.program.dir.Path());
        kov::ReadProjectFile(s.program.dir / kov::kStateFileName, readBack);
        QCOMPARE(readBack.output.At(2).spliceHWidth, 1234);
    }

    void doubleClickTogglesTheCardOnce() {
        Started s;
        s.Show();
        QTreeWidgetItem* item = s.SlotItem(5);  // input card 129, shown by default
        QVERIFY(item);
        QCOMPARE(item->checkState(0), Qt::Checked);
        const QRect rect = s.window->Tree()->visualItemRect(item);
        // What a real double click delivers: press, release, press, double click, release.
        QWidget* viewport = s.window->Tree()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, rect.center());
        QTest::mousePress(viewport, Qt::LeftButton, {}, rect.center());
        QMouseEvent dbl(QEvent::MouseButtonDblClick, rect.center(),
                        viewport->mapToGlobal(rect.center()), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(viewport, &dbl);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, rect.center());
        QTest::qWait(QApplication::doubleClickInterval() +
                     50);  // a stray single click would fire now
        QCoreApplication::sendPostedEvents();
        const Frames frames = s.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(2));
        QCOMPARE(frames[0], Frame({0x81, 0x06, 0x00, 0x00, 0x00, 0x55, 0x55, 0x55, 0x55, 0x55}));
        QCOMPARE(frames[1][3], std::uint8_t(0x05));
        QCOMPARE(item->checkState(0), Qt::Unchecked);
        QVERIFY(s.window->InputDiagram() != nullptr);
        {
            auto lock = s.program.records.Lock();
            QCOMPARE(s.program.records.input.At(0).inputPicShow, 0);
        }
        // The state saver picks the change up and writes the state file.
        QTRY_VERIFY_WITH_TIMEOUT(s.SavedInputShown(0) == 0, 5000);
    }

    void singleClickSelectsAfterTheDoubleClickTime() {
        Started s;
        s.Show();
        QTreeWidgetItem* item = s.SlotItem(2);  // output card 2
        QTest::mouseClick(s.window->Tree()->viewport(), Qt::LeftButton, {},
                          s.window->Tree()->visualItemRect(item).center());
        QVERIFY(s.window->InputPage()->isVisibleTo(s.window.get()));
        QTRY_VERIFY(s.window->OutputPage()->isVisibleTo(s.window.get()));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(s.window->OutputPage()->CurrentCardId(), 2);
        QCOMPARE(s.window->Tabs()->currentIndex(), 1);
        QVERIFY(s.program.TakeFrames().empty());
    }

    void resolutionChangeRewritesEveryWindow() {
        Started s;
        s.window->ChangeResolution(0);  // 1024 x 768
        const Frames frames = s.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(3));
        QCOMPARE(frames[0], Frame({0x00, 0x02, 0x01, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
        QCOMPARE(frames[1][3], std::uint8_t(0x05));
        QCOMPARE(frames[2][3], std::uint8_t(0x04));
        auto lock = s.program.records.Lock();
        for (const auto& r : s.program.records.input.Records()) {
            QCOMPARE(r.inputHWidth, 1024);
            QCOMPARE(r.baseMapVHeight, 768);
            QCOMPARE(int(r.inputResolution.code), 1);
        }
        for (const auto& r : s.program.records.output.Records()) {
            QCOMPARE(r.outputHWidth, 1024);
            QCOMPARE(r.outputVHeight, 768);
        }
        lock.unlock();
        // The input page shows the new resolution and reloads the window of its card, and
        // then its base map tab.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(FindControl<QComboBox>(*s.window->InputPage(), 1055)->currentData().toInt(), 1);
        QCOMPARE(FindControl<QLineEdit>(*s.window->InputPage(), 1060)->text(), QString("1024"));
        QCOMPARE(FindControl<QLineEdit>(*s.window->InputPage(), 1073)->text(), QString("1024"));
    }

    void wholeScreenRedrawsTheWallAndResendsTheShownSplices() {
        Started s;
        s.Show();
        kov::ui::COutputPicCtrl& picture = s.window->OutputDiagram()->Picture();
        for (int card : {1, 2, 3, 4}) {
            const bool wanted = card == 1 || card == 3;
            if (picture.IsCardHidden(card) == wanted)
                s.window->ToggleCard(card);  // output cards sit in slots 1 to 4
        }
        QCoreApplication::sendPostedEvents();
        s.program.TakeFrames();
        const double before = s.window->OutputDiagram()->Layout().scales.hs;
        auto* box = FindControl<QLineEdit>(*s.window->OutputPage(), 1220);
        box->setText("1920");
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        // Every default card spans 0..1920 of 3840: now 0..960 of 1920.
        const Frames expected = {Frame({1, 0x0C, 0x07, 0x80, 0, 0, 0x03, 0xC0, 0x55, 0x55}),
                                 Frame({1, 0x0D, 0x08, 0x70, 0, 0, 0x04, 0x38, 0x55, 0x55}),
                                 Frame({3, 0x0C, 0x07, 0x80, 0, 0, 0x03, 0xC0, 0x55, 0x55}),
                                 Frame({3, 0x0D, 0x08, 0x70, 0, 0, 0x04, 0x38, 0x55, 0x55})};
        QCOMPARE(s.program.TakeFrames(), expected);
        // The diagram is laid out for the new wall, half as wide as it is high: it keeps that
        // shape, so both scales agree up to a pixel.
        const auto& layout = s.window->OutputDiagram()->Layout();
        QVERIFY(layout.scales.hs != before);
        QCOMPARE(layout.scales.hs * layout.diagram.Width(), 1920.0);
        QVERIFY(qAbs(layout.scales.hs - layout.scales.vs) <
                layout.scales.hs / layout.diagram.Width() * 2);
    }

    void draggingAnOutputCellRewritesTheSpliceBoxes() {
        Started s;
        s.Show();
        s.window->Tabs()->setCurrentIndex(1);
        kov::ui::COutputPicCtrl& picture = s.window->OutputDiagram()->Picture();
        for (int card : {1, 2, 3, 4}) {
            if (picture.IsCardHidden(card) == (card == 2))
                s.window->ToggleCard(card);  // only card 2 on the wall
        }
        QCoreApplication::sendPostedEvents();
        s.program.TakeFrames();
        const kov::diagram::Rect cell = picture.Model().CellOfCard(2)->rect;
        const kov::diagram::Point centre{(cell.left + cell.right) / 2,
                                         (cell.top + cell.bottom) / 2};
        picture.HandlePress(centre);
        picture.HandleMove({centre.x + 40, centre.y});
        picture.HandleRelease({centre.x + 40, centre.y});
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
        const Frames frames = s.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(2));  // the card's two splice commands
        const int moved = s.program.records.OutputCopy(2)->spliceHLocation;
        QVERIFY(moved > 0);
        QCOMPARE(s.window->OutputPage()->CurrentCardId(), 2);
        QCOMPARE(FindControl<QLineEdit>(*s.window->OutputPage(), 1221)->text(),
                 QString::number(moved));
    }

    void anEditOnTheInputPageReachesTheStateFile() {
        Started s;
        auto* box = FindControl<QLineEdit>(*s.window->InputPage(), 1059);
        box->setText("40");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(s.program.TakeFrames().size(), std::size_t(1));
        QTRY_VERIFY_WITH_TIMEOUT(s.SavedInput(0).inputHLocation == 0, 5000);  // 40 + 1920
        FindControl<QComboBox>(*s.window->InputPage(), 1090)->setCurrentIndex(3);
        QCoreApplication::sendPostedEvents();
        // The main window sends the transparency with the card's current show flag.
        QCOMPARE(s.program.TakeFrames(),
                 Frames{Frame({0x81, 0x06, 0x01, 0x03, 0x00, 0x55, 0x55, 0x55, 0x55, 0x55})});
        QTRY_VERIFY_WITH_TIMEOUT(s.SavedInput(0).inputtranspy == 3, 5000);
    }

    void openingAProjectSendsNothing() {
        Started s;
        const auto file = s.program.dir / "wall.scpx";
        {
            auto lock = s.program.records.Lock();
            s.program.records.input.At(1).inputPicShow = 0;
        }
        kov::WriteProjectFile(file, s.program.records.Snapshot());
        s.program.dialogs.fileAnswers = {QString::fromStdString(file.string())};
        s.window->OpenProject(true);
        QCOMPARE(s.program.dialogs.fileFilters.back(), QString("KOV-Q730 File(*.scpx)"));
        QCoreApplication::sendPostedEvents();
        QVERIFY(s.program.TakeFrames().empty());
        QVERIFY(s.SlotItem(6));
        QCOMPARE(s.SlotItem(6)->checkState(0), Qt::Unchecked);
    }

    void factoryResetCancelledSendsNothing() {
        Started s;
        {
            auto lock = s.program.records.Lock();
            s.program.records.input.At(0).inputFrameLight = 99;
        }
        s.program.dialogs.dialogAnswers = {QDialog::Rejected};
        s.window->FactoryReset();
        QVERIFY(s.program.TakeFrames().empty());
        auto lock = s.program.records.Lock();
        QCOMPARE(s.program.records.input.At(0).inputFrameLight, 99);
    }

    void factoryResetConfirmedReloadsTheDefaults() {
        Started s;
        {
            auto lock = s.program.records.Lock();
            s.program.records.input.At(0).inputFrameLight = 99;
        }
        s.window->FactoryReset();
        const Frames frames = s.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(1));
        QCOMPARE(frames[0][3], std::uint8_t(0x13));
        auto lock = s.program.records.Lock();
        QCOMPARE(s.program.records.input.At(0).inputFrameLight, 50);
    }

    void internalBusResetSendsOneFrameAndSwitchesTheBaseMaps() {
        Started s;
        {
            auto lock = s.program.records.Lock();
            for (auto& r : s.program.records.input.Records())
                r.baseMapinputSrc = 10;
        }
        s.window->InternalBusReset();
        // The window's saver takes the state-changed signal at once, so the signal shows
        // as the new base maps reaching the state file.
        QTRY_COMPARE(s.SavedInput(0).baseMapinputSrc, 13);
        QCOMPARE(FindControl<QComboBox>(*s.window->InputPage(), 1070)->currentData().toInt(), 13);
        const Frames frames = s.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(1));
        QCOMPARE(frames[0], Frame({0xF0, 0x11, 0x00, 0x0D, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
        auto lock = s.program.records.Lock();
        for (const auto& r : s.program.records.input.Records())
            QCOMPARE(r.baseMapinputSrc, 13);
    }

    void fadeTimeIsClampedAndSent_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("seconds");
        QTest::newRow("seven") << "7"
                               << "5" << 5;
        QTest::newRow("three") << "3"
                               << "3" << 3;
        QTest::newRow("empty") << ""
                               << "" << 0;
    }

    void fadeTimeIsClampedAndSent() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, seconds);
        Started s;
        s.window->FadeEdit()->clear();
        QTest::keyClicks(s.window->FadeEdit(), typed);
        QCOMPARE(s.window->FadeEdit()->text(), shown);
        s.window->Button(1014)->click();
        const Frames frames = s.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(1));
        QCOMPARE(frames[0][2], std::uint8_t(0x80));
        QCOMPARE(frames[0][5], std::uint8_t(0x01));
        QCOMPARE(int(frames[0][11]), seconds);
    }

    void serialToggleTwiceReopensWithTheCurrentSettings() {
        Started s;
        s.program.link.timeout = 3;
        s.window->Button(1011)->click();
        QVERIFY(!s.program.link.IsOpen());
        s.window->Button(1011)->click();
        QVERIFY(s.program.link.IsOpen());
        QCOMPARE(s.program.port->lastTimeout, 3);
    }

    void openFailureSaysWhyWithTheSystemsReason_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("key");
        QTest::newRow("missing") << ENOENT << "IDS_PORT_MISSING";
        QTest::newRow("permission") << EACCES << "IDS_PORT_DENIED";
        QTest::newRow("busy") << EBUSY << "IDS_PORT_BUSY";
        QTest::newRow("reason unknown") << 0 << "IDS_OPENCOM";
    }

    void openFailureSaysWhyWithTheSystemsReason() {
        QFETCH(int, error);
        QFETCH(QString, key);
        Started s;
        s.program.link.Close();
        s.program.port->refuseOpen = true;
        s.program.port->openError = error;
        s.window->Button(1011)->click();
        QVERIFY(!s.program.link.IsOpen());
        const QString text = QString::fromStdString(s.program.language->Text(key.toStdString()));
        QVERIFY(s.program.dialogs.messages.back().startsWith(text));
        QCOMPARE(s.program.dialogs.icons.back(), kov::ui::MessageIcon::kWarning);
        QVERIFY(s.window->PortLine()->text().contains(
            QString::fromStdString(s.program.language->Text("IDS_STATUS_FAILED"))
                .section('%', 0, 0)));
        if (error != 0) {
            QVERIFY(s.window->PortLine()->text().contains(std::strerror(error)));
            QVERIFY(s.program.dialogs.messages.back().endsWith(std::strerror(error)));
            QVERIFY(s.window->OutcomeLine()->text().contains(std::strerror(error)));
        }
    }

    // The device goes away mid-session: the port shows closed at the next watcher tick,
    // the same port is reopened once it is back and the operator is offered a
    // synchronisation, which then reaches the device.
    void vanishedDeviceIsReopenedWhenItComesBack() {
        Started s;
        kov::test::FakePort& port = *s.program.port;
        s.program.dialogs.messages.clear();
        port.failWithErrno = EIO;
        port.refuseOpen = true;  // gone, and not back yet
        port.openError = ENOENT;
        s.window->Button(1013)->click();  // a fade: its frame finds the device gone
        QVERIFY(!s.program.link.IsOpen());
        for (int tick = 0; tick < 2; ++tick) {
            s.window->WatchPort();
            QVERIFY(!s.program.link.IsOpen());
            QCOMPARE(s.window->OutcomeLine()->text(),
                     QString::fromStdString(s.program.language->Text("IDS_DEVICE_GONE")));
        }
        QVERIFY(s.program.dialogs.questions.isEmpty());
        QVERIFY(s.program.dialogs.messages.isEmpty());  // waiting is no error to announce

        port.failWithErrno.reset();
        port.refuseOpen = false;
        s.program.dialogs.questionAnswers = {true};
        QSignalSpy done(s.window.get(), &kov::ui::CKovDlg::synchroniseFinished);
        s.window->WatchPort();
        QVERIFY(s.program.link.IsOpen());
        QCOMPARE(port.lastPort, 7);
        QCOMPARE(s.program.dialogs.questions,
                 QStringList{QString::fromStdString(s.program.language->Text("IDS_DEVICE_BACK"))});
        QVERIFY(done.wait(5000));
        QVERIFY(!s.program.TakeFrames().empty());
        s.window->WatchPort();
        QCOMPARE(s.program.dialogs.questions.size(), 1);  // offered once
    }

    void portNumberOutsideTheRangeIsRefused_data() {
        QTest::addColumn<int>("port");
        QTest::newRow("none") << 0;
        QTest::newRow("255") << 255;
    }

    void portNumberOutsideTheRangeIsRefused() {
        QFETCH(int, port);
        Started s;
        s.program.link.Close();
        s.program.link.portNumber = port;
        const int opens = s.program.port->openCount;
        s.window->Button(1011)->click();
        QVERIFY(!s.program.link.IsOpen());
        QCOMPARE(s.program.port->openCount, opens);
        QCOMPARE(s.program.dialogs.messages.back().toStdString(),
                 s.program.language->Named("IDS_COMEXIST"));
    }

    void languageSwitchRelabelsMenuAndTree() {
        Started s;
        const QString englishFile = s.window->menuBar()->actions().front()->text();
        s.window->SwitchLanguage("chinese");
        QCOMPARE(s.window->menuBar()->actions().front()->text().toStdString(),
                 s.program.language->Text("IDS_FILE"));
        QVERIFY(s.window->menuBar()->actions().front()->text() != englishFile);
        const auto root = s.window->Tree()->topLevelItem(0);
        QCOMPARE(root->text(0).toStdString(), s.program.language->Named("IDS_TREE_CARDLIST"));
        QCOMPARE(s.window->Tabs()->tabText(0).toStdString(),
                 s.program.language->Named("IDS_TABLE_INPUT"));
        QCOMPARE(kov::Settings(s.program.dir.Path()).ReadLanguageName(100, ""),
                 std::string("chinese"));
    }

    void synchroniseSendsTheWholeRack() {
        Started s;
        QSignalSpy done(s.window.get(), &kov::ui::CKovDlg::synchroniseFinished);
        s.window->MenuAction(32791)->trigger();
        QVERIFY(done.wait(5000));
        const Frames frames = s.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(1 + 12 * 4 + 18 * 4));
        QCOMPARE(frames[0], Frame({0x00, 0x02, 0x0B, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
    }

    void offlineScheduleOpensItsDialog() {
        Started s;
        s.program.dialogs.messages.clear();
        s.window->MenuAction(32797)->trigger();
        QCOMPARE(s.program.dialogs.modalDialogs, QStringList{"kov::ui::COffLineScheduleDLg"});
        QVERIFY(s.program.dialogs.messages.isEmpty());
    }

    void templatesRecallAndStore() {
        Started s;
        s.window->MenuAction(32821)->trigger();  // store template 15
        Frames frames = s.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(1));
        QCOMPARE(frames[0], Frame({0x00, 0x01, 0x00, 0x0E, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
        QVERIFY(std::filesystem::exists(s.program.dir / "Mode15.ini"));
        std::filesystem::copy_file(s.program.dir / "Mode15.ini", s.program.dir / "Mode8.ini");
        s.window->MenuAction(32804)->trigger();  // recall template 8
        frames = s.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(1));
        QCOMPARE(frames[0], Frame({0x00, 0x01, 0x01, 0x07, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
    }

    void enterAndEscapeNeverCloseTheWindow() {
        Started s;
        s.window->show();
        QTest::keyClick(s.window.get(), Qt::Key_Escape);
        QTest::keyClick(s.window.get(), Qt::Key_Return);
        QVERIFY(s.window->isVisible());
        QVERIFY(s.program.dialogs.modalDialogs.isEmpty());
    }

    void clockTextFormat() {
        const QDateTime time(QDate(2013, 7, 9), QTime(4, 5, 6));
        QCOMPARE(kov::ui::CKovDlg::ClockText(time), QString("2013/7/9 04:05:06"));
    }
};

QTEST_MAIN(KovWindowTest)
#include "kov_window_test.moc"

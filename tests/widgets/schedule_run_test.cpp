// Running an online schedule in the program: the runner window starts and stops the main
// window's run, timer 3's ticks (driven here by a fake clock) fire what fell due, script
// entries wait for a running synchronisation, and failures never open a message box.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>

#include "fixtures/frames.h"
#include "fixtures/test_program.h"
#include "link/synchronise.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_runner_dialog.h"
#include "shell/kov_window.h"
#include "store/project_file.h"
#include "store/settings.h"
#include "store/text_codec.h"

using kov::ScheduleEntry;
using kov::test::PaddedFrame;
using kov::test::TestProgram;
using kov::ui::CKovDlg;
using kov::ui::CRunScheduleDlg;
using Frames = std::vector<std::vector<std::uint8_t>>;

namespace {

constexpr int kWaitMs = 10000;

ScheduleEntry Switch(int second, int card, int picture, int source) {
    ScheduleEntry e;
    e.hour = 8;
    e.second = second;
    e.method = kov::kMethodChannelSwitch;
    e.cardKey = card;
    e.picture = picture;
    e.source = source;
    return e;
}

ScheduleEntry Script(int second, const std::filesystem::path& project) {
    ScheduleEntry e;
    e.hour = 8;
    e.second = second;
    e.scriptPath = project.string();
    return e;
}

// The main window started on the test port, its run reading the test's clock, which
// stands at 2026-12-10 08:00:00.
struct Running {
    Running() {
        program.AddPort(7);
        kov::Settings(program.dir.Path()).WriteExitMarker(1);
        program.link.Close();  // the window opens it itself
        window = std::make_unique<CKovDlg>(program.Context());
        window->Initialise();
        window->SetScheduleClock(program.clock);
        QCoreApplication::sendPostedEvents();
        At(0);
        program.TakeFrames();
        program.dialogs.messages.clear();
    }

    QString Saved(const kov::Schedule& schedule, const char* name = "run.smfx") {
        const auto path = program.dir / name;
        if (!kov::SaveSchedule(path, schedule))
            qFatal("cannot write the schedule");
        return QString::fromStdString(path.string());
    }

    void At(int minute, int second) { program.clock.SetLocal(2026, 12, 10, 8, minute, second); }
    void At(int second) { At(0, second); }
    Frames TickAt(int second) {
        At(second);
        window->ScheduleTick();
        return program.TakeFrames();
    }

    QString Text(const char* key) const {
        return QString::fromStdString(program.language->Text(key));
    }
    QString Status() const { return window->OutcomeLine()->text(); }
    std::string Log() const {
        std::string text;
        for (const auto& e : std::filesystem::directory_iterator(program.dir / "command_log"))
            text += kov::Utf16LeToUtf8(
                program.dir.Read("command_log/" + e.path().filename().string()).substr(2));
        return text;
    }

    TestProgram program;
    std::unique_ptr<CKovDlg> window;
};

QPushButton* Button(CRunScheduleDlg& dialog, int id) {
    return kov::test::RequireControl<QPushButton>(dialog, id);
}

}  // namespace

class ScheduleRunTest : public QObject {
    Q_OBJECT

private slots:
    void runnerWindowStartsAndStopsTheMainWindowsRun() {
        Running r;
        const QString path = r.Saved({Switch(5, 131, 1, 8), Switch(0, 1, 2, 10)});
        CRunScheduleDlg dialog(r.program.Context(), *r.window, r.window.get());
        QCOMPARE(dialog.objectName(), QString("CRunScheduleDlg"));
        QCOMPARE(Button(dialog, 1217)->text(), r.Text("IDS_SCHEDULE_START"));
        QVERIFY(!kov::test::RequireControl<QLineEdit>(dialog, 1015)->text().isEmpty());

        Button(dialog, 1217)->click();  // no file chosen yet
        QCOMPARE(r.program.dialogs.messages, QStringList{r.Text("IDS_SCHEDULE_SECLECT")});
        // A file that cannot be read is not taken.
        r.program.dialogs.fileAnswers = {
            QString::fromStdString((r.program.dir / "no.smfx").string()), path};
        Button(dialog, 1215)->click();
        QCOMPARE(r.program.dialogs.messages.back(), r.Text("IDS_FILEOPEN_FAILED"));
        QVERIFY(dialog.Path().isEmpty());
        Button(dialog, 1215)->click();
        QCOMPARE(kov::test::RequireControl<QTreeWidget>(dialog, 1016)->topLevelItemCount(), 2);
        QCOMPARE(kov::test::RequireControl<QLineEdit>(dialog, 1019)->text(), path);

        r.program.dialogs.questionAnswers = {false};
        Button(dialog, 1217)->click();
        QVERIFY(!r.window->ScheduleRunning());
        Button(dialog, 1217)->click();
        QCOMPARE(r.program.dialogs.questions.back(), r.Text("IDS_SCHEDULE_START"));
        QVERIFY(dialog.Running());
        QVERIFY(r.window->ScheduleRunning());
        QVERIFY(r.window->ScheduleTimer()->isActive());
        QCOMPARE(Button(dialog, 1217)->text(), r.Text("IDS_SCHEDULE_STOP"));
        QVERIFY(!Button(dialog, 1215)->isEnabled());
        QVERIFY(!Button(dialog, 1216)->isEnabled());
        QVERIFY(r.window->ScheduleStatus()->text().startsWith(
            r.Text("IDS_SCHEDULE_RUNNING").arg("2026-12-10 08:00:05  0: ")));

        // Opened again during the run, the window shows the run and offers Stop.
        CRunScheduleDlg again(r.program.Context(), *r.window, r.window.get());
        QVERIFY(again.Running());
        QCOMPARE(again.Path(), path);
        QCOMPARE(Button(again, 1217)->text(), r.Text("IDS_SCHEDULE_STOP"));
        QCOMPARE(kov::test::RequireControl<QTreeWidget>(again, 1016)->topLevelItemCount(), 2);
        Button(again, 1217)->click();
        QCOMPARE(r.program.dialogs.questions.back(), r.Text("IDS_SCHEDULE_STOP"));
        QVERIFY(!r.window->ScheduleRunning());
        QVERIFY(!r.window->ScheduleTimer()->isActive());
        QVERIFY(r.window->ScheduleStatus()->text().isEmpty());
        QVERIFY(Button(again, 1216)->isEnabled());

        // A file that disappeared after it was chosen is not started.
        std::filesystem::remove(path.toStdString());
        r.program.dialogs.messages.clear();
        Button(again, 1217)->click();
        QCOMPARE(r.program.dialogs.messages, QStringList{r.Text("IDS_FIND_FILE") + "\n" + path});
        QVERIFY(!r.window->ScheduleRunning());
        QVERIFY(r.Log().find("Schedule: run started: " + path.toStdString()) != std::string::npos);
    }

    void channelSwitchesFireAtTheirSecondOnceEvenWhenATickIsLate() {
        Running r;
        QVERIFY(r.window->StartSchedule(
            r.Saved({Switch(2, 131, 1, 8), Switch(4, 1, 2, 10), Switch(6, 2, 1, 13)})
                .toStdString()));
        QVERIFY(r.TickAt(1).empty());
        QCOMPARE(r.TickAt(2), Frames{PaddedFrame({0x83, 0x11, 0x00, 0x08})});
        QVERIFY(r.TickAt(2).empty());  // a second tick within the same second
        QCOMPARE(r.TickAt(5), Frames{PaddedFrame({0x01, 0x11, 0x01, 0x0A})});  // 3 and 4 skipped
        QVERIFY(r.window->ScheduleStatus()->text().contains("08:00:06"));
        // The last entry fires and ends the run.
        QCOMPARE(r.TickAt(6), Frames{PaddedFrame({0x02, 0x11, 0x00, 0x0D})});
        QVERIFY(!r.window->ScheduleRunning());
        QVERIFY(!r.window->ScheduleTimer()->isActive());
        QCOMPARE(r.window->ScheduleStatus()->text(), r.Text("IDS_SCHEDULE_ENDED"));
        QVERIFY(r.Log().find("Schedule: run ended: the last entry fired") != std::string::npos);
        QVERIFY(r.program.dialogs.messages.isEmpty());
    }

    void entriesDueInALongGapAreSkippedAndLogged() {
        Running r;
        QVERIFY(r.window->StartSchedule(
            r.Saved({Switch(30, 131, 1, 8), Switch(0, 1, 2, 10)}).toStdString()));
        r.At(10, 0);  // ten minutes without a tick: the computer slept
        r.window->ScheduleTick();
        QVERIFY(r.program.TakeFrames().empty());
        QCOMPARE(r.Status(), r.Text("IDS_SCHEDULE_SKIPPED").arg(0));
        QVERIFY(r.Log().find("entry 0 skipped") != std::string::npos);
        QVERIFY(r.window->ScheduleRunning());
        QVERIFY(r.program.dialogs.messages.isEmpty());
    }

    void scriptEntryWaitsForARunningSynchronisation() {
        Running r;
        const auto project = r.program.dir / "wall.scpx";
        int original = 0;
        {
            auto lock = r.program.records.Lock();
            original = r.program.records.input.At(0).inputSrc;
            r.program.records.input.At(0).inputSrc = 10;
        }
        QVERIFY(kov::WriteProjectFile(project, r.program.records.Snapshot()));
        {
            auto lock = r.program.records.Lock();
            r.program.records.input.At(0).inputSrc = original;
        }
        QVERIFY(r.window->StartSchedule(
            r.Saved({Script(1, project), Switch(2, 131, 2, 8)}).toStdString()));
        QSignalSpy synchronised(r.window.get(), &CKovDlg::synchroniseFinished);
        r.window->SynchroniseDevice();  // the operator's, still running at the tick
        r.At(2);
        r.window->ScheduleTick();
        QCOMPARE(r.window->PendingScheduleEntries(), std::size_t(2));
        QTRY_COMPARE_WITH_TIMEOUT(synchronised.count(), 2, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(r.window->PendingScheduleEntries(), std::size_t(0), kWaitMs);
        const Frames frames = r.program.TakeFrames();
        const std::size_t sync = kov::SynchroniseFrameCount(4, 4);
        QCOMPARE(frames.size(), 2 * sync + 1);
        QCOMPARE(frames.back(), PaddedFrame({0x83, 0x11, 0x01, 0x08}));
        auto lock = r.program.records.Lock();
        QCOMPARE(r.program.records.input.At(0).inputSrc, 10);
        QVERIFY(r.program.dialogs.messages.isEmpty());
    }

    void failuresGoToTheLogAndTheStatusBarOnly() {
        Running r;
        const auto project = r.program.dir / "gone.scpx";
        QVERIFY(kov::WriteProjectFile(project, r.program.records.Snapshot()));
        QVERIFY(r.window->StartSchedule(
            r.Saved({Script(1, project), Switch(2, 131, 1, 8), Switch(9, 1, 1, 8)}).toStdString()));
        std::filesystem::remove(project);
        QVERIFY(r.TickAt(1).empty());
        QCOMPARE(r.Status(), r.Text("IDS_SCHEDULE_SKIPPED").arg(0));
        r.program.link.Close();
        r.TickAt(2);
        QCOMPARE(r.Status(), r.Text("IDS_SCHEDULE_FAILED").arg(1));
        QVERIFY(r.Log().find("entry 1: the channel switch frame could not be written") !=
                std::string::npos);
        QVERIFY(r.program.dialogs.messages.isEmpty());
        QVERIFY(r.program.dialogs.questions.isEmpty());
    }

    void menuOpensTheEditorAndTheRunnerWhichFollowsTheEndOfTheRun() {
        Running r;
        r.window->MenuAction(32798)->trigger();
        QVERIFY(r.window->StartSchedule(r.Saved({Switch(3, 131, 1, 8)}).toStdString()));
        bool checked = false;
        r.program.dialogs.onDialog = [&](QDialog& d) {
            auto* runner = qobject_cast<CRunScheduleDlg*>(&d);
            if (!runner)
                return;
            QVERIFY(runner->Running());
            r.TickAt(3);  // the last entry fires while the window is open
            QVERIFY(!runner->Running());
            QCOMPARE(Button(*runner, 1217)->text(), r.Text("IDS_SCHEDULE_START"));
            QVERIFY(Button(*runner, 1216)->isEnabled());
            checked = true;
        };
        r.window->MenuAction(32799)->trigger();
        QVERIFY(checked);
        QCOMPARE(r.program.dialogs.modalDialogs,
                 QStringList({"kov::ui::CCUSTOMSCHEDULEDLG", "kov::ui::CRunScheduleDlg"}));
        QVERIFY(r.program.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(ScheduleRunTest)
#include "schedule_run_test.moc"

// The offline schedule dialog against a scripted device behind the test port: reading all
// tasks on the worker, changing rows and downloading only those, the port and reply
// failures, the template box, closing during a read and the device time.

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QtTest>

#include <array>
#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include "fixtures/test_program.h"
#include "schedule/offline_schedule_dialog.h"
#include "widgets/digits_box.h"

using kov::OfflineTask;
using kov::test::FindControl;
using kov::test::TestProgram;
using kov::ui::COffLineScheduleDLg;

namespace {

constexpr int kWaitMs = 10000;

// A reply of `size` bytes carrying data from byte 18 on, with its count and checksum.
std::vector<std::uint8_t> Reply(std::size_t size, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> r(size, 0);
    r[0] = 0xED;
    r[1] = 0xCB;
    r[17] = static_cast<std::uint8_t>(data.size());
    unsigned sum = r[17];
    for (std::size_t i = 0; i < data.size(); ++i)
        sum += r[18 + i] = data[i];
    r[size - 1] = static_cast<std::uint8_t>(sum);
    return r;
}

// The mother board behind the test port: answers task and clock queries, keeps written
// tasks, and stays silent for the task numbers in `silent`.
struct Device {
    explicit Device(TestProgram& program) {
        program.port->answer = [this](const std::vector<std::uint8_t>& f) { return Answer(f); };
    }

    std::vector<std::uint8_t> Answer(const std::vector<std::uint8_t>& f) {
        if (delay.count() > 0)
            std::this_thread::sleep_for(delay);
        if (f[3] == 0x00 && f[4] == 0x09 && !silent.count(f[5])) {
            const int n = f[5];
            // Task n: 2026-05-(n % 28 + 1) n%24:30:00, daily, template n % 15 + 1.
            auto reply =
                Reply(29, {static_cast<std::uint8_t>(n), 26, 5,
                           static_cast<std::uint8_t>(n % 28 + 1), static_cast<std::uint8_t>(n % 24),
                           30, 0, 1, 0, static_cast<std::uint8_t>(n % 15)});
            if (corrupt.count(n))
                ++reply.back();  // a wrong checksum
            return reply;
        }
        if (f[3] == 0x00 && f[4] == 0x0A && clock)
            return Reply(25, {26, 12, 10, 1, 2, 3});
        return {};
    }

    std::set<int> silent;
    std::set<int> corrupt;
    bool clock = true;
    std::chrono::milliseconds delay{0};
};

struct Dialog {
    Dialog() : device(program), dialog(program.Context()) { program.TakeFrames(); }

    template <typename T>
    T* Control(int id) {
        return kov::test::RequireControl<T>(dialog, id);
    }
    QTreeWidget* List() { return Control<QTreeWidget>(1016); }

    // Clicks a button and waits until the read or download it started has ended.
    bool RunToEnd(int buttonId) {
        QSignalSpy finished(&dialog, &COffLineScheduleDLg::workFinished);
        Control<QPushButton>(buttonId)->click();
        return finished.wait(kWaitMs);
    }

    void Select(int row) { List()->setCurrentItem(List()->topLevelItem(row)); }

    TestProgram program;
    Device device;
    COffLineScheduleDLg dialog;
};

}  // namespace

class OfflineScheduleDialogTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithDailyChosenAndTemplateOne() {
        Dialog d;
        QCOMPARE(d.dialog.objectName(), QString("COffLineScheduleDLg"));
        QVERIFY(d.Control<QRadioButton>(1102)->isChecked());
        QCOMPARE(d.Control<QLineEdit>(1019)->text(), QString("0"));
        QCOMPARE(d.Control<kov::ui::DigitsBox>(1021)->text(), QString("1"));
        QVERIFY(!d.Control<QDateEdit>(1114)->isEnabled());
        QVERIFY(!d.Control<QCheckBox>(1115)->isEnabled());
        d.Control<QRadioButton>(1104)->click();  // weekly
        QVERIFY(d.Control<QCheckBox>(1121)->isEnabled());
        QVERIFY(!d.Control<QDateEdit>(1114)->isEnabled());
        QCOMPARE(d.List()->headerItem()->text(4), QString("Template"));
        // Enter and Escape never close the dialog.
        d.dialog.show();
        QTest::keyClick(&d.dialog, Qt::Key_Escape);
        QTest::keyClick(&d.dialog, Qt::Key_Return);
        QVERIFY(d.dialog.isVisible());
    }

    void readFillsEveryRowAndMarksTheUnanswered_data() {
        QTest::addColumn<bool>("corrupt");
        QTest::newRow("silent device") << false;
        QTest::newRow("damaged replies") << true;
    }

    void readFillsEveryRowAndMarksTheUnanswered() {
        QFETCH(bool, corrupt);
        Dialog d;
        (corrupt ? d.device.corrupt : d.device.silent) = {5, 90};
        QVERIFY(d.RunToEnd(1212));
        QCOMPARE(d.List()->topLevelItemCount(), 128);
        QCOMPARE(d.List()->topLevelItem(127)->text(0), QString("127"));
        QCOMPARE(d.List()->topLevelItem(3)->text(1), QString("Daily"));
        QCOMPARE(d.List()->topLevelItem(3)->text(3), QString("03:30:00"));
        QCOMPARE(d.List()->topLevelItem(3)->text(4), QString("4"));
        QCOMPARE(d.List()->topLevelItem(5)->text(1), QString("not read"));
        QVERIFY(!d.dialog.Rows()[90].read);
        QCOMPARE(d.program.dialogs.messages.size(), 1);
        QVERIFY(d.program.dialogs.messages[0].startsWith("2 of 128 tasks could not be read"));
        QVERIFY(d.Control<QPushButton>(1211)->isEnabled());
    }

    void aPortThatCannotBeFlushedEndsTheReadWithAMessage() {
        Dialog d;
        d.program.port->refuseFlush = true;
        QVERIFY(d.RunToEnd(1212));
        QCOMPARE(d.List()->topLevelItemCount(), 0);
        QCOMPARE(d.program.dialogs.messages,
                 QStringList{"The serial port refused to clear its input; nothing was read."});
        QVERIFY(d.Control<QPushButton>(1209)->isEnabled());
    }

    void onlyModifiedRowsAreDownloaded() {
        Dialog d;
        QVERIFY(d.RunToEnd(1212));
        d.program.TakeFrames();
        for (int row : {0, 64, 127}) {
            d.Select(row);
            d.Control<QRadioButton>(1104)->click();  // weekly, Monday and Wednesday
            d.Control<QCheckBox>(1115)->setChecked(true);
            d.Control<QCheckBox>(1117)->setChecked(true);
            d.Control<QTimeEdit>(1113)->setTime(QTime(7, 30, 0));
            d.Control<QDateEdit>(1114)->setDate(QDate(2025, 12, 31));
            d.Control<kov::ui::DigitsBox>(1021)->setText("3");
            d.Control<QPushButton>(1209)->click();
        }
        QVERIFY(d.List()->topLevelItem(64)->font(0).bold());
        QCOMPARE(d.List()->topLevelItem(64)->text(2), QString("Mon,Wed"));
        QVERIFY(d.RunToEnd(1210));
        const auto frames = d.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(3));
        const std::vector<std::uint8_t> row64 = {0xED, 0xCB, 0x00, 0x1A, 64,   0x33,
                                                 0x9F, 0x07, 0x1E, 0x00, 0x32, 0x0A};
        QCOMPARE(std::vector<std::uint8_t>(frames[1].begin(), frames[1].end() - 1), row64);
        QCOMPARE(int(frames[0][4]), 0);
        QCOMPARE(int(frames[2][4]), 127);
        for (const auto& row : d.dialog.Rows())
            QCOMPARE(row.task.modified, 0);
        QVERIFY(!d.List()->topLevelItem(64)->font(0).bold());
        // Nothing changed since: a second download sends nothing.
        d.Control<QPushButton>(1210)->click();
        QVERIFY(d.program.TakeFrames().empty());
    }

    void aClosedPortKeepsTheRows() {
        Dialog d;
        QVERIFY(d.RunToEnd(1212));
        d.Select(7);
        d.Control<QPushButton>(1209)->click();
        d.program.link.Close();
        for (int button : {1212, 1210, 1027, 1214})
            d.Control<QPushButton>(button)->click();
        QCOMPARE(d.program.dialogs.messages, QStringList(4, "Please open the serial port first."));
        QCOMPARE(d.List()->topLevelItemCount(), 128);
        QCOMPARE(d.dialog.Rows()[7].task.modified, 1);
    }

    void readingAgainAsksBeforeDroppingChanges() {
        Dialog d;
        QVERIFY(d.RunToEnd(1212));
        d.Select(9);
        d.Control<QPushButton>(1209)->click();
        d.program.dialogs.questionAnswers = {false};
        d.Control<QPushButton>(1212)->click();
        QCOMPARE(d.program.dialogs.questions.size(), 1);
        QVERIFY(d.program.dialogs.questions[0].startsWith("Rows 9 were changed"));
        QVERIFY(!d.dialog.IsBusy());
        QCOMPARE(d.dialog.Rows()[9].task.modified, 1);
        d.program.dialogs.questionAnswers = {true};
        QVERIFY(d.RunToEnd(1212));
        QCOMPARE(d.dialog.Rows()[9].task.modified, 0);
    }

    void rowsThatDidNotGoOutStayMarked() {
        Dialog d;
        QVERIFY(d.RunToEnd(1212));
        for (int row : {2, 3}) {
            d.Select(row);
            d.Control<QPushButton>(1209)->click();
        }
        d.program.port->failWithErrno = EIO;
        QVERIFY(d.RunToEnd(1210));
        QCOMPARE(d.program.dialogs.messages.last(),
                 QString("Rows 2, 3 were not sent; they stay marked as changed."));
        QCOMPARE(d.dialog.Rows()[2].task.modified, 1);
        QCOMPARE(d.dialog.Rows()[3].task.modified, 1);
    }

    void weeklyWithoutADayIsRefused() {
        Dialog d;
        QVERIFY(d.RunToEnd(1212));
        d.Select(1);
        d.Control<QRadioButton>(1104)->click();
        d.Control<QPushButton>(1209)->click();
        QCOMPARE(d.program.dialogs.messages.last(),
                 QString("Please select at least one day of the week."));
        QCOMPARE(d.dialog.Rows()[1].task.modified, 0);
    }

    void templateBoxStaysWithinOneToFifteen_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("too high") << "20"
                                  << "15";
        QTest::newRow("zero") << "0"
                              << "1";
        QTest::newRow("inside") << "7"
                                << "7";
    }

    void templateBoxStaysWithinOneToFifteen() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Dialog d;
        auto* box = d.Control<kov::ui::DigitsBox>(1021);
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), shown);
    }

    void closingDuringAReadStopsIt() {
        Dialog d;
        d.device.delay = std::chrono::milliseconds(5);
        d.Control<QPushButton>(1212)->click();
        QVERIFY(d.dialog.IsBusy());
        QCOMPARE(d.Control<QPushButton>(1212)->text(), QString("Cancel"));
        QVERIFY(!d.Control<QPushButton>(1211)->isEnabled());
        QTRY_VERIFY(d.List()->topLevelItemCount() > 0);
        d.dialog.reject();
        QVERIFY(!d.dialog.IsBusy());
        QCoreApplication::sendPostedEvents();
        QVERIFY(d.dialog.Rows().size() < 128);
    }

    void deviceTimeIsShownWithItsOffset() {
        Dialog d;
        d.Control<QPushButton>(1214)->click();
        QCOMPARE(d.Control<QLineEdit>(1020)->text(), QString("2026-12-10 01:02:03"));
        QVERIFY(
            d.dialog.findChild<QLabel*>("deviceTimeOffset")->text().startsWith("Device clock "));
        d.device.clock = false;
        d.Control<QPushButton>(1214)->click();
        QVERIFY(d.Control<QLineEdit>(1020)->text().isEmpty());
        QCOMPARE(d.program.dialogs.messages.last(),
                 QString("The device time could not be read (no reply or a damaged reply)."));
    }
};

QTEST_MAIN(OfflineScheduleDialogTest)
#include "offline_schedule_dialog_test.moc"

// The output card page's output window and picture and gamma tabs: what each edit stores
// and sends.

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <chrono>

#include "fixtures/frames.h"
#include "fixtures/page_fixture.h"
#include "output/output_page.h"
#include "output/output_picture_page.h"
#include "output/output_window_page.h"
#include "shell/window_messages.h"
#include "widgets/digits_box.h"

using kov::OutputCardRecord;
using kov::test::FindControl;
using kov::test::Frame;
using kov::ui::DigitsBox;
using Frames = std::vector<std::vector<std::uint8_t>>;
using namespace std::chrono_literals;

namespace {

constexpr int kCard = 1;

struct OutputPage : kov::test::PageOnProgram<kov::ui::CPageDlg> {
    void Show(int card) { Deliver(kov::ui::WM_OUTPUT_CARD_SHOW, card); }

    OutputCardRecord Record(int card) { return *program.records.OutputCopy(card); }
};

}  // namespace

class OutputPageTest : public QObject {
    Q_OBJECT

private slots:
    void namesThePageAndItsControls() {
        OutputPage p;
        QVERIFY(p.page.findChild<kov::ui::COPPageOne*>("COPPageOne"));
        QVERIFY(p.page.findChild<kov::ui::COPPageTwo*>("COPPageTwo"));
        for (int id : {1223, 1224, 1035, 1036})
            QVERIFY(FindControl<DigitsBox>(p.page, id));
        QVERIFY(FindControl<QTabWidget>(p.page, 1031));
        for (int id : {1041, 1020, 1021, 1022})
            QVERIFY(FindControl<DigitsBox>(p.page, id));
        for (int id : {1042, 1043})
            QVERIFY(FindControl<QComboBox>(p.page, id));
        QCOMPARE(p.Control<QComboBox>(1043)->itemText(0), QString("Off"));
        QCOMPARE(p.Control<QComboBox>(1043)->itemText(4), QString("2.2"));
    }

    void outputWindowBoxesFitTheResolution_data() {
        QTest::addColumn<int>("boxId");
        QTest::addColumn<QList<int>>("before");  // h position, width, v position, height
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("sent");  // bytes 4 to 11
        QTest::newRow("position past the edge") << 1223 << QList{0, 1920, 0, 1080} << "100"
                                                << "0" << QList{0, 0, 0, 0, 7, 128, 4, 56};
        QTest::newRow("width below minimum") << 1224 << QList{0, 1920, 0, 1080} << "10"
                                             << "64" << QList{0, 0, 0, 0, 0, 64, 4, 56};
        QTest::newRow("height below minimum") << 1036 << QList{0, 1920, 0, 1080} << "10"
                                              << "48" << QList{0, 0, 0, 0, 7, 128, 0, 48};
        QTest::newRow("minimum reaches past the frame")
            << 1036 << QList{0, 1920, 1060, 20} << "30"
            << "48" << QList{0, 0, 4, 36, 7, 128, 0, 48};
        QTest::newRow("byte order")
            << 1035 << QList{100, 800, 0, 600} << "50"
            << "50" << QList{0x00, 0x64, 0x00, 0x32, 0x03, 0x20, 0x02, 0x58};
    }

    void outputWindowBoxesFitTheResolution() {
        QFETCH(int, boxId);
        QFETCH(QList<int>, before);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QList<int>, sent);
        OutputPage p;
        p.program.records.EditOutput(kCard, [&](OutputCardRecord& r) {
            r.outputHLocation = before[0];
            r.outputHWidth = before[1];
            r.outputVLocation = before[2];
            r.outputVHeight = before[3];
        });
        p.Show(kCard);
        p.program.TakeFrames();
        auto* box = p.Control<DigitsBox>(boxId);
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), shown);
        QCOMPARE(p.program.TakeFrames(),
                 Frames{Frame({kCard, 0x04, sent[0], sent[1], sent[2], sent[3], sent[4], sent[5],
                               sent[6], sent[7]})});
    }

    void outputWindowWithoutACardSendsNothing() {
        OutputPage p;
        auto* box = p.Control<DigitsBox>(1224);
        box->setText("10");
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(p.program.TakeFrames().empty());
    }

    void valuesGammaAndColourTemperatureGoToTheCard() {
        OutputPage p;
        p.Show(kCard);
        p.Control<DigitsBox>(1041)->setText("70");
        p.program.clock.now += 20ms;
        p.Control<QComboBox>(1043)->setCurrentIndex(4);
        p.Control<QComboBox>(1042)->setCurrentIndex(1);
        const Frames expected = {
            Frame({kCard, 0x03, 0x00, 0x00, 70, 0x55, 0x55, 0x55, 0x55, 0x55}),
            Frame({kCard, 0x03, 0x0B, 0x55, 0x04, 0x55, 0x55, 0x55, 0x55, 0x55}),
            Frame({kCard, 0x03, 0x08, 0x00, 1, 0, 0, 0, 0x55, 0x55})};
        QCOMPARE(p.program.TakeFrames(), expected);
        const OutputCardRecord r = p.Record(kCard);
        QCOMPARE(r.outputFrameLight, 70);
        QCOMPARE(r.outputFrameGamma, std::uint8_t(4));
        QCOMPARE(r.outputFrameColorTemperation, std::uint8_t(1));
        QVERIFY(r.colorTemperatureText.empty());
    }

    void resetSendsValuesThenColourTemperatureThenGamma() {
        OutputPage p;
        p.Show(kCard);
        p.Control<DigitsBox>(1022)->setText("20");
        p.Control<QComboBox>(1043)->setCurrentIndex(6);
        p.program.clock.now += 20ms;
        p.program.TakeFrames();
        p.Control<QPushButton>(1069)->click();
        const Frames expected = {Frame({kCard, 0x03, 0x03, 0x00, 12, 0x55, 0x55, 0x55, 0x55, 0x55}),
                                 Frame({kCard, 0x03, 0x08, 0x00, 0, 0, 0, 0, 0x55, 0x55}),
                                 Frame({kCard, 0x03, 0x0B, 0x55, 0, 0x55, 0x55, 0x55, 0x55, 0x55})};
        QCOMPARE(p.program.TakeFrames(), expected);
        QCOMPARE(p.Control<QComboBox>(1043)->currentIndex(), 0);
        QCOMPARE(p.Record(kCard).outputFrameGamma, std::uint8_t(0));
        QCOMPARE(p.Record(kCard).outputFrameDefinition, 12);
    }

    void resetWithoutACardSendsNothing() {
        OutputPage p;
        p.Control<DigitsBox>(1041)->setText("70");
        p.Control<QPushButton>(1069)->click();
        QVERIFY(p.program.TakeFrames().empty());
        QCOMPARE(p.Control<DigitsBox>(1041)->text(), QString("50"));
    }
};

QTEST_MAIN(OutputPageTest)
#include "output_page_test.moc"
